#include "script/scene_names.h"

namespace hibi {

QString PlaceScene(int place, int slot) {
  return QString::number(place) + QString::number(slot - 1);
}

QString VisitScene(int character, int level) {
  return QStringLiteral("0") + QString::number(character) + QString::number(level);
}

QString EndingScene(int character) {
  return kDayLimitScene + QString::number(character);
}

QString EventPictureOf(const QString& scene) {
  if (scene == kOpeningScene || scene == kDayLimitScene || scene == u"fin") return kTitlePicture;
  return scene;
}

}  // namespace hibi
