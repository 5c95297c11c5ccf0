#include "scene_names.h"

#include <array>

#include "game/controls.h"

namespace hibi::check {
namespace {

const std::array<QString, 3> kCharacters = {QStringLiteral("よわ"), QStringLiteral("とおみや"),
                                            QStringLiteral("こうき")};
const std::array<QString, 7> kTimesOfDay = {
    QStringLiteral("早朝"), QStringLiteral("朝"), QStringLiteral("午前"), QStringLiteral("午後"),
    QStringLiteral("夕方"), QStringLiteral("夜"), QStringLiteral("深夜")};
constexpr int kVisitLevels = 5;

}  // namespace

std::vector<NeededScene> ScenesTheGameOpens() {
  std::vector<NeededScene> scenes = {
      {QStringLiteral("opn"), QStringLiteral("when a new game starts")},
      {QStringLiteral("end"), QStringLiteral("when the day limit is reached")},
  };
  // Buttons 0 to 2 are the places; their captions are the place names.
  for (int place = 0; place < 3; ++place) {
    for (int slot = 0; slot < 7; ++slot) {
      scenes.push_back(
          {QStringLiteral("%1%2").arg(place).arg(slot),
           QStringLiteral("for %1 at %2").arg(kCommandCaptions[place], kTimesOfDay[slot])});
    }
  }
  for (int character = 0; character < 3; ++character) {
    for (int level = 1; level <= kVisitLevels; ++level) {
      scenes.push_back({QStringLiteral("0%1%2").arg(character).arg(level),
                        QStringLiteral("when %1 is visited at affection level %2")
                            .arg(kCharacters[character])
                            .arg(level)});
    }
  }
  return scenes;
}

std::vector<NeededScene> CharacterEndings() {
  std::vector<NeededScene> scenes;
  for (int character = 0; character < 3; ++character) {
    scenes.push_back(
        {QStringLiteral("end%1").arg(character),
         QStringLiteral("through \">endflag\" for the ending of %1").arg(kCharacters[character])});
  }
  return scenes;
}

QString EventPictureOf(const QString& scene) {
  if (scene == u"opn" || scene == u"end" || scene == u"fin") return QStringLiteral("ttl");
  return scene;
}

}  // namespace hibi::check
