// A MIDI player that can hold one tune. The music routines drive it with the first
// six operations only; the window's mute key sets the volume. The FluidSynth
// adapter implements it, tests use a fake.
#pragma once

#include <QString>
#include <functional>

namespace hibi {

class MidiDevice {
 public:
  virtual ~MidiDevice() = default;
  // Ends the open tune, if there is one; harmless without one.
  virtual void Close() = 0;
  // Makes the file playable, reporting the mode "stopped" until it plays. A missing
  // or invalid file leaves nothing open.
  virtual void Open(const QString& path) = 0;
  // Starts playing from the current position and returns at once.
  virtual void Play() = 0;
  // Writes the mode word ("stopped", "playing", ...) and a terminating zero into
  // reply, at most capacity characters in all. With no tune open it fails: returns
  // false and leaves reply as it was.
  virtual bool Status(char* reply, int capacity) = 0;
  // Moves to the start of the tune.
  virtual void Rewind() = 0;
  // Plays from position 0.
  virtual void PlayFromStart() = 0;
  // Loudness from 0 (silent: the tune goes on playing unheard, so it is in step
  // when it is heard again) to 1 (full). Holds for tunes opened later too.
  virtual void SetVolume(double volume) = 0;

  // So that nobody need ask for the mode every millisecond: the device calls
  // `notice`, on whatever thread it is on, when the tune may have stopped and when
  // a tune was opened or closed. An empty function ends the notices; once this
  // returns, the old one is no longer running nor called again. A device that
  // cannot tell when its tune ends never calls it.
  virtual void SetNotice(std::function<void()> notice) { (void)notice; }
  // Whether a tune is open, on the thread that opens it; only an open tune can stop.
  virtual bool HasTune() const { return true; }
};

}  // namespace hibi
