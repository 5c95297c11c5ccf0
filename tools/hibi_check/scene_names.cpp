#include "scene_names.h"

#include "game/controls.h"
#include "game/game_state.h"
#include "script/scene_names.h"

namespace hibi::check {

std::vector<NeededScene> ScenesTheGameOpens() {
  std::vector<NeededScene> scenes = {
      {kOpeningScene, QStringLiteral("when a new game starts")},
      {kDayLimitScene, QStringLiteral("when the day limit is reached")},
  };
  // The places' captions are their names.
  for (int place = 0; place < kPlaces; ++place) {
    for (int slot = 1; slot <= kSlotsPerDay; ++slot) {
      scenes.push_back(
          {PlaceScene(place, slot),
           QStringLiteral("for %1 at %2").arg(kCommandCaptions[place], kTimeSlotNames[slot])});
    }
  }
  for (int character = 0; character < 3; ++character) {
    for (int level = 1; level <= kVisitLevels; ++level) {
      scenes.push_back(
          {VisitScene(character, level), QStringLiteral("when %1 is visited at affection level %2")
                                             .arg(kCharacterNames[character])
                                             .arg(level)});
    }
  }
  return scenes;
}

std::vector<NeededScene> CharacterEndings() {
  std::vector<NeededScene> scenes;
  for (int character = 0; character < 3; ++character) {
    scenes.push_back(
        {EndingScene(character), QStringLiteral("through \">endflag\" for the ending of %1")
                                     .arg(kCharacterNames[character])});
  }
  return scenes;
}
}  // namespace hibi::check
