// What the play-through stands on: the sample game copied into a temporary
// folder (the program folder of the window under test), a random source that
// replays the same run every time, and the file forms the player's files take.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>

#include "game/system_random.h"

namespace hibi::e2e {

class SampleCopy {
 public:
  // Copies every file of the sample game; fails the test when one cannot be copied.
  SampleCopy();
  // The folder, ending in "/".
  QString folder() const { return dir_.path() + "/"; }
  QByteArray Read(const QString& relative) const;
  void Write(const QString& relative, const QByteArray& bytes) const;
  bool Exists(const QString& relative) const;

  // Which picture of img/ a picture box shows: the name of the picture file that,
  // stretched, comes closest to the box's drawing; empty for a blank box.
  QString WhichPicture(const QImage& shown) const;

 private:
  QTemporaryDir dir_;
  mutable QMap<QString, QImage> reduced_;  // img/ pictures by name, made small
};

// The clock-seeded generator of the real game, but "seeded from the clock" always
// gives the same seed, so every run of the test plays the same story.
class SeededRandom : public Random {
 public:
  explicit SeededRandom(std::uint32_t seed) : seed_(seed) {}
  void SeedFromClock() override { inner_.Seed(seed_); }
  float Next() override { return inner_.Next(); }

 private:
  std::uint32_t seed_;
  SystemRandom inner_;
};

// Lines as the game's text files hold them: code page 932, CR LF after each.
QByteArray Cp932Lines(const QStringList& lines);
// A number line of the save file: " 12 " for 12, "-3 " for -3.
QString SavedNumber(int value);

}  // namespace hibi::e2e
