// One game folder played with no window: the core and its handlers, wired to the
// headless ports and driven the way the window drives them.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <random>

#include "game/fom.h"
#include "game/music.h"
#include "headless_ports.h"

namespace hibi::check {

// What one game came to: "end0".."end2" or "end" when it went back to the title
// after that ending, otherwise a few words on where it stopped; and the text of
// every message box it raised, in order.
struct Outcome {
  QString ending;
  QStringList boxes;
};

// The player's choice of button in command mode, given the fatigue on the panel and
// the player's own generator.
using Chooser = std::function<std::int16_t(double fatigue, std::mt19937& dice)>;

class HeadlessGame {
 public:
  // Starts the program on the folder (ending in "/"); throws SettingsError as the
  // game does when sys/sys.dat cannot be used.
  explicit HeadlessGame(const QString& folder);

  // Plays from the title until the game is back there, with the game's generator
  // and the player's seeded by `seed`.
  Outcome Play(std::uint32_t seed, const Chooser& choose);

  // The day limit as the title stage offers it; every game starts with it.
  QString dayLimit() const { return fom_.controls.TxtDay.text; }

 private:
  QString EndingShown() const;

  HeadlessPictures pictures_;
  HeadlessDialogs dialogs_;
  SeededRandom random_;
  HeadlessShell shell_;
  SilentMidi midi_;
  Music music_{midi_};
  Fom fom_{{pictures_, dialogs_, random_, shell_, music_}};
};

}  // namespace hibi::check
