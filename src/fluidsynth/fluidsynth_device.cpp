#include "fluidsynth/fluidsynth_device.h"

#include <malloc.h>

#include <QFile>
#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "fluidsynth/fluidsynth_library.h"
#include "fluidsynth/fluidsynth_output.h"
#include "fluidsynth/fluidsynth_quiet.h"
#include "audio/midi_file.h"

namespace hibi {
namespace {

template <typename T>
using Owned = std::unique_ptr<T, void (*)(T*)>;

// Debian points default-GM.sf2 at whichever General MIDI soundfont is installed.
constexpr std::array<const char*, 3> kSoundfonts = {"/usr/share/sounds/sf2/default-GM.sf2",
                                                    "/usr/share/sounds/sf2/TimGM6mb.sf2",
                                                    "/usr/share/sounds/sf2/FluidR3_GM.sf2"};

// PipeWire desktops serve PulseAudio too. Nothing else is tried: a file or a
// null output would only spend CPU on music nobody hears.
constexpr std::array<const char*, 2> kDrivers = {"pulseaudio", "alsa"};

// No real tune comes near this; a bigger file is not worth reading at start-up.
constexpr qint64 kLargestTune = 16 * 1024 * 1024;

// The synthesiser's gain at full volume.
constexpr float kFullGain = 1.2f;

constexpr char kModeStopped[] = "stopped";
constexpr char kModePlaying[] = "playing";

void CopyMode(const char* mode, std::size_t length, char* reply, int capacity) {
  if (capacity <= 0) return;
  const std::size_t n = std::min(length, static_cast<std::size_t>(capacity - 1));
  std::memcpy(reply, mode, n);
  reply[n] = '\0';
}

}  // namespace

struct FluidSynthDevice::Impl {
  explicit Impl(Output o) : output(o) {}

  // Declared in the order of building; destroyed in reverse, so the audio thread
  // stops before the player and the synth it renders go away, and the library
  // goes last.
  Output output;
  std::unique_ptr<FluidSynthLibrary> lib;
  std::unique_ptr<QuietSoundLibraries> quiet;
  Owned<fluid_settings_t> settings{nullptr, nullptr};
  Owned<fluid_synth_t> synth{nullptr, nullptr};
  Owned<fluid_player_t> player{nullptr, nullptr};
  Owned<fluid_audio_driver_t> driver{nullptr, nullptr};
  int length = 0;
  double volume = 1.0;
  // Set by a restart until the player's first step past it: until then the
  // player still shows the old end position, which must not read as stopped again.
  bool restarting = false;

  bool IsOpen() const { return player != nullptr; }

  void Reset() {
    driver.reset();
    player.reset();
    synth.reset();
    settings.reset();
    length = 0;
    restarting = false;
  }

  bool LoadLibrary() {
    if (lib) return true;
    lib = FluidSynthLibrary::Load();
    if (lib) quiet = std::make_unique<QuietSoundLibraries>(*lib);
    return lib != nullptr;
  }

  void Configure() {
    fluid_settings_t* s = settings.get();
    lib->fluid_settings_setint(s, "synth.lock-memory", 0);
    // Only the instruments the tune uses are read from the soundfont.
    lib->fluid_settings_setint(s, "synth.dynamic-sample-loading", 1);
    lib->fluid_settings_setnum(s, "synth.gain", kFullGain * volume);
    // The tune needs at most 45 voices at once; the default 256 costs 2 MB more.
    lib->fluid_settings_setint(s, "synth.polyphony", 64);
    // 512 frames is 11.6 ms at 44.1 kHz: the restart lands in the next period, so
    // this bounds the gap at the loop point. Smaller periods cost more than they
    // give: at 256 frames the synthesis and the sound server's client thread took
    // half as much CPU again (15 % of a core against 10.7 %, measured on a null sink).
    lib->fluid_settings_setint(s, "audio.period-size", 512);
    lib->fluid_settings_setint(s, "audio.periods", 4);
  }

  bool StartDriver() {
    for (const char* name : kDrivers) {
      lib->fluid_settings_setstr(settings.get(), "audio.driver", name);
      driver = {lib->new_fluid_audio_driver(settings.get(), synth.get()),
                lib->delete_fluid_audio_driver};
      if (driver) return true;
    }
    return false;
  }

  bool LoadSoundfont() {
    for (const char* path : kSoundfonts)
      if (lib->fluid_is_soundfont(path) &&
          lib->fluid_synth_sfload(synth.get(), path, 1) != FLUID_FAILED)
        return true;
    return false;
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
    // The output goes first: without a sound device it fails within a millisecond,
    // and the soundfont need never be read.
    return (output == Output::kOffline || StartDriver()) && LoadSoundfont();
  }
};

FluidSynthDevice::FluidSynthDevice(Output output) : impl_(std::make_unique<Impl>(output)) {}

FluidSynthDevice::~FluidSynthDevice() {
  impl_->Reset();
}

void FluidSynthDevice::Close() {
  impl_->Reset();
}

void FluidSynthDevice::Open(const QString& path) {
  Impl& d = *impl_;
  d.Reset();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestTune) return;
  const QByteArray tune = file.readAll();
  const std::optional<int> length = MidiFileLengthInTicks(tune);
  if (!length) return;
  if (d.output == Output::kSpeakers && !SoundOutputMayExist()) return;
  if (!d.LoadLibrary()) return;
  // The library's own check too, so anything it would not play stays closed.
  if (!d.lib->fluid_is_midifile(QFile::encodeName(path).constData())) return;
  if (!d.Build(tune)) {
    d.Reset();
    // A game that stays silent should not keep the synthesiser's freed buffers.
    malloc_trim(0);
    return;
  }
  d.length = *length;
}

void FluidSynthDevice::Play() {
  if (impl_->IsOpen()) impl_->lib->fluid_player_play(impl_->player.get());
}

bool FluidSynthDevice::Status(char* reply, int capacity) {
  Impl& d = *impl_;
  if (!d.IsOpen()) return false;
  fluid_player_t* player = d.player.get();
  bool playing = d.lib->fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;
  if (playing) {
    const bool atEnd = d.lib->fluid_player_get_current_tick(player) >= d.length;
    if (!atEnd) d.restarting = false;
    playing = !atEnd || d.restarting;
  }
  if (playing)
    CopyMode(kModePlaying, sizeof kModePlaying - 1, reply, capacity);
  else
    CopyMode(kModeStopped, sizeof kModeStopped - 1, reply, capacity);
  return true;
}

// The player restarts only in the order stop, seek to 0, play; it needs the stop
// even when it is still sounding the tune's last notes.
void FluidSynthDevice::Rewind() {
  Impl& d = *impl_;
  if (!d.IsOpen()) return;
  d.lib->fluid_player_stop(d.player.get());
  d.lib->fluid_player_seek(d.player.get(), 0);
}

void FluidSynthDevice::PlayFromStart() {
  Impl& d = *impl_;
  if (!d.IsOpen()) return;
  d.lib->fluid_player_seek(d.player.get(), 0);
  d.restarting = true;
  d.lib->fluid_player_play(d.player.get());
}

// The player runs on at any volume, so a muted tune is in step when it is heard again.
void FluidSynthDevice::SetVolume(double volume) {
  Impl& d = *impl_;
  d.volume = std::clamp(volume, 0.0, 1.0);
  if (d.IsOpen())
    d.lib->fluid_synth_set_gain(d.synth.get(), kFullGain * static_cast<float>(d.volume));
}

bool FluidSynthDevice::Render(float* left, float* right, int frames) {
  Impl& d = *impl_;
  if (!d.IsOpen() || d.output != Output::kOffline || frames <= 0) return false;
  return d.lib->fluid_synth_write_float(d.synth.get(), frames, left, 0, 1, right, 0, 1) == FLUID_OK;
}

int FluidSynthDevice::CurrentTick() const {
  return impl_->IsOpen() ? impl_->lib->fluid_player_get_current_tick(impl_->player.get()) : 0;
}

int FluidSynthDevice::LengthInTicks() const {
  return impl_->length;
}

}  // namespace hibi
