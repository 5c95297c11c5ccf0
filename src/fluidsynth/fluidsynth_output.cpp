#include "fluidsynth/fluidsynth_output.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

namespace hibi {

bool SoundOutputMayExist() {
  if (!qEnvironmentVariableIsEmpty("PULSE_SERVER")) return true;
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  const QString home = QDir::homePath();
  const QString candidates[] = {runtime.isEmpty() ? QString() : runtime + "/pulse/native",
                                QStringLiteral("/run/pulse/native"),
                                QStringLiteral("/var/run/pulse/native"), home + "/.asoundrc",
                                QStringLiteral("/etc/asound.conf")};
  for (const QString& path : candidates)
    if (!path.isEmpty() && QFileInfo::exists(path)) return true;
  // ALSA playback devices are named pcmC<card>D<device>p.
  return !QDir(QStringLiteral("/dev/snd"))
              .entryList({QStringLiteral("pcmC*p")}, QDir::System | QDir::Files)
              .isEmpty();
}

}  // namespace hibi
