#include "catalogue.h"

#include <QPainter>

#include "scenes.h"

namespace art {
namespace {

QString Two(int n) {
  return QString::number(n).rightJustified(2, u'0');
}

QImage Face(Who who, Mood mood) {
  QImage face(kFaceSize, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&face);
  p.setRenderHint(QPainter::Antialiasing);
  PaintBust(p, who, mood, QRectF(QPointF(0, 0), kFaceSize));
  return face;
}

}  // namespace

std::vector<Picture> SamplePictures() {
  std::vector<Picture> all;
  const Who girls[] = {Who::kYowa, Who::kToomiya, Who::kKouki};
  const QString names[] = {u"よわ"_qs, u"とおみや"_qs, u"こうき"_qs};
  const Mood moods[] = {Mood::kCalm, Mood::kSmile, Mood::kBlush, Mood::kWorried};
  for (int c = 0; c < 3; ++c) {
    for (int m = 0; m < 4; ++m) {
      // The face names join name and number with a full-width low line, as the scripts do.
      all.push_back({"face/" + names[c] + u"\uFF3F"_qs + QString::number(m + 1) + ".png",
                     [=] { return Face(girls[c], moods[m]); }});
    }
  }
  all.push_back({"img/ttl.png", [] { return TitleScreen(); }});
  for (int place = 0; place < 3; ++place) {
    for (int slot = 0; slot < 7; ++slot) {
      all.push_back({"img/" + Two(place * 10 + slot) + ".png",
                     [=] { return PlaceScene(Place(place), slot); }});
    }
  }
  for (int c = 0; c < 3; ++c) {
    for (int level = 1; level <= 5; ++level) {
      all.push_back({"img/0" + QString::number(c) + QString::number(level) + ".png",
                     [=] { return VisitScene(girls[c], level); }});
    }
    all.push_back({"img/end" + QString::number(c) + ".png", [=] { return Ending(girls[c]); }});
  }
  for (const char* extra : {"hanabi", "hoshizora", "yuudachi", "hotaru", "kakigoori", "taiju"}) {
    const QString name = QString::fromLatin1(extra);
    all.push_back({"img/" + name + ".png", [=] { return Extra(name); }});
  }
  return all;
}

}  // namespace art
