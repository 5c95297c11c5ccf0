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
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit tight = saved_;
    tight.rlim_cur = bytes;
    active_ = ::setrlimit(RLIMIT_FSIZE, &tight) == 0;
  }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;
  ~ScopedFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  bool active() const { return active_; }

 private:
  rlimit saved_{};
  void (*oldHandler_)(int) = SIG_DFL;
  bool active_ = false;
};

}  // namespace hibi::testing
