#include "scene_names.h"

#include <array>

#include "game/controls.h"
#include "game/game_state.h"

namespace hibi::check {
namespace {

constexpr int kVisitLevels = 5;

}  // namespace

std::vector<NeededScene> ScenesTheGameOpens() {
  std::vector<NeededScene> scenes = {
      {QStringLiteral("opn"), QStringLiteral("when a new game starts")},
      {QStringLiteral("end"), QStringLiteral("when the day limit is reached")},
  };
  // Buttons 0 to 2 are the places; their captions are the place names.
  for (int place = 0; place < 3; ++place) {
    for (int slot = 1; slot <= kSlotsPerDay; ++slot) {
      scenes.push_back(
          {QStringLiteral("%1%2").arg(place).arg(slot - 1),
           QStringLiteral("for %1 at %2").arg(kCommandCaptions[place], kTimeSlotNames[slot])});
    }
  }
  for (int character = 0; character < 3; ++character) {
    for (int level = 1; level <= kVisitLevels; ++level) {
      scenes.push_back({QStringLiteral("0%1%2").arg(character).arg(level),
                        QStringLiteral("when %1 is visited at affection level %2")
                            .arg(kCharacterNames[character])
                            .arg(level)});
    }
  }
  return scenes;
}

std::vector<NeededScene> CharacterEndings() {
  std::vector<NeededScene> scenes;
  for (int character = 0; character < 3; ++character) {
    scenes.push_back({QStringLiteral("end%1").arg(character),
                      QStringLiteral("through \">endflag\" for the ending of %1")
                          .arg(kCharacterNames[character])});
  }
  return scenes;
}

QString EventPictureOf(const QString& scene) {
  if (scene == u"opn" || scene == u"end" || scene == u"fin") return QStringLiteral("ttl");
  return scene;
}

}  // namespace hibi::check
