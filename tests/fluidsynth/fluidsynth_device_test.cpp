// The FluidSynth device with the real library and soundfont, rendering offline
// so the tune plays faster than real time and no sound device is needed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QTemporaryFile>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "fluidsynth/fluidsynth_device.h"
#include "game/music.h"
#include "support/sample_tune.h"

namespace hibi {
namespace {

using Output = FluidSynthDevice::Output;
constexpr int kRate = 44100;  // the synthesiser's own rate
// The player moves on in steps of one rendered block; 147 frames is 1/300 s.
constexpr int kStep = 147;

std::string Mode(FluidSynthDevice& device) {
  char reply[16];
  std::memset(reply, ' ', sizeof reply);
  return device.Status(reply, 15) ? reply : "(failed)";
}

// Renders `steps` blocks of sound; returns their RMS level.
double Render(FluidSynthDevice& device, int steps) {
  std::vector<float> left(kStep), right(kStep);
  double sum = 0;
  for (int i = 0; i < steps; ++i) {
    if (!device.Render(left.data(), right.data(), kStep)) return -1;
    for (int f = 0; f < kStep; ++f) sum += left[f] * left[f] + right[f] * right[f];
  }
  return std::sqrt(sum / (2.0 * kStep * std::max(steps, 1)));
}

// All that `run` writes to file descriptor 2, the C libraries' own prints too.
QByteArray StderrOf(const std::function<void()>& run) {
  QTemporaryFile file;
  std::fflush(stderr);
  const int saved = dup(2);
  if (!file.open() || saved < 0 || dup2(file.handle(), 2) < 0) return "(not captured)";
  run();
  std::fflush(stderr);
  dup2(saved, 2);
  ::close(saved);
  file.seek(0);
  return file.readAll();
}

constexpr int kTwoSeconds = 2 * kRate / kStep;

// Opens and waits for the notice that tells the tune's fate: through the speakers
// the synthesiser is built on a thread of its own.
void OpenSettled(FluidSynthDevice& device, const QString& path) {
  std::atomic<bool> told{false};
  device.SetNotice([&told] { told = true; });
  device.Open(path);
  for (int ms = 0; !told && ms < 10000; ++ms)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  device.SetNotice({});
  EXPECT_TRUE(told) << "the device told when the tune was ready or refused";
}

class SampleTuneOffline : public ::testing::Test {
 protected:
  void SetUp() override {
    device.Open(tune.path);
    ASSERT_EQ(Mode(device), "stopped") << "an opened tune waits to be played";
    ASSERT_GT(device.LengthInTicks(), 0);
  }
  testing::SampleTune tune;
  FluidSynthDevice device{Output::kOffline};
};

TEST_F(SampleTuneOffline, MutedTheTunePlaysOnUnheardAndSoundsAgainInStep) {
  device.Play();
  device.SetVolume(0);
  EXPECT_LT(Render(device, kTwoSeconds), 1e-6) << "silent";
  const int tick = device.CurrentTick();
  EXPECT_GT(tick, 0) << "the tune went on";
  device.SetVolume(1);
  EXPECT_GT(Render(device, kTwoSeconds), 0.005);
  EXPECT_GT(device.CurrentTick(), tick);
}

// No polling: the watchdog runs only when the device announces, and that is enough to
// loop the tune audibly, once at each end: the end is told at the tune's last tick (the
// player itself would say so only seconds later), and the restart plays from the start.
TEST_F(SampleTuneOffline, TheDevicesNoticeAloneLoopsTheTuneOnceAtEachEnd) {
  Music music(device);
  int notices = 0;
  device.SetNotice([&] {
    ++notices;
    music.BgmTim_Timer();
  });
  music.bgmEnabled = true;
  music.PlayMusic();
  int restarts = 0, lastTick = 0, tickBeforeRestart = 0;
  double sum = 0;
  const int total = int(tune.Seconds(device.LengthInTicks()) * kRate / kStep) + kTwoSeconds;
  for (int step = 0; step < total; ++step) {
    sum += std::pow(Render(device, 1), 2);
    const int tick = device.CurrentTick();
    if (tick < lastTick) ++restarts, tickBeforeRestart = lastTick;
    lastTick = tick;
  }
  device.SetNotice({});

  EXPECT_EQ(restarts, 1);
  EXPECT_EQ(notices, 1);
  EXPECT_GE(tickBeforeRestart, device.LengthInTicks());
  EXPECT_LT(tickBeforeRestart, device.LengthInTicks() + tune.division / 8.0)
      << "restarted within a step of the end";
  EXPECT_NEAR(tune.Seconds(lastTick), 2.0, 0.1) << "two seconds into the second round";
  EXPECT_GT(std::sqrt(sum / total), 0.01) << "the tune is not silent";
}

// Whatever fails to load, the tune stays silent: every call after it is refused quietly.
TEST(FluidSynthDevice, AMissingOrDamagedSoundfontOrTuneMeansSilenceWithoutAWord) {
  QTemporaryDir dir;
  QFile real("/usr/share/sounds/sf2/TimGM6mb.sf2");
  ASSERT_TRUE(real.open(QIODevice::ReadOnly));
  QByteArray damaged = real.readAll();
  damaged.replace(100, 300, QByteArray(300, '\xFF'));
  const testing::SampleTune sample;
  // clang-format off
  const std::pair<const char*, QByteArray> rows[] = {
      {"missing.sf2", {}}, {"empty.sf2", ""}, {"cut.sf2", damaged.left(20000)},
      {"damaged.sf2", damaged}, {"absent.mid", {}}, {"text.mid", "not a tune at all\r\n"},
      {"cut.mid", sample.bytes.left(sample.bytes.size() / 2)}, {"fifo.mid", "|"},
      {"zero.mid", "/dev/zero"}};
  // clang-format on
  for (const auto& [file, bytes] : rows) {
    const QString path = dir.filePath(file);
    QFile out(path);  // a null `bytes`: no file at all; "|" a FIFO; "/…" a link there
    if (bytes == "|") {
      ::mkfifo(QFile::encodeName(path).constData(), 0600);
    } else if (bytes.startsWith('/')) {
      QFile::link(QString::fromLatin1(bytes), path);
    } else if (!bytes.isNull() && out.open(QIODevice::WriteOnly)) {
      out.write(bytes), out.close();
    }
    const bool font = path.endsWith(".sf2");
    for (Output output : {Output::kOffline, Output::kSpeakers}) {
      SCOPED_TRACE(::testing::Message() << file << (output == Output::kOffline ? " offline" : ""));
      EXPECT_EQ(StderrOf([&] {
                  FluidSynthDevice device(output, font ? QStringList{path} : QStringList{});
                  OpenSettled(device, sample.path);
                  device.Play();
                  if (!font) OpenSettled(device, path);
                  EXPECT_EQ(Mode(device), "(failed)");
                  device.Play();
                  device.Rewind();
                  device.PlayFromStart();
                  float l[8], r[8];
                  EXPECT_FALSE(device.Render(l, r, 8));
                  device.Close();
                }),
                QByteArray());
    }
  }
}

// With a sound device or without one (a sound server named but not there), start-up
// gets a playing tune or silence, and never a word on the terminal.
TEST(FluidSynthDevice, ThroughTheSpeakersItPlaysOrStaysSilentWithoutAWord) {
  const QByteArray saved = qgetenv("PULSE_SERVER");
  for (const char* server :
       {saved.isNull() ? nullptr : saved.constData(), "unix:/nonexistent/hibi-test/native"}) {
    server ? qputenv("PULSE_SERVER", server) : qunsetenv("PULSE_SERVER");
    std::string mode;
    EXPECT_EQ(StderrOf([&] {
                FluidSynthDevice device(Output::kSpeakers);
                OpenSettled(device, testing::SampleTune().path);
                device.Play();
                mode = Mode(device);
              }),
              QByteArray());
    EXPECT_TRUE(mode == "playing" || mode == "(failed)") << mode;
  }
  saved.isNull() ? qunsetenv("PULSE_SERVER") : qputenv("PULSE_SERVER", saved);
}

}  // namespace
}  // namespace hibi
