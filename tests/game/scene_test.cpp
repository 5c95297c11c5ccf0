// Opening a scene: the picture it shows, the script it reads, and what the player
// is left with when the script is broken.
#include <gtest/gtest.h>

#include <QDir>
#include <tuple>

#include "game/play.h"

namespace hibi::testing {
namespace {

// A scene shows its picture and remembers it, putting the memory list away; a broken
// script (missing or empty) names itself in a box over that picture, leaving an empty
// message area in scene mode.
TEST(OpenScene, TheSceneShowsItsPictureAndABrokenScriptNamesItselfInABox) {
  // the scene, its picture, its script's one line (null: no file, empty: an empty file);
  // "0\0333" holds an escape (octal 033) between 0 and 3
  const std::tuple<QString, QString, const char*> rows[] = {
      {"opn", "ttl", "a"}, {"end", "ttl", "a"},   {"fin", "ttl", "a"}, {"end0", "end0", "a"},
      {"Opn", "Opn", "a"}, {"03", "03", nullptr}, {"03", "03", ""},    {"0\0333", "0\0333", "a"}};
  for (const auto& [scene, picture, line] : rows) {
    SCOPED_TRACE(scene.toStdString() + (line ? line : "(no file)"));
    Harness h;
    h.game.TouchPicture("img/" + picture + ".png");
    if (line) h.game.WriteRaw("txt/" + scene + ".txt", *line ? QByteArray(line) + "\r\n" : "");
    h.Start();
    h.fom.controls.LstIvent.visible = true;
    h.fom.OpenScene(scene);
    const bool broken = !line || !*line || scene.contains(u'\x1B');  // a control character
    const Controls& c = h.fom.controls;
    EXPECT_EQ(h.dialogs.boxes, broken ? QStringList{DamagedMessage(h, scene)} : QStringList());
    EXPECT_EQ(std::tuple(c.Lbl.caption, c.PicCom.visible, c.PicKao.visible, c.LstIvent.visible,
                         c.TimSay.enabled, h.pictures.shownPic, c.LstIvent.items),
              std::tuple(broken ? QString() : Page({"a▼"}), false, false, false, false,
                         h.game.path("img/" + picture + ".png"), QStringList({"▼記憶", picture})));
  }
}

// A script suffix holding a separator would lead every scene into another folder.
TEST(OpenScene, ASuffixHoldingAFolderSeparatorMakesEveryScriptDamaged) {
  Harness h;
  h.game.WriteRaw("sys/sys.dat", "/../03.txt\r\n.png\r\n\r\n\r\n");
  h.game.WriteScript("03", {"a"});
  QDir().mkpath(h.game.path("txt/03"));
  h.Start();
  h.fom.OpenScene("03");
  EXPECT_EQ(h.dialogs.boxes, QStringList{DamagedMessage(h, "03")});
}

// Scenes that only jump on would open one another for ever; the game reports the
// circle once and goes on, while a long honest chain of jumps still plays.
TEST(Jumps, ACircleOfJumpsIsReportedOnceAndALongChainStillPlays) {
  Harness circle, chain;
  circle.game.WriteScript("a", {">ive opn"});
  Open(circle, {">ive a"});
  ASSERT_EQ(circle.dialogs.boxes, QStringList{DamagedMessage(circle, "opn")});
  Click(circle);
  EXPECT_TRUE(circle.InCommandMode());
  for (int i = 1; i < 40; ++i)
    chain.game.WriteScript(QString::number(i), {">ive " + QString::number(i + 1)});
  chain.game.WriteScript("40", {"着いた"});
  Open(chain, {">ive 1"});
  EXPECT_EQ(std::pair(chain.dialogs.boxes, chain.fom.controls.Lbl.caption),
            std::pair(QStringList(), Page({"着いた▼"})));
}

// Only the last picture of a step can be seen: a run of ">img" lines is drawn once,
// leaving the layer and the buffer as drawing each in turn would, and every name
// enters the memory list in order.
TEST(StepScript, ARunOfPicturesIsDrawnOnceAndEveryNameRemembered) {
  // pictures p0 .. p<count-1> then an empty name if asked, the picture files that exist,
  // what the layer and the buffer hold afterwards
  struct Row {
    const char* name;
    int count;
    bool endsEmpty;
    QStringList present;
    QString shown, buffer;
    qsizetype loads, draws;
    int slices;
  };
  // Past one slice the step goes on in more, each drawing the last 64 names it kept.
  const Row rows[] = {
      {"5,000 pictures", 5000, false, {"p10", "p4999"}, "p4999", "p4999", 1, 1, 0},
      {"25,005 pictures", 25005, false, {"p10", "p25004"}, "p25004", "p25004", 64 + 64 + 1, 1, 2},
      {"the last one missing", 10, false, {"p3", "p5"}, "", "p5", 5, 0, 0},
      {"an empty name last redraws", 5, true, {"p3"}, "p3", "p3", 2, 1, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    QStringList opening, names;
    for (int i = 0; i < row.count; ++i)
      opening << ">img " + (names << "p" + QString::number(i)).back();
    if (row.endsEmpty) opening << ">img ";
    for (const QString& name : row.present) h.game.TouchPicture("img/" + name + ".png");
    const int slices = Open(h, opening << "b");
    const auto path = [&](QString n) { return n.isEmpty() ? n : h.game.path("img/" + n + ".png"); };
    EXPECT_EQ(h.fom.controls.LstIvent.items, QStringList({"▼記憶", "ttl"}) + names);
    const FakePictures& p = h.pictures;
    EXPECT_EQ(std::tuple(p.shownPic, p.loadedE, p.log.filter("/img/p").size(),
                         p.log.count("draw E Pic"), h.fom.controls.Lbl.caption, slices),
              std::tuple(path(row.shown), path(row.buffer), row.loads, row.draws, Page({"b▼"}),
                         row.slices));
  }
}

// An ending whose script is missing still leaves the scene it came from: the pacing
// stops under the box, and the next click returns to the command panel. (A missing
// jump: pacing_test.)
TEST(Jumps, AFailedEndingClosesTheSceneAndStopsThePacing) {
  Harness h;
  Open(h, {"a", ">endflag"});
  h.fom.state.affection = {300, 200, 0};
  Click(h);
  const Controls& c = h.fom.controls;
  EXPECT_EQ(std::tuple(h.dialogs.boxes, c.TimSay.enabled, c.Lbl.caption),
            std::tuple(QStringList{DamagedMessage(h, "end0")}, false, QString()));
  Click(h);
  EXPECT_TRUE(h.InCommandMode());
}

}  // namespace
}  // namespace hibi::testing
