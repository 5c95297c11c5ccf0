#include "qt/game_folder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include "storage/game_names.h"

namespace hibi {
namespace {

bool IsGame(const QString& folder) {
  const QString root = folder + u'/';
  return FindGameFile(root, root + QStringLiteral("sys/sys.dat")).found;
}

QString UserDataFolder() {
  const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
  if (QDir::isAbsolutePath(xdg)) return xdg;
  return QDir::homePath() + QStringLiteral("/.local/share");
}

bool CopyFile(const QString& source, const QString& target) {
  if (QFileInfo::exists(target)) return true;
  return QDir().mkpath(QFileInfo(target).absolutePath()) && QFile::copy(source, target) &&
         QFile::setPermissions(
             target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

// Copies every file, readable and writable by the player whatever the installed
// modes. The settings file goes last, so a copy cut short is not taken for a game
// and is finished on the next start; files already there stay as they are.
bool CopyGame(const QString& from, const QString& to) {
  const QString settings = QStringLiteral("/sys/sys.dat");
  QDirIterator files(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    const QString source = files.next();
    if (source.mid(from.size()) == settings) continue;
    if (!CopyFile(source, to + source.mid(from.size()))) return false;
  }
  return CopyFile(from + settings, to + settings);
}

}  // namespace

QString DefaultGameFolder(const QString& programFolder) {
  if (IsGame(programFolder)) return programFolder;
  const QString sample = QDir::cleanPath(programFolder + QStringLiteral("/../share/hibi/sample"));
  if (!IsGame(sample)) return programFolder;
  const QString copy = UserDataFolder() + QStringLiteral("/hibi/sample");
  if (!IsGame(copy)) CopyGame(sample, copy);
  return IsGame(copy) ? copy : programFolder;
}

}  // namespace hibi
