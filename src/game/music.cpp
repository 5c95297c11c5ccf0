#include "game/music.h"

#include "game/fom.h"

namespace hibi {
namespace {

// The status reply: a buffer of 16 spaces offered with room for 15 characters, so
// a device that fails the query leaves spaces behind, which never read as stopped.
constexpr int kReplySize = 16;
constexpr int kReplyCapacity = 15;
constexpr char kStopped[] = "STOPPED";
constexpr int kCompared = 7;

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The first seven characters of the reply in upper case equal "STOPPED". A reply
// ended early by its terminating zero compares that zero and so never matches.
bool SaysStopped(const char* reply) {
  for (int i = 0; i < kCompared; ++i)
    if (AsciiUpper(reply[i]) != kStopped[i]) return false;
  return true;
}

}  // namespace

void Music::OpenMusic(const QString& path) {
  device_.Close();
  device_.Open(path);
}

void Music::PlayMusic() {
  if (bgmEnabled) device_.Play();
}

void Music::CloseMusic() {
  device_.Close();
}

// Runs every millisecond for the life of the window: nothing here allocates,
// logs or builds a string.
void Music::BgmTim_Timer() {
  char reply[kReplySize];
  for (char& c : reply) c = ' ';
  device_.Status(reply, kReplyCapacity);
  if (SaysStopped(reply) && bgmEnabled) {
    device_.Rewind();
    device_.PlayFromStart();
  }
}

void Fom::BgmTim_Timer() {
  ports_.music.BgmTim_Timer();
}

}  // namespace hibi
