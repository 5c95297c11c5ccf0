// An evening with the sample game, played through the real window from the title
// to an ending and back, then a second game, then a second start of the program.
#include "play_through.h"

namespace hibi::e2e {
namespace {

TEST_F(PlayThrough, AnEveningWithTheSampleGameThroughTheRealWindow) {
  ASSERT_NO_FATAL_FAILURE(Title());
  ASSERT_NO_FATAL_FAILURE(Opening());
  ASSERT_NO_FATAL_FAILURE(FirstGame());
  ASSERT_NO_FATAL_FAILURE(SecondGame());
  ASSERT_NO_FATAL_FAILURE(CollapseAndRecovery());
  ASSERT_NO_FATAL_FAILURE(Memories());
  ASSERT_NO_FATAL_FAILURE(CloseAndStartAgain());
}

}  // namespace
}  // namespace hibi::e2e
