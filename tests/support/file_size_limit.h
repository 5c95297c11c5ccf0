// A full disk that even root cannot write past: while this lives, the process may
// not make a file longer than `bytes`, and a write beyond that fails with EFBIG
// instead of killing the process.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace hibi::testing {

class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    const rlimit tight{bytes, saved_.rlim_max};
    active_ = ::setrlimit(RLIMIT_FSIZE, &tight) == 0;
  }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ~ScopedFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  bool active() const { return active_; }

 private:
  void (*oldHandler_)(int) = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved_{};
  bool active_ = false;
};

}  // namespace hibi::testing
