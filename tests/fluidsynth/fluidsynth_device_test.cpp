// The FluidSynth device with the real library and soundfont, rendering offline
// so the tune plays faster than real time and no sound device is needed.
#include <gtest/gtest.h>
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

TEST(FluidSynthDevice, OfflineTheTuneWaitsForPlayAndMutedPlaysOnUnheard) {
  FluidSynthDevice device(Output::kOffline);
  device.Open(testing::SampleTune().path);
  EXPECT_EQ(Mode(device), "stopped") << "an opened tune waits to be played";
  device.Play();
  device.SetVolume(0);
  EXPECT_LT(Render(device, kTwoSeconds), 1e-6) << "silent";
  const int tick = device.CurrentTick();
  EXPECT_GT(tick, 0) << "the tune went on";
  device.SetVolume(1);
  EXPECT_GT(Render(device, kTwoSeconds), 0.005);
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
      {"cut.mid", sample.bytes.left(sample.bytes.size() / 2)}};
  // clang-format on
  for (const auto& [file, bytes] : rows) {
    const QString path = dir.filePath(file);
    QFile out(path);  // a null `bytes`: no file at all
    if (!bytes.isNull() && out.open(QIODevice::WriteOnly)) out.write(bytes), out.close();
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

// The real libraries with a sound server named but not there and an ALSA without
// devices: the tune is refused and nothing is printed. The state machine with a
// server is driven through fakes (fake_library_test.cpp).
TEST(FluidSynthDevice, ThroughTheSpeakersWithoutAServerItStaysSilentWithoutAWord) {
  const QByteArray saved = qgetenv("PULSE_SERVER");
  qputenv("PULSE_SERVER", "unix:/nonexistent/hibi-test/native");
  QTemporaryFile noDevices;
  ASSERT_TRUE(noDevices.open());
  qputenv("ALSA_CONFIG_PATH", noDevices.fileName().toLocal8Bit());
  std::string mode;
  bool hasTune = true;
  EXPECT_EQ(StderrOf([&] {
              FluidSynthDevice device(Output::kSpeakers);
              OpenSettled(device, testing::SampleTune().path);
              device.Play();
              mode = Mode(device);
              hasTune = device.HasTune();
            }),
            QByteArray());
  EXPECT_EQ(mode, "(failed)");
  EXPECT_FALSE(hasTune);
  saved.isNull() ? qunsetenv("PULSE_SERVER") : qputenv("PULSE_SERVER", saved);
  qunsetenv("ALSA_CONFIG_PATH");
}

}  // namespace
}  // namespace hibi
