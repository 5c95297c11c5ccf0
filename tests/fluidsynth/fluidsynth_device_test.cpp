// The FluidSynth device with the real library and soundfont, rendering offline
// so the tune plays faster than real time and no sound device is needed; then its
// state machine through fakes of the library and of the sound server.
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
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "fluidsynth/fluidsynth_device.h"
#include "fluidsynth/fluidsynth_library.h"
#include "game/music.h"

namespace hibi {
namespace {

using Output = FluidSynthDevice::Output;
constexpr int kRate = 44100;  // the synthesiser's own rate
// The player moves on in steps of one rendered block; 147 frames is 1/300 s.
constexpr int kStep = 147;
const QString kTune = QStringLiteral(HIBI_SAMPLE_DIR "/bgm.mid");

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

// The volume is the device's own, proved with the fakes below.
TEST(FluidSynthDevice, OfflineTheTuneWaitsForPlayAndIsHeard) {
  FluidSynthDevice device(Output::kOffline);
  device.Open(kTune);
  EXPECT_EQ(Mode(device), "stopped") << "an opened tune waits to be played";
  device.Play();
  EXPECT_GT(Render(device, kTwoSeconds), 0.005);
}

// Whatever fails to load, the tune stays silent: every call after it is refused quietly.
// Through the speakers, the real libraries meet a sound server named but not there and an
// ALSA without devices, so even the sound tune is refused there. The state machine with a
// server is driven through fakes (below).
TEST(FluidSynthDevice, AMissingOrDamagedSoundfontOrTuneOrNoServerMeansSilenceWithoutAWord) {
  const QByteArray saved = qgetenv("PULSE_SERVER");
  qputenv("PULSE_SERVER", "unix:/nonexistent/hibi-test/native");
  QTemporaryFile noDevices;
  ASSERT_TRUE(noDevices.open());
  qputenv("ALSA_CONFIG_PATH", noDevices.fileName().toLocal8Bit());
  QTemporaryDir dir;
  QFile real("/usr/share/sounds/sf2/TimGM6mb.sf2");
  ASSERT_TRUE(real.open(QIODevice::ReadOnly));
  QByteArray damaged = real.readAll();
  damaged.replace(100, 300, QByteArray(300, '\xFF'));
  QFile tune(kTune);
  ASSERT_TRUE(tune.open(QIODevice::ReadOnly));
  const QByteArray tuneBytes = tune.readAll();
  // clang-format off
  const std::pair<const char*, QByteArray> rows[] = {
      {"missing.sf2", {}}, {"empty.sf2", ""}, {"cut.sf2", damaged.left(20000)},
      {"damaged.sf2", damaged}, {"absent.mid", {}}, {"text.mid", "not a tune at all\r\n"},
      {"cut.mid", tuneBytes.left(tuneBytes.size() / 2)}, {"fifo.mid", "|"},
      {"zero.mid", "/dev/zero"}, {"sound.mid", tuneBytes}};
  // clang-format on
  for (const auto& [file, bytes] : rows) {
    const QString path = dir.filePath(file);
    QFile out(path);  // a null `bytes`: no file at all; "|" a FIFO; "/…" a link there
    if (bytes == "|") {
      ::mkfifo(QFile::encodeName(path).constData(), 0600);
    } else if (bytes.startsWith('/')) {
      QFile::link(QString::fromLatin1(bytes), path);
    } else if (!bytes.isNull() && out.open(QIODevice::WriteOnly)) {
      out.write(bytes);
      out.close();
    }
    const bool font = path.endsWith(".sf2");
    for (Output output : {Output::kOffline, Output::kSpeakers}) {
      if (bytes == tuneBytes && output == Output::kOffline) continue;  // heard: the test above
      SCOPED_TRACE(::testing::Message() << file << (output == Output::kOffline ? " offline" : ""));
      EXPECT_EQ(StderrOf([&] {
                  FluidSynthDevice device(output, font ? QStringList{path} : QStringList{});
                  OpenSettled(device, kTune);
                  device.Play();
                  if (!font) OpenSettled(device, path);
                  EXPECT_EQ(Mode(device), "(failed)");
                  EXPECT_FALSE(device.HasTune());
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
  if (saved.isNull()) {
    qunsetenv("PULSE_SERVER");
  } else {
    qputenv("PULSE_SERVER", saved);
  }
  qunsetenv("ALSA_CONFIG_PATH");
}

// The fakes: the test pulls blocks as the sound server would. The fake player moves
// kTicksPerStep ticks at each 64-frame step, sounds kLevel on both channels before
// the tune's end and nothing after it, and, like FluidSynth's, applies a seek only
// at its next step.

constexpr int kFakeStep = 64;  // the device renders in steps of 64 frames
constexpr int kTicksPerStep = 5;
constexpr float kLevel = 0.25f;

struct Fake {
  int tick = 0;
  int seekTo = -1;
  int status = FLUID_PLAYER_READY;
  int plays = 0;
  int length = 0;
  bool moves = true;  // false: the player gives up at once, having played nothing
  bool server = true;
  bool alsa = true;
  std::mutex gate;  // held by a test: the soundfont is still loading
  handle_midi_tick_func_t onTick = nullptr;
  void* tickData = nullptr;
  RenderBlock render;
  float serverVolume = -1;  // the server scales the stream; -1 until it is told
  fluid_audio_func_t driver = nullptr;
  void* driverData = nullptr;
};
Fake* fake = nullptr;
int token;  // what the fake hands out for every object
template <class T>
T* Handle() {
  return reinterpret_cast<T*>(&token);
}

int WriteFloat(fluid_synth_t*, int len, void* l, int lo, int li, void* r, int ro, int ri) {
  if (fake->seekTo >= 0) fake->tick = std::exchange(fake->seekTo, -1);
  const bool playing = fake->status == FLUID_PLAYER_PLAYING;
  const float level = playing && fake->tick < fake->length ? kLevel : 0.0f;
  for (int i = 0; i < len; ++i) {
    static_cast<float*>(l)[lo + i * li] = level;
    static_cast<float*>(r)[ro + i * ri] = level;
  }
  if (playing) fake->onTick(fake->tickData, fake->tick += kTicksPerStep);
  return FLUID_OK;
}

std::unique_ptr<FluidSynthLibrary> FakeLibrary() {
  auto f = std::make_unique<FluidSynthLibrary>();
  const auto ok = [](auto...) { return FLUID_OK; };
  const auto yes = [](auto...) { return 1; };
  const auto done = [](auto...) {};
  f->fluid_set_log_function = [](auto...) -> fluid_log_function_t { return nullptr; };
  f->fluid_is_soundfont = yes;
  f->new_fluid_settings = [] { return Handle<fluid_settings_t>(); };
  f->delete_fluid_settings = done;
  f->fluid_settings_setint = ok;
  f->fluid_settings_setnum = ok;
  f->fluid_settings_setstr = ok;
  f->new_fluid_synth = [](fluid_settings_t*) { return Handle<fluid_synth_t>(); };
  f->delete_fluid_synth = done;
  f->fluid_synth_sfload = [](fluid_synth_t*, const char*, int) {
    const std::lock_guard<std::mutex> wait(fake->gate);
    return 1;
  };
  f->fluid_synth_write_float = WriteFloat;
  f->new_fluid_player = [](fluid_synth_t*) { return Handle<fluid_player_t>(); };
  f->delete_fluid_player = done;
  f->fluid_player_add_mem = ok;
  f->fluid_player_play = [](fluid_player_t*) {
    ++fake->plays;
    if (!fake->moves) fake->onTick(fake->tickData, 0);  // where it stands, as it gives up
    fake->status = fake->moves ? FLUID_PLAYER_PLAYING : FLUID_PLAYER_DONE;
    return FLUID_OK;
  };
  f->fluid_player_stop = [](fluid_player_t*) {
    fake->status = FLUID_PLAYER_DONE;
    return FLUID_OK;
  };
  f->fluid_player_seek = [](fluid_player_t*, int ticks) {
    fake->seekTo = ticks;
    return FLUID_OK;
  };
  f->fluid_player_get_status = [](fluid_player_t*) { return fake->status; };
  f->fluid_player_get_current_tick = [](fluid_player_t*) { return fake->tick; };
  f->fluid_player_set_tick_callback = [](fluid_player_t*, handle_midi_tick_func_t call,
                                         void* data) {
    fake->onTick = call;
    fake->tickData = data;
    return FLUID_OK;
  };
  // FluidSynth's own driver, tried when there is no sound server.
  f->new_fluid_audio_driver2 = [](fluid_settings_t*, fluid_audio_func_t call, void* data) {
    fake->driver = call;
    fake->driverData = data;
    return fake->alsa ? Handle<fluid_audio_driver_t>() : nullptr;
  };
  f->delete_fluid_audio_driver = done;
  return f;
}

struct FakeStream : SoundStream {
  bool Start(RenderBlock render) override {
    fake->render = std::move(render);
    return true;
  }
  void SetVolume(float volume) override { fake->serverVolume = volume; }
};

SoundSystem FakeSystem() {
  return {FakeLibrary,
          []() -> std::unique_ptr<SoundStream> {
            return fake->server ? std::make_unique<FakeStream>() : nullptr;
          },
          [] { return true; }};
}

// The window: the watchdog runs on a thread of its own for each notice, while the
// audio thread goes on.
struct Window {
  Window(FluidSynthDevice& d, Music& music) : device(d) {
    device.SetNotice([this] {
      ++received;
      received.notify_one();
    });
    thread = std::jthread([this, &music](std::stop_token stop) {
      for (received.wait(0); !stop.stop_requested(); received.wait(handled)) {
        music.BgmTim_Timer();
        ++handled;
        handled.notify_all();
      }
    });
  }
  ~Window() {
    device.SetNotice({});
    thread.request_stop();
    ++received;
    received.notify_one();
  }
  // Until `count` notices have been handled.
  void Await(int count) {
    for (int now = handled; now < count; now = handled) handled.wait(now);
  }
  FluidSynthDevice& device;
  std::atomic<int> received{0};
  std::atomic<int> handled{0};
  std::jthread thread;
};

class FakeDevice : public ::testing::Test {
 protected:
  FakeDevice() { fake = &state; }
  std::string Mode() { return hibi::Mode(device); }
  // Pulls `frames` as the server would; the level each step ends on, left and right alike.
  std::vector<float> Pull(int frames) {
    std::vector<float> block(2 * frames, -1.0f), levels;
    const int rendered = fake->render(block.data(), frames);
    for (int i = kFakeStep - 1; i < rendered; i += kFakeStep) {
      EXPECT_EQ(block[2 * i], block[2 * i + 1]);
      const float first = block[2 * (i - kFakeStep + 1)];
      EXPECT_TRUE(i < kFakeStep || first == block[2 * i])
          << "steady past a change, step " << i / kFakeStep;
      levels.push_back(block[2 * i]);
    }
    return levels;
  }
  void OpenAndPlay() {
    music.OpenMusic(kTune);
    window.Await(2);  // the close and the tune's fate
    EXPECT_EQ(Mode(), "stopped") << "until played";
    fake->length = device.LengthInTicks();
    music.bgmEnabled = true;
    music.PlayMusic();
  }
  Fake state;
  FluidSynthDevice device{FluidSynthDevice::Output::kSpeakers, {}, FakeSystem()};
  Music music{device};
  Window window{device, music};
};

// However large the blocks the server takes, the restart lands in the very step
// after the tune's end: not one step is silent.
TEST_F(FakeDevice, TheTuneLoopsSeamlesslyInsideOneLargeBlock) {
  OpenAndPlay();
  fake->tick = fake->length - 10 * kTicksPerStep;
  std::vector<float> seam;  // a block may end at the tune's end; the next goes on
  for (int pulls = 0; pulls < 2 && seam.size() < 8192 / kFakeStep; ++pulls) {
    const std::vector<float> block = Pull(8192 - kFakeStep * static_cast<int>(seam.size()));
    seam.insert(seam.end(), block.begin(), block.end());
  }
  EXPECT_EQ(seam, std::vector<float>(8192 / kFakeStep, kLevel));
  window.Await(3);
  EXPECT_EQ(fake->plays, 2) << "one start, one restart";
  EXPECT_LT(device.CurrentTick(), 200 * kTicksPerStep) << "the second round plays";
}

// The watchdog's slow safety tick restarts a tune whose end went unannounced, and a
// tick just after a restart, with the player not yet moved, leaves it alone; the
// next block starts with the restart. Unrestarted, a block stops short at the end,
// and the next plays on, silent.
TEST_F(FakeDevice, WithoutTheNoticeTheSafetyTickRestartsTheTuneOnce) {
  OpenAndPlay();
  device.SetNotice({});
  fake->tick = fake->length - 2 * kTicksPerStep;
  EXPECT_EQ(Pull(kFakeStep * 2), (std::vector<float>{kLevel, kLevel}));
  EXPECT_EQ(Mode(), "stopped");
  music.BgmTim_Timer();
  EXPECT_EQ(Mode(), "playing") << "restarting, though the player still shows the end";
  music.BgmTim_Timer();
  EXPECT_EQ(fake->plays, 2);
  EXPECT_EQ(Pull(kFakeStep), std::vector<float>{kLevel});
  for (const bool restarted : {true, false}) {  // every end stops a block short
    fake->tick = fake->length - kTicksPerStep;
    EXPECT_EQ(Pull(kFakeStep * 4), std::vector<float>{kLevel});
    if (restarted) music.BgmTim_Timer();
    EXPECT_EQ(Pull(kFakeStep * 2), (std::vector<float>(2, restarted ? kLevel : 0))) << restarted;
  }
}

// A player that gives up without a tick is started again at most once a second.
TEST_F(FakeDevice, APlayerThatNeverPlaysIsNotRestartedInAStorm) {
  fake->moves = false;
  OpenAndPlay();
  for (int i = 0; i < 20; ++i) music.BgmTim_Timer();
  EXPECT_EQ(Mode(), "stopped");
  EXPECT_EQ(fake->plays, 1);
}

// While the synthesiser is built, a Play and the volume are held, and made as it is
// done. The server scales what it holds by the volume, so the sound it is given is
// not scaled twice.
TEST_F(FakeDevice, WhatIsAskedWhileTheSynthesiserIsBuiltIsHeld) {
  std::unique_lock<std::mutex> loading(fake->gate);
  music.OpenMusic(kTune);
  EXPECT_EQ(Mode(), "stopped");
  EXPECT_TRUE(device.HasTune());
  music.bgmEnabled = true;
  music.PlayMusic();
  device.SetVolume(0.5);
  EXPECT_EQ(Mode(), "playing");
  device.Rewind();
  EXPECT_EQ(Mode(), "stopped") << "a Rewind drops the held Play";
  music.PlayMusic();
  EXPECT_EQ(fake->plays, 0);
  loading.unlock();
  window.Await(2);
  EXPECT_EQ(fake->plays, 1);
  fake->length = device.LengthInTicks();
  EXPECT_EQ(fake->serverVolume, 0.5f);
  EXPECT_EQ(Pull(kFakeStep), std::vector<float>{kLevel});
  device.SetVolume(0);
  EXPECT_EQ(fake->serverVolume, 0.0f) << "muted";
}

// Without a sound server the tune goes to ALSA, scaled by the volume on its way;
// without either it is not open.
TEST_F(FakeDevice, WithoutAServerTheTunePlaysThroughAlsaOrNotAtAll) {
  fake->server = false;
  OpenAndPlay();
  EXPECT_EQ(Mode(), "playing");
  device.SetVolume(0.5);
  std::vector<float> left(kFakeStep), right(kFakeStep);
  float* out[2] = {left.data(), right.data()};
  EXPECT_EQ(fake->driver(fake->driverData, kFakeStep, 0, nullptr, 2, out), FLUID_OK);
  EXPECT_EQ(left.back(), kLevel * 0.5f);
  EXPECT_EQ(right.back(), kLevel * 0.5f);
  fake->alsa = false;
  music.OpenMusic(kTune);
  window.Await(4);
  EXPECT_FALSE(device.HasTune());
  EXPECT_EQ(Mode(), "(failed)");
}

}  // namespace
}  // namespace hibi
