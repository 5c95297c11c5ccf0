// Watches the X screen for the benchmark: how long until a program's first frame
// shows, and how long a click takes to change what the window shows. It reads
// pixels straight from the X server (XGetImage) and clicks through the XTest
// extension, so no screenshot program or extra process sits in the measured path.
//
// usage:
//   hibi_bench_probe start <timeout_ms> <program> [args...]
//       starts the program and waits until the centre of the screen shows a
//       picture in colour; prints "first_frame_ms <ms>", then ends it
//   hibi_bench_probe stable <window> <region> <quiet_ms> <timeout_ms>
//       waits until the region has not changed for quiet_ms
//   hibi_bench_probe click <window> <button> <x> <y> <region> <timeout_ms>
//       clicks at (x, y) and prints "changed_ms <ms>" when the region changes
//   hibi_bench_probe sound_start <timeout_ms> <program> [args...]
//       as start, and also how long until the sound server's null sink plays
//       something: prints "first_frame_ms <ms> first_sound_ms <ms>"
//   hibi_bench_probe mute <window> <timeout_ms>
//       once the sink has played for a while, presses M in the window and again
//       later: prints "mute_ms <ms> unmute_ms <ms>", from each press to the first
//       sample of silence that lasts (muted) or of sound (unmuted)
// The sink is recorded through parec from its monitor (HIBI_MONITOR, default
// hibi_null.monitor) on the server PULSE_SERVER names.
// Points and regions are fractions of the window's inner area: x y, and
// left,top,width,height. <window> is an X window id (decimal or 0x hex).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
double MsSince(Clock::time_point t) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

struct Rect {
  int x, y, w, h;
};

struct DisplayCloser {
  void operator()(Display* d) const { XCloseDisplay(d); }
};
struct LibraryCloser {
  void operator()(void* handle) const { dlclose(handle); }
};
struct ImageDestroyer {
  void operator()(XImage* i) const { XDestroyImage(i); }
};
using Image = std::unique_ptr<XImage, ImageDestroyer>;

Image Grab(Display* d, Window w, const Rect& r) {
  return Image(XGetImage(d, w, r.x, r.y, r.w, r.h, AllPlanes, ZPixmap));
}

bool Same(const Image& a, const Image& b) {
  return a && b && a->height == b->height && a->bytes_per_line == b->bytes_per_line &&
         std::memcmp(a->data, b->data, a->bytes_per_line * a->height) == 0;
}

// Before the first paint the centre of the screen shows the black root window,
// then perhaps a blank white or grey window; a picture is in colour. So a frame
// counts as drawn once a quarter of the centre's pixels have colour.
bool ShowsSomething(XImage* image) {
  long coloured = 0;
  for (int y = 0; y < image->height; ++y)
    for (int x = 0; x < image->width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      if (std::max({r, g, b}) - std::min({r, g, b}) > 30) ++coloured;
    }
  return coloured * 4 >= long(image->width) * image->height;
}

Rect RegionOf(Display* d, Window w, const char* fractions) {
  XWindowAttributes a;
  XGetWindowAttributes(d, w, &a);
  double f[4] = {0, 0, 1, 1};
  std::sscanf(fractions, "%lf,%lf,%lf,%lf", &f[0], &f[1], &f[2], &f[3]);
  return {int(f[0] * a.width), int(f[1] * a.height), std::max(1, int(f[2] * a.width)),
          std::max(1, int(f[3] * a.height))};
}

// A window of the program before may still be going away; start on a clear screen.
void AwaitClearScreen(Display* d, Window root, const Rect& centre) {
  for (int i = 0; i < 400; ++i) {
    Image image = Grab(d, root, centre);
    if (image && !ShowsSomething(image.get())) break;
    usleep(5000);
  }
}

// The null sink's monitor, recorded by parec in 5 ms pieces. Each sample's time is
// told from when its piece arrived, less the samples that came after it.
class Monitor {
 public:
  static constexpr double kRate = 44.1;  // samples a millisecond
  Monitor(Clock::time_point epoch) : epoch_(epoch) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(pipeEnds[1], 1);
      const char* monitor = getenv("HIBI_MONITOR") ? getenv("HIBI_MONITOR") : "hibi_null.monitor";
      execlp("parec", "parec", "-d", monitor, "--raw", "--format=s16le", "--rate=44100",
             "--channels=1", "--latency-msec=5", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(pipeEnds[1]);
    fd_ = pipeEnds[0];
    fcntl(fd_, F_SETFL, O_NONBLOCK);
  }
  ~Monitor() {
    if (pid_ > 0) kill(pid_, SIGTERM), waitpid(pid_, nullptr, 0);
    if (fd_ >= 0) close(fd_);
  }
  // Reads what has arrived; calls sample(ms, level) for each sample, in order.
  template <class F>
  bool Read(int waitMs, F sample) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, waitMs) <= 0) return fd_ >= 0;
    short buffer[4096];
    const ssize_t n = read(fd_, buffer, sizeof buffer);
    if (n <= 0) return false;
    const double now = MsSince(epoch_);
    const int count = int(n / 2);
    for (int i = 0; i < count; ++i) sample(now - (count - 1 - i) / kRate, std::abs(int(buffer[i])));
    return true;
  }

 private:
  Clock::time_point epoch_;
  pid_t pid_ = -1;
  int fd_ = -1;
};

// Below -60 dBFS is silence, as for the loop gap; a start counts from -40 dBFS.
constexpr int kSilent = 33;
constexpr int kSounding = 328;

constexpr int kIdleSinkBlockMs = 2000;

int SoundStart(Display* d, int timeoutMs, char** program) {
  const auto t0 = Clock::now();
  Monitor monitor(t0);
  double sound = -1, after = 1e18;
  const auto listen = [&](int waitMs) {
    return monitor.Read(waitMs, [&](double ms, int level) {
      if (sound < 0 && ms > after && level >= kSounding) sound = ms;
    });
  };
  // parec is recording before the program starts, and long enough for the null sink
  // to have taken its short latency: an idle null sink renders in blocks of 2 s and
  // notices a new stream only at the end of the block under way, which a sound card
  // does not do. Without this the start read anything from 0 to 2 s late.
  while (MsSince(t0) < kIdleSinkBlockMs + 300) listen(5);
  const int screen = DefaultScreen(d);
  const Rect centre{DisplayWidth(d, screen) / 2 - 100, DisplayHeight(d, screen) / 2 - 50, 200, 100};
  AwaitClearScreen(d, RootWindow(d, screen), centre);
  const auto start = Clock::now();
  const double offset = MsSince(t0);
  after = offset;
  const pid_t child = fork();
  if (child == 0) {
    execvp(program[0], program);
    _exit(127);
  }
  double frame = -1;
  while (MsSince(start) < timeoutMs && (frame < 0 || sound < 0)) {
    Image image = frame < 0 ? Grab(d, RootWindow(d, screen), centre) : nullptr;
    if (image && ShowsSomething(image.get())) frame = MsSince(start);
    listen(frame < 0 ? 0 : 5);
    if (frame < 0) usleep(500);
  }
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  if (frame < 0 || sound < 0) return std::printf("first_frame_ms timeout\n"), 1;
  std::printf("first_frame_ms %.1f first_sound_ms %.1f\n", frame, sound - offset);
  return 0;
}

int Mute(Display* d, void* xtst, Window w, int timeoutMs) {
  using FakeKey = int (*)(Display*, unsigned, Bool, unsigned long);
  const auto fakeKey = xtst ? reinterpret_cast<FakeKey>(dlsym(xtst, "XTestFakeKeyEvent")) : nullptr;
  if (!fakeKey) return std::printf("no XTest\n"), 1;
  const auto t0 = Clock::now();
  Monitor monitor(t0);
  const unsigned key = XKeysymToKeycode(d, XK_m);
  const auto press = [&] {
    XSetInputFocus(d, w, RevertToParent, CurrentTime);
    fakeKey(d, key, True, 0);
    fakeKey(d, key, False, 0);
    XFlush(d);
    return MsSince(t0);
  };
  // wanted: silence lasting 50 ms (muted) or one sounding sample (unmuted).
  const auto await = [&](double since, bool silence) {
    double quietFrom = -1, found = -1;
    while (found < 0 && MsSince(t0) < since + timeoutMs)
      monitor.Read(5, [&](double ms, int level) {
        if (ms < since || found >= 0) return;
        if (!silence && level >= kSilent) found = ms;
        if (silence && level >= kSilent) quietFrom = -1;
        if (silence && level < kSilent && quietFrom < 0) quietFrom = ms;
        if (silence && quietFrom >= 0 && ms - quietFrom >= 50) found = quietFrom;
      });
    return found < 0 ? -1 : found - since;
  };
  // The sink plays for half a second first.
  double sounding = -1;
  while (MsSince(t0) < timeoutMs && (sounding < 0 || MsSince(t0) - sounding < 500))
    monitor.Read(5, [&](double ms, int level) {
      if (level < kSilent)
        sounding = -1;
      else if (sounding < 0)
        sounding = ms;
    });
  const double muted = await(press(), true);
  usleep(300000);
  const double unmuted = await(press(), false);
  if (muted < 0 || unmuted < 0) return std::printf("mute_ms timeout\n"), 1;
  std::printf("mute_ms %.1f unmute_ms %.1f\n", muted, unmuted);
  return 0;
}

int Start(Display* d, int timeoutMs, char** program) {
  const int screen = DefaultScreen(d);
  const int sw = DisplayWidth(d, screen), sh = DisplayHeight(d, screen);
  const Rect centre{sw / 2 - 100, sh / 2 - 50, 200, 100};
  const Window root = RootWindow(d, screen);
  AwaitClearScreen(d, root, centre);
  const auto t0 = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(program[0], program);
    _exit(127);
  }
  double found = -1;
  while (MsSince(t0) < timeoutMs) {
    Image image = Grab(d, root, centre);
    if (image && ShowsSomething(image.get())) {
      found = MsSince(t0);
      break;
    }
    usleep(500);
  }
  kill(child, SIGTERM);
  waitpid(child, nullptr, 0);
  if (found < 0) return std::printf("first_frame_ms timeout\n"), 1;
  std::printf("first_frame_ms %.1f\n", found);
  return 0;
}

int Stable(Display* d, Window w, const char* region, int quietMs, int timeoutMs) {
  const Rect r = RegionOf(d, w, region);
  const auto t0 = Clock::now();
  Image last = Grab(d, w, r);
  auto since = Clock::now();
  while (MsSince(t0) < timeoutMs) {
    usleep(2000);
    Image now = Grab(d, w, r);
    if (!Same(now, last)) {
      last = std::move(now);
      since = Clock::now();
    } else if (MsSince(since) >= quietMs) {
      return 0;
    }
  }
  std::printf("stable timeout\n");
  return 1;
}

int Click(Display* d, void* xtst, Window w, int button, double fx, double fy, const char* region,
          int timeoutMs) {
  using FakeButton = int (*)(Display*, unsigned, Bool, unsigned long);
  using FakeMotion = int (*)(Display*, int, int, int, unsigned long);
  if (!xtst) return std::printf("no XTest\n"), 1;
  const auto fakeButton = reinterpret_cast<FakeButton>(dlsym(xtst, "XTestFakeButtonEvent"));
  const auto fakeMotion = reinterpret_cast<FakeMotion>(dlsym(xtst, "XTestFakeMotionEvent"));
  if (!fakeButton || !fakeMotion) return std::printf("no XTest\n"), 1;

  XWindowAttributes a;
  XGetWindowAttributes(d, w, &a);
  int rx = 0, ry = 0;
  Window child;
  XTranslateCoordinates(d, w, RootWindow(d, DefaultScreen(d)), int(fx * a.width),
                        int(fy * a.height), &rx, &ry, &child);
  const Rect r = RegionOf(d, w, region);
  fakeMotion(d, DefaultScreen(d), rx, ry, 0);
  XSync(d, False);
  usleep(20000);
  const Image before = Grab(d, w, r);

  const auto t0 = Clock::now();
  fakeButton(d, button, True, 0);
  fakeButton(d, button, False, 0);
  XFlush(d);
  while (MsSince(t0) < timeoutMs) {
    const Image now = Grab(d, w, r);
    if (!Same(now, before)) {
      std::printf("changed_ms %.2f\n", MsSince(t0));
      return 0;
    }
  }
  std::printf("changed_ms timeout\n");
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  // XTest hooks itself into the display, so it must outlive the display's close.
  std::unique_ptr<void, LibraryCloser> xtst(dlopen("libXtst.so.6", RTLD_NOW));
  std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
  if (!display) return std::fprintf(stderr, "hibi_bench_probe: no X display\n"), 2;
  Display* d = display.get();
  const std::string what = argc > 1 ? argv[1] : "";
  if (what == "start" && argc >= 4) return Start(d, atoi(argv[2]), argv + 3);
  if (what == "stable" && argc == 6)
    return Stable(d, std::strtoul(argv[2], nullptr, 0), argv[3], atoi(argv[4]), atoi(argv[5]));
  if (what == "sound_start" && argc >= 4) return SoundStart(d, atoi(argv[2]), argv + 3);
  if (what == "mute" && argc == 4)
    return Mute(d, xtst.get(), std::strtoul(argv[2], nullptr, 0), atoi(argv[3]));
  if (what == "click" && argc == 8)
    return Click(d, xtst.get(), std::strtoul(argv[2], nullptr, 0), atoi(argv[3]), atof(argv[4]),
                 atof(argv[5]), argv[6], atoi(argv[7]));
  std::fprintf(stderr, "usage: see the comment at the top of x_probe.cpp\n");
  return 2;
}
