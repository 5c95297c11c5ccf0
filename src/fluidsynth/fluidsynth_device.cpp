#include "fluidsynth/fluidsynth_device.h"

#include <malloc.h>

#include <QFile>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>

#include "audio/midi_file.h"
#include "fluidsynth/fluidsynth_library.h"
#include "fluidsynth/fluidsynth_quiet.h"
#include "storage/game_file.h"

namespace hibi {
namespace {

template <typename T>
using Owned = std::unique_ptr<T, void (*)(T*)>;

// Debian points default-GM.sf2 at whichever General MIDI soundfont is installed.
const QStringList kSystemSoundfonts = {QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2"),
                                       QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"),
                                       QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2")};

// How long a player that stopped without playing a tick waits before it is
// started again: each start parses the whole tune on the audio thread.
constexpr std::chrono::seconds kRetryAfterFailure{1};

// Without a sound server, FluidSynth's own ALSA driver. Nothing else is tried: a
// file or a null output would only spend CPU on music nobody hears. Its three
// periods of 2048 frames hold 139 ms, so a volume change is heard within 0.19 s.
constexpr char kFallbackDriver[] = "alsa";
constexpr int kFallbackPeriod = 2048;
constexpr int kFallbackPeriods = 3;

// The audio thread renders a block in steps of the synthesiser's own 64 frames,
// and after the step that played the tune's end it waits this long at most for
// the restart: the next step then starts the tune again, instead of the rest of
// the block (up to 200 ms) going out silent first. When the game is slower than
// that (a loaded machine), the block to the sound server ends at the tune's end
// and the next one, asked for soon after, waits again before it gives up. The
// server still holds 300 ms when it asks, so no wait reaches the speakers.
constexpr int kRenderStep = 64;
constexpr std::chrono::milliseconds kRestartWait{20};

// The synthesiser's gain at full volume.
constexpr float kFullGain = 1.2f;

constexpr char kModeStopped[] = "stopped";
constexpr char kModePlaying[] = "playing";

// Writes "playing" or "stopped" and a terminating zero, cut to the capacity.
void CopyMode(bool playing, char* reply, int capacity) {
  if (capacity <= 0) return;
  const std::string_view mode = playing ? kModePlaying : kModeStopped;
  const std::size_t n = std::min(mode.size(), static_cast<std::size_t>(capacity - 1));
  std::memcpy(reply, mode.data(), n);
  reply[n] = '\0';
}

}  // namespace

struct FluidSynthDevice::Impl {
  Impl(Output o, QStringList fonts, SoundSystem sound)
      : output(o),
        soundfonts(fonts.isEmpty() ? kSystemSoundfonts : std::move(fonts)),
        system(std::move(sound)) {}

  // Declared in the order of building; destroyed in reverse, so the audio thread
  // stops before the player and the synth it renders go away, and the library
  // goes last.
  Output output;
  QStringList soundfonts;
  SoundSystem system;
  // Taken by the audio thread only to announce an end, once per round of the tune.
  std::mutex noticeLock;
  std::function<void()> notice;
  std::unique_ptr<FluidSynthLibrary> lib;
  std::unique_ptr<QuietSoundLibraries> quiet;
  Owned<fluid_settings_t> settings{nullptr, nullptr};
  Owned<fluid_synth_t> synth{nullptr, nullptr};
  Owned<fluid_player_t> player{nullptr, nullptr};
  Owned<fluid_audio_driver_t> driver{nullptr, nullptr};
  std::unique_ptr<SoundStream> stream;
  int length = 0;
  // Set by the game. The sound server applies it; without one, the audio thread
  // scales what it renders by it.
  std::atomic<float> volume{1.0f};
  float heardVolume = 1.0f;  // the audio thread's own: where the last step ended
  // Set by a restart until the player's first step past it: until then the
  // player still shows the old end position, which must not read as stopped again.
  // Cleared by the audio thread too: with the watchdog run only at the tune's end,
  // no status query may come between a restart and the next end.
  std::atomic<bool> restarting{false};
  // Written by the audio thread as the player moves on. The end is announced once
  // the player has been seen before it since the last start: just after a restart
  // the player may still report the old end position once more.
  std::atomic<bool> ticked{false};
  std::atomic<bool> beforeEnd{false};
  // Speakers: the end has played and the audio thread may wait for the restart.
  std::atomic<bool> endPlayed{false};
  bool stoppedShort = false;  // the audio thread's own: a block stopped short at this end
  std::mutex restartLock;
  std::condition_variable restarted;
  bool started = false;
  std::chrono::steady_clock::time_point lastStart;
  // Through the speakers the synthesiser is built on a thread of its own: the
  // library, the sound server and the soundfont took 55-80 ms, which the title
  // would otherwise wait for. Until the build is done nothing above is touched
  // from here; a Play meanwhile is held and done by the builder as it finishes.
  std::thread builder;
  std::mutex buildLock;
  bool building = false;       // guarded by buildLock
  bool playWhenBuilt = false;  // guarded by buildLock

  bool IsOpen() const { return player != nullptr; }

  // While a build runs: applies `hold` to what is held for it and returns true.
  template <class Hold>
  bool WhileBuilding(Hold hold) {
    const std::lock_guard<std::mutex> guard(buildLock);
    if (!building) return false;
    hold();
    return true;
  }

  void Announce() {
    const std::lock_guard<std::mutex> hold(noticeLock);
    if (notice) notice();
  }

  static int OnTick(void* data, int tick) {
    Impl& d = *static_cast<Impl*>(data);
    if (tick < d.length) {
      d.restarting.store(false);
      if (tick > 0) d.ticked.store(true);
      d.beforeEnd.store(true);
    } else if (d.beforeEnd.exchange(false)) {
      if (d.output == Output::kSpeakers) {
        d.stoppedShort = false;  // the audio thread's own, as this callback is
        d.endPlayed.store(true);
      }
      d.Announce();
    }
    return FLUID_OK;
  }

  // The audio thread's render, `stride` floats from one frame to the next. The
  // player's own callback must have returned before the restart is made, or it would
  // mark the restarted tune done again; so the wait comes between steps, never
  // inside the tick.
  // Returns the frames rendered: with `mayStopShort`, fewer when the restart after
  // the tune's end is still awaited; -1 when the synthesiser failed.
  int RenderSteps(float* left, float* right, int stride, int frames, bool mayStopShort) {
    for (int done = 0; done < frames;) {
      if (endPlayed.load() && !AwaitRestart(mayStopShort)) return done;
      const int n = std::min(kRenderStep, frames - done);
      if (lib->fluid_synth_write_float(synth.get(), n, left, done * stride, stride, right,
                                       done * stride, stride) != FLUID_OK)
        return -1;
      if (!stream) Scale(left + done * stride, right + done * stride, stride, n);
      done += n;
    }
    return frames;
  }

  // The volume is applied to the rendered sound, not to the synthesiser's voices:
  // the reverb's tail of a muted tune would ring on for half a second. A change
  // slides over one step, so a mute makes no click.
  void Scale(float* left, float* right, int stride, int frames) {
    const float from = heardVolume;
    const float to = volume.load();
    if (from == 1.0f && to == 1.0f) return;
    for (int i = 0; i < frames; ++i) {
      const float v = from + (to - from) * static_cast<float>(i + 1) / static_cast<float>(frames);
      left[i * stride] *= v;
      right[i * stride] *= v;
    }
    heardVolume = to;
  }

  static int RenderPeriod(void* data, int len, int, float*[], int nout, float* out[]) {
    Impl& d = *static_cast<Impl*>(data);
    return nout >= 2 && d.RenderSteps(out[0], out[1], 1, len, false) == len ? FLUID_OK
                                                                            : FLUID_FAILED;
  }

  // False: stop the block short, the restart may come before the next. Otherwise
  // the restart came, or it is not waited for again: a game that does not restart
  // (music off) is waited for at most twice per end.
  bool AwaitRestart(bool mayStopShort) {
    std::unique_lock<std::mutex> hold(restartLock);
    if (restarted.wait_for(hold, kRestartWait, [this] { return !endPlayed.load(); })) return true;
    if (mayStopShort && !stoppedShort) {
      stoppedShort = true;
      return false;
    }
    endPlayed.store(false);
    return true;
  }

  void RestartMade() {
    {
      const std::lock_guard<std::mutex> hold(restartLock);
      endPlayed.store(false);
    }
    restarted.notify_all();
  }

  // False while the last start is under a second old and never reached a tick.
  bool MayStart() {
    const auto now = std::chrono::steady_clock::now();
    if (started && !ticked.load() && now - lastStart < kRetryAfterFailure) return false;
    started = true;
    ticked.store(false);
    beforeEnd.store(false);
    lastStart = now;
    return true;
  }

  void Reset() {
    if (builder.joinable()) builder.join();
    ResetParts();
  }

  void ResetParts() {
    stream.reset();
    driver.reset();
    player.reset();
    synth.reset();
    settings.reset();
    length = 0;
    restarting = false;
    started = false;
  }

  bool LoadLibrary() {
    if (lib) return true;
    lib = system.loadSynthesiser();
    if (lib) quiet = std::make_unique<QuietSoundLibraries>(*lib);
    return lib != nullptr;
  }

  void Configure() {
    fluid_settings_t* s = settings.get();
    lib->fluid_settings_setint(s, "synth.lock-memory", 0);
    // Only the instruments the tune uses are read from the soundfont.
    lib->fluid_settings_setint(s, "synth.dynamic-sample-loading", 1);
    lib->fluid_settings_setnum(s, "synth.gain", kFullGain);
    // The tune needs at most 45 voices at once; the default 256 costs 2 MB more.
    lib->fluid_settings_setint(s, "synth.polyphony", 64);
    lib->fluid_settings_setint(s, "audio.period-size", kFallbackPeriod);
    lib->fluid_settings_setint(s, "audio.periods", kFallbackPeriods);
  }

  // The sound server if there is one, else ALSA straight.
  bool ConnectOutput() {
    stream = system.connectServer ? system.connectServer() : nullptr;
    if (stream) return true;
    lib->fluid_settings_setstr(settings.get(), "audio.driver", kFallbackDriver);
    driver = {lib->new_fluid_audio_driver2(settings.get(), &Impl::RenderPeriod, this),
              lib->delete_fluid_audio_driver};
    return driver != nullptr;
  }

  bool StartStream() {
    return !stream || stream->Start([this](float* block, int frames) {
      return RenderSteps(block, block + 1, 2, frames, true);
    });
  }

  // Under buildLock: what was asked while the build ran. A volume set while the
  // stream started is passed on here, or by SetVolume once the build is over.
  void ApplyHeld(bool& played) {
    if (stream) stream->SetVolume(volume.load());
    if (playWhenBuilt && !played && MayStart()) {
      lib->fluid_player_play(player.get());
      played = true;
    }
  }

  bool LoadSoundfont() {
    const QuietGlib quiet;
    for (const QString& font : soundfonts) {
      const QByteArray path = QFile::encodeName(font);
      if (lib->fluid_is_soundfont(path.constData()) &&
          lib->fluid_synth_sfload(synth.get(), path.constData(), 1) != FLUID_FAILED)
        return true;
    }
    return false;
  }

  // Leaves the tune open when the file is one the synthesiser plays and there is
  // somewhere to play it; otherwise leaves nothing open.
  // The tune lies in the game folder itself: read as a game file of that folder, so
  // a link leading out, a device or a FIFO is refused at once, and never more than
  // kMaxTuneBytes are read. The synthesiser gets the bytes, never the name.
  void OpenTune(const QString& path) {
    const FileBytes file = ReadGameFile(FolderOfPath(path), path, kMaxTuneBytes);
    if (file.problem != FileProblem::None) return;
    const QByteArray tune = file.bytes;
    const std::optional<int> ticks = MidiFileLengthInTicks(tune);
    if (!ticks) return;
    if (output == Output::kSpeakers && !system.outputMayExist()) return;
    length = *ticks;
    if (output == Output::kOffline) {
      if (!Prepare(tune)) Abandon();
      return;
    }
    {
      const std::lock_guard<std::mutex> guard(buildLock);
      building = true;
      playWhenBuilt = false;
    }
    // The held Play is made before the stream starts, so the first block the server
    // takes already holds the tune's first notes; and again after, for a Play or a
    // Play asked while the stream started.
    builder = std::thread([this, tune] {
      bool built = Prepare(tune);
      bool played = false;
      if (built) {
        const std::lock_guard<std::mutex> guard(buildLock);
        ApplyHeld(played);
      }
      built = built && StartStream();
      {
        const std::lock_guard<std::mutex> guard(buildLock);
        if (!built) {
          Abandon();
        } else {
          ApplyHeld(played);
        }
        building = false;
      }
      Announce();
    });
  }

  bool Prepare(const QByteArray& tune) { return LoadLibrary() && Build(tune); }

  void Abandon() {
    ResetParts();
    // A game that stays silent should not keep the synthesiser's freed buffers.
    malloc_trim(0);
  }

  // Builds the synthesiser and player for the tune and starts the output.
  bool Build(const QByteArray& tune) {
    settings = {lib->new_fluid_settings(), lib->delete_fluid_settings};
    if (!settings) return false;
    Configure();
    synth = {lib->new_fluid_synth(settings.get()), lib->delete_fluid_synth};
    if (!synth) return false;
    player = {lib->new_fluid_player(synth.get()), lib->delete_fluid_player};
    if (!player ||
        lib->fluid_player_add_mem(player.get(), tune.constData(), tune.size()) != FLUID_OK)
      return false;
    lib->fluid_player_set_tick_callback(player.get(), &Impl::OnTick, this);
    // The output goes first: without a sound device it fails within a millisecond,
    // and the soundfont need never be read.
    return (output == Output::kOffline || ConnectOutput()) && LoadSoundfont();
  }
};

FluidSynthDevice::FluidSynthDevice(Output output, QStringList soundfonts, SoundSystem system)
    : impl_(std::make_unique<Impl>(output, std::move(soundfonts), std::move(system))) {}

FluidSynthDevice::~FluidSynthDevice() {
  impl_->Reset();
}

void FluidSynthDevice::Close() {
  impl_->Reset();
  impl_->Announce();
}

// Announces when the tune's fate is known: at once, or when the build is done.
void FluidSynthDevice::Open(const QString& path) {
  impl_->Reset();
  impl_->OpenTune(path);
  if (!impl_->builder.joinable()) impl_->Announce();
}

void FluidSynthDevice::Play() {
  Impl& d = *impl_;
  if (d.WhileBuilding([&d] { d.playWhenBuilt = true; })) return;
  if (d.IsOpen() && d.MayStart()) d.lib->fluid_player_play(d.player.get());
}

bool FluidSynthDevice::Status(char* reply, int capacity) {
  Impl& d = *impl_;
  bool held = false;
  if (d.WhileBuilding([&] { held = d.playWhenBuilt; })) {
    // The tune will play as soon as it can; it has not stopped.
    CopyMode(held, reply, capacity);
    return true;
  }
  if (!d.IsOpen()) return false;
  fluid_player_t* player = d.player.get();
  bool playing = d.lib->fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;
  if (playing) {
    const bool atEnd = d.lib->fluid_player_get_current_tick(player) >= d.length;
    if (!atEnd) d.restarting.store(false);
    playing = !atEnd || d.restarting.load();
  }
  CopyMode(playing, reply, capacity);
  return true;
}

// The player restarts only in the order stop, seek to 0, play; it needs the stop
// even when it is still sounding the tune's last notes.
void FluidSynthDevice::Rewind() {
  Impl& d = *impl_;
  if (d.WhileBuilding([&d] { d.playWhenBuilt = false; })) return;
  if (!d.IsOpen()) return;
  d.lib->fluid_player_stop(d.player.get());
  d.lib->fluid_player_seek(d.player.get(), 0);
}

void FluidSynthDevice::PlayFromStart() {
  Impl& d = *impl_;
  if (d.WhileBuilding([&d] { d.playWhenBuilt = true; })) return;
  if (!d.IsOpen() || !d.MayStart()) return;
  d.lib->fluid_player_seek(d.player.get(), 0);
  d.restarting = true;
  d.lib->fluid_player_play(d.player.get());
  d.RestartMade();
}

// The player runs on at any volume, so a muted tune is in step when it is heard again.
void FluidSynthDevice::SetVolume(double volume) {
  Impl& d = *impl_;
  d.volume.store(static_cast<float>(std::clamp(volume, 0.0, 1.0)));
  if (!d.WhileBuilding([] {}) && d.stream) d.stream->SetVolume(d.volume.load());
}

void FluidSynthDevice::SetNotice(std::function<void()> notice) {
  const std::lock_guard<std::mutex> hold(impl_->noticeLock);
  impl_->notice = std::move(notice);
}

bool FluidSynthDevice::HasTune() const {
  Impl& d = *impl_;
  return d.WhileBuilding([] {}) || d.IsOpen();
}

bool FluidSynthDevice::Render(float* left, float* right, int frames) {
  Impl& d = *impl_;
  if (!d.IsOpen() || d.output != Output::kOffline || frames <= 0) return false;
  return d.RenderSteps(left, right, 1, frames, false) == frames;
}

int FluidSynthDevice::CurrentTick() const {
  Impl& d = *impl_;
  if (d.WhileBuilding([] {})) return 0;
  return d.IsOpen() ? d.lib->fluid_player_get_current_tick(d.player.get()) : 0;
}

int FluidSynthDevice::LengthInTicks() const {
  return impl_->length;
}

}  // namespace hibi
