// Catches everything written to the process's standard error (file descriptor 2,
// so C libraries' own prints are caught too) while it lives.
#pragma once

#include <unistd.h>

#include <QByteArray>
#include <QTemporaryFile>
#include <cstdio>

namespace hibi::testing {

class StderrCapture {
 public:
  StderrCapture() {
    if (!file_.open()) return;
    std::fflush(stderr);
    saved_ = dup(2);
    if (saved_ >= 0) dup2(file_.handle(), 2);
  }
  ~StderrCapture() { Restore(); }
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;

  // Stops capturing and returns what was written.
  QByteArray Text() {
    Restore();
    file_.seek(0);
    return file_.readAll();
  }

 private:
  void Restore() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, 2);
    close(saved_);
    saved_ = -1;
  }

  QTemporaryFile file_;
  int saved_ = -1;
};

}  // namespace hibi::testing
