#include "fluidsynth/pulse_stream.h"

#include <dlfcn.h>
#include <pthread.h>
#include <pulse/pulseaudio.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace hibi {
namespace {

// The synthesiser's own rate: the server converts, if its sink runs at another.
constexpr int kRate = 44100;
constexpr int kFrameBytes = 2 * sizeof(float);
// What the server holds, its sink's own buffer included, and how much of it plays
// before the stream is asked for more. Each request wakes our thread and finds the
// synthesiser's data out of the CPU's caches: a queue of 150 ms topped up every
// 40 ms cost a fifth more CPU than this, with three times the wake-ups. The volume
// is the server's, applied to what it holds, so the queue's length does not delay it.
constexpr int kQueueMs = 500;
constexpr int kTopUpMs = 200;
constexpr int BytesOf(int ms) {
  return kRate * ms / 1000 * kFrameBytes;
}

#define HIBI_PULSE_FUNCTIONS(X)       \
  X(pa_mainloop_new)                  \
  X(pa_mainloop_get_api)              \
  X(pa_mainloop_iterate)              \
  X(pa_mainloop_wakeup)               \
  X(pa_mainloop_free)                 \
  X(pa_context_new)                   \
  X(pa_context_connect)               \
  X(pa_context_get_state)             \
  X(pa_context_disconnect)            \
  X(pa_context_unref)                 \
  X(pa_stream_new)                    \
  X(pa_stream_set_write_callback)     \
  X(pa_stream_connect_playback)       \
  X(pa_stream_get_state)              \
  X(pa_stream_write)                  \
  X(pa_stream_disconnect)             \
  X(pa_stream_unref)                  \
  X(pa_stream_get_index)              \
  X(pa_context_set_sink_input_volume) \
  X(pa_operation_unref)               \
  X(pa_cvolume_set)                   \
  X(pa_sw_volume_from_linear)

struct PulseLibrary {
#define HIBI_PULSE_MEMBER(name) decltype(&::name) name = nullptr;
  HIBI_PULSE_FUNCTIONS(HIBI_PULSE_MEMBER)
#undef HIBI_PULSE_MEMBER

  // Loaded once and never unloaded, like the synthesiser, which brings the same
  // library in for its own drivers.
  static const PulseLibrary* Get() {
    static const PulseLibrary* const library = Load();
    return library;
  }

 private:
  static const PulseLibrary* Load() {
    void* handle = dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (!handle) return nullptr;
    static PulseLibrary lib;
    bool complete = true;
    // dlsym hands back a data pointer; POSIX guarantees it converts to a function.
#define HIBI_PULSE_RESOLVE(name)                                        \
  lib.name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
  complete = complete && lib.name != nullptr;
    HIBI_PULSE_FUNCTIONS(HIBI_PULSE_RESOLVE)
#undef HIBI_PULSE_RESOLVE
    return complete ? &lib : nullptr;
  }
};

class PulseStream : public SoundStream {
 public:
  explicit PulseStream(const PulseLibrary& lib) : pa_(lib) {}

  ~PulseStream() override {
    if (thread_.joinable()) {
      quit_.store(true);
      pa_.pa_mainloop_wakeup(loop_);
      thread_.join();
    }
    if (stream_) {
      pa_.pa_stream_disconnect(stream_);
      pa_.pa_stream_unref(stream_);
    }
    if (context_) {
      pa_.pa_context_disconnect(context_);
      pa_.pa_context_unref(context_);
    }
    if (loop_) pa_.pa_mainloop_free(loop_);
  }
  PulseStream(const PulseStream&) = delete;
  PulseStream& operator=(const PulseStream&) = delete;

  bool Connect() {
    loop_ = pa_.pa_mainloop_new();
    if (!loop_) return false;
    context_ = pa_.pa_context_new(pa_.pa_mainloop_get_api(loop_), "hibi");
    if (!context_ || pa_.pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
      return false;
    for (;;) {
      const pa_context_state_t state = pa_.pa_context_get_state(context_);
      if (state == PA_CONTEXT_READY) return true;
      if (!PA_CONTEXT_IS_GOOD(state) || pa_.pa_mainloop_iterate(loop_, 1, nullptr) < 0)
        return false;
    }
  }

  // The first top-up is rendered as the server takes the stream, so the tune's
  // first notes go out at once.
  bool Start(RenderBlock render) override {
    render_ = std::move(render);
    const pa_sample_spec sampleFormat{PA_SAMPLE_FLOAT32NE, kRate, 2};
    stream_ = pa_.pa_stream_new(context_, "music", &sampleFormat, nullptr);
    if (!stream_) return false;
    pa_.pa_stream_set_write_callback(stream_, &PulseStream::OnWritable, this);
    const auto unset = static_cast<uint32_t>(-1);
    // Playback resumes after a dropout as soon as one top-up is there, not only once
    // the whole queue is full again (half a second of silence for one late block).
    const pa_buffer_attr attr{unset, BytesOf(kQueueMs), BytesOf(kTopUpMs), BytesOf(kTopUpMs),
                              unset};
    // The game's volume from the first sample on, never one the server remembered.
    sentVolume_ = volume_.load();
    const pa_cvolume volume = VolumeOf(sentVolume_);
    if (pa_.pa_stream_connect_playback(stream_, nullptr, &attr, PA_STREAM_ADJUST_LATENCY, &volume,
                                       nullptr) < 0)
      return false;
    for (;;) {
      const pa_stream_state_t state = pa_.pa_stream_get_state(stream_);
      if (state == PA_STREAM_READY) break;
      if (!PA_STREAM_IS_GOOD(state) || pa_.pa_mainloop_iterate(loop_, 1, nullptr) < 0) return false;
    }
    thread_ = std::thread([this] {
      // Named so that a look at the process tells the music's share of its CPU.
      pthread_setname_np(pthread_self(), "hibi-music");
      while (!quit_.load()) {
        SendVolume();
        if (pa_.pa_mainloop_iterate(loop_, 1, nullptr) < 0) break;
      }
    });
    return true;
  }

  // The server is told on our own thread, which owns the connection: this only wakes it.
  void SetVolume(float volume) override {
    volume_.store(volume);
    pa_.pa_mainloop_wakeup(loop_);
  }

 private:
  // The game's volume scales the sound's amplitude, as the volume of the ALSA
  // output does.
  pa_cvolume VolumeOf(float volume) const {
    pa_cvolume both;
    pa_.pa_cvolume_set(&both, 2, pa_.pa_sw_volume_from_linear(volume));
    return both;
  }

  void SendVolume() {
    const float volume = volume_.load();
    if (volume == sentVolume_) return;
    const pa_cvolume both = VolumeOf(volume);
    pa_operation* sent = pa_.pa_context_set_sink_input_volume(
        context_, pa_.pa_stream_get_index(stream_), &both, nullptr, nullptr);
    if (sent) pa_.pa_operation_unref(sent);
    sentVolume_ = volume;
  }

  static void OnWritable(pa_stream* stream, size_t bytes, void* data) {
    PulseStream& self = *static_cast<PulseStream*>(data);
    const int frames = static_cast<int>(bytes / kFrameBytes);
    if (frames <= 0) return;
    self.block_.resize(static_cast<std::size_t>(frames) * 2);
    int rendered = self.render_(self.block_.data(), frames);
    // Silence rather than nothing, so the server's clock and the queue go on.
    if (rendered < 0) {
      std::fill(self.block_.begin(), self.block_.end(), 0.0f);
      rendered = frames;
    }
    // A short block: the server asks for the rest with its next request.
    if (rendered > 0)
      self.pa_.pa_stream_write(stream, self.block_.data(), rendered * std::size_t{kFrameBytes},
                               nullptr, 0, PA_SEEK_RELATIVE);
  }

  const PulseLibrary& pa_;
  pa_mainloop* loop_ = nullptr;
  pa_context* context_ = nullptr;
  pa_stream* stream_ = nullptr;
  RenderBlock render_;
  std::vector<float> block_;
  std::atomic<float> volume_{1.0f};
  float sentVolume_ = 1.0f;  // our thread's own once started
  std::atomic<bool> quit_{false};
  std::thread thread_;
};

}  // namespace

std::unique_ptr<SoundStream> ConnectPulseServer() {
  const PulseLibrary* lib = PulseLibrary::Get();
  if (!lib) return nullptr;
  auto stream = std::make_unique<PulseStream>(*lib);
  if (!stream->Connect()) return nullptr;
  return stream;
}

}  // namespace hibi
