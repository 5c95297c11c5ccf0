// The reader's own choices, none of which the game itself knows: how fast lines
// come, how long auto-advance waits, and what a held Ctrl passes over. Their
// defaults are the game's own pacing, and Ctrl skips only lines read before.
#pragma once

namespace hibi {

enum class TextSpeed { Slower, Game, Faster, WholePage };

struct ReaderOptions {
  TextSpeed speed = TextSpeed::Game;
  // Auto-advance waits this long at every page end, and a little longer for every
  // character the page holds, so a long page gets the time it needs.
  int autoPauseMs = 1500;
  // Ctrl held passes over every line, as the right click does, not only read ones.
  bool skipEverything = false;
};

inline constexpr int kAutoPauseMsPerCharacter = 50;

// The interval between two lines in normal pacing. A whole page at once still
// turns it a tick at a time, at the game's own rate.
int PacingMsOf(TextSpeed speed);

}  // namespace hibi
