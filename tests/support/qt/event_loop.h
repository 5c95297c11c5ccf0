// Waiting in tests that drive real widgets and real timers.
#pragma once

#include <functional>

namespace hibi::testing {

// Runs the event loop until `done` holds or the deadline passes; returns `done`.
// The game's 1 ms timers keep ticking meanwhile (QTest::qWait would starve them);
// the deadline only turns a hang into a failure.
bool RunUntil(const std::function<bool()>& done, int deadlineMs = 5000);

}  // namespace hibi::testing
