// The FluidSynth device with the real library and soundfont, rendering offline
// so the tune plays faster than real time and no sound device is needed.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fluidsynth/fluidsynth_device.h"
#include "game/music.h"
#include "support/sample_tune.h"
#include "stderr_capture.h"

namespace hibi {
namespace {

using Output = FluidSynthDevice::Output;
constexpr int kRate = 44100;  // the synthesiser's own rate
// The player moves on in steps of one rendered block; 147 frames is 1/300 s.
constexpr int kStep = 147;
constexpr double kStepMs = 1000.0 * kStep / kRate;

std::string Mode(FluidSynthDevice& device) {
  char reply[16];
  std::memset(reply, ' ', sizeof reply);
  if (!device.Status(reply, 15)) return "(failed)";
  return reply;
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

int StepsFor(double seconds) {
  return static_cast<int>(seconds * kRate / kStep);
}

class SampleTuneOffline : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(tune.bytes.isEmpty());
    device.Open(tune.path);
    ASSERT_EQ(Mode(device), "stopped") << "an opened tune waits to be played";
    ASSERT_GT(device.LengthInTicks(), 0);
  }
  // Plays on until the device says stopped; the milliseconds played.
  double PlayUntilStopped(double* rms) {
    double sum = 0;
    int steps = 0;
    const int limit = StepsFor(tune.Seconds(device.LengthInTicks()) + 10);
    while (Mode(device) == "playing" && steps < limit) {
      const double level = Render(device, 1);
      sum += level * level;
      ++steps;
    }
    *rms = std::sqrt(sum / std::max(steps, 1));
    return steps * kStepMs;
  }

  testing::SampleTune tune;
  FluidSynthDevice device{Output::kOffline};
};

// The end is reported at the tune's last tick (the player itself would say so only
// seconds later), and a rewind with a restart plays it again from its beginning.
TEST_F(SampleTuneOffline, PlaysAudiblyStopsAtTheLastTickAndRestartsFromTheBeginning) {
  device.Play();
  ASSERT_EQ(Mode(device), "playing");
  double rms = 0;
  const double ms = PlayUntilStopped(&rms);
  const double musicalEndMs = tune.Seconds(device.LengthInTicks()) * 1000;
  EXPECT_GT(rms, 0.01) << "the tune is not silent";
  EXPECT_GE(ms, musicalEndMs - kStepMs);
  EXPECT_LE(ms, musicalEndMs + 2 * kStepMs);
}

TEST_F(SampleTuneOffline, MutedTheTunePlaysOnUnheardAndSoundsAgainInStep) {
  device.Play();
  device.SetVolume(0);
  EXPECT_LT(Render(device, StepsFor(2)), 1e-6) << "silent";
  const int tick = device.CurrentTick();
  EXPECT_GT(tick, 0) << "the tune went on";
  device.SetVolume(1);
  EXPECT_GT(Render(device, StepsFor(2)), 0.005);
  EXPECT_GT(device.CurrentTick(), tick);
}

TEST_F(SampleTuneOffline, RewindAndRestartPlayTheTuneAgainFromTheBeginning) {
  device.Play();
  double rms = 0;
  PlayUntilStopped(&rms);

  device.Rewind();
  device.PlayFromStart();
  EXPECT_EQ(Mode(device), "playing") << "a restart in flight is not read as a second end";
  EXPECT_GT(Render(device, StepsFor(3)), 0.005) << "the restarted tune sounds";
  const double expectedTicks = StepsFor(3) * kStep / double(kRate) / tune.Seconds(1);
  EXPECT_NEAR(device.CurrentTick(), expectedTicks, tune.division / 8.0);
}

// No polling: the watchdog runs only when the device announces, and that is
// enough to loop the tune promptly, once at each end.
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
  const int total = StepsFor(tune.Seconds(device.LengthInTicks()) + 2);
  for (int step = 0; step < total; ++step) {
    Render(device, 1);
    const int tick = device.CurrentTick();
    if (tick < lastTick) {
      ++restarts;
      tickBeforeRestart = lastTick;
    }
    lastTick = tick;
  }
  device.SetNotice({});

  EXPECT_EQ(restarts, 1);
  EXPECT_EQ(notices, 1);
  EXPECT_GE(tickBeforeRestart, device.LengthInTicks());
  EXPECT_LT(tickBeforeRestart, device.LengthInTicks() + tune.division / 8.0)
      << "restarted within a step of the end";
  EXPECT_LT(tune.Seconds(lastTick), 2.1) << "two seconds into the second round";
}

TEST(FluidSynthDevice, AMissingOrDamagedSoundfontMeansSilenceWithoutAWord) {
  QTemporaryDir dir;
  QFile real("/usr/share/sounds/sf2/TimGM6mb.sf2");
  ASSERT_TRUE(real.open(QIODevice::ReadOnly));
  QByteArray damaged = real.readAll();
  damaged.replace(100, 300, QByteArray(300, '\xFF'));
  const std::pair<const char*, QByteArray> rows[] = {
      {"missing", {}}, {"empty", ""}, {"cut short", damaged.left(20000)}, {"damaged", damaged}};
  for (const auto& [name, bytes] : rows) {
    SCOPED_TRACE(name);
    const QString path = dir.filePath(QString(name) + ".sf2");
    if (!bytes.isNull()) {
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(bytes);
    }
    testing::StderrCapture err;
    FluidSynthDevice device(Output::kOffline, {path});
    device.Open(testing::SampleTune().path);
    device.Play();
    EXPECT_EQ(Mode(device), "(failed)");
    EXPECT_EQ(err.Text(), QByteArray());
  }
}

TEST(FluidSynthDevice, RefusesAMissingOrDamagedTuneSilently) {
  QTemporaryDir dir;
  const testing::SampleTune sample;
  const std::pair<const char*, QByteArray> rows[] = {
      {"absent.mid", {}},
      {"text.mid", "not a tune at all\r\n"},
      {"cut.mid", sample.bytes.left(sample.bytes.size() / 2)},
  };
  for (const auto& [file, bytes] : rows) {
    SCOPED_TRACE(file);
    const QString path = dir.filePath(file);
    if (!bytes.isEmpty()) {
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(bytes);
    }
    for (Output output : {Output::kOffline, Output::kSpeakers}) {
      FluidSynthDevice device(output);
      testing::StderrCapture err;
      device.Open(sample.path);
      device.Play();
      device.Open(path);
      const std::string mode = Mode(device);
      device.Play();
      device.Rewind();
      device.PlayFromStart();
      float l[8], r[8];
      EXPECT_FALSE(device.Render(l, r, 8));
      device.Close();
      EXPECT_EQ(err.Text(), QByteArray());
      EXPECT_EQ(mode, "(failed)");
    }
  }
}

// With a sound device or without one (a sound server named but not there), start-up
// gets a playing tune or silence, and never a word on the terminal.
TEST(FluidSynthDevice, ThroughTheSpeakersItPlaysOrStaysSilentWithoutAWord) {
  const testing::SampleTune tune;
  const QByteArray saved = qgetenv("PULSE_SERVER");
  for (const bool serverGone : {false, true}) {
    if (serverGone) qputenv("PULSE_SERVER", "unix:/nonexistent/hibi-test/native");
    testing::StderrCapture err;
    std::string mode;
    {
      FluidSynthDevice device(Output::kSpeakers);
      device.Open(tune.path);
      device.Play();
      mode = Mode(device);
    }
    EXPECT_EQ(err.Text(), QByteArray());
    EXPECT_TRUE(mode == "playing" || mode == "(failed)") << mode;
  }
  if (saved.isNull())
    qunsetenv("PULSE_SERVER");
  else
    qputenv("PULSE_SERVER", saved);
}

}  // namespace
}  // namespace hibi
