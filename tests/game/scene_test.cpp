// Opening a scene: the picture it shows, the script it reads, and what the player
// is left with when the script is broken.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/play.h"

namespace hibi::testing {
namespace {

TEST(OpenScene, TheSceneShowsItsPictureAndRemembersIt) {
  const std::vector<std::pair<QString, QString>> rows = {
      // the scene, its picture
      {"opn", "ttl"},   {"end", "ttl"}, {"fin", "ttl"},
      {"end0", "end0"}, {"03", "03"},   {"Opn", "Opn"},
  };
  for (const auto& [scene, picture] : rows) {
    SCOPED_TRACE(scene.toStdString());
    Harness h;
    h.game.TouchPicture("img/" + picture + ".png");
    h.game.WriteScript(scene, {"a"});
    h.Start();
    h.fom.OpenScene(scene);
    EXPECT_EQ(h.pictures.shownPic, h.game.path("img/" + picture + ".png"));
    EXPECT_EQ(h.fom.controls.LstIvent.items, QStringList({"▼記憶", picture}));
    EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"a▼"}));
  }
}

TEST(OpenScene, ABrokenScriptNamesItselfInABoxOverTheScenesPicture) {
  // the script file's content; null: no file at all
  for (const QByteArray& bytes : {QByteArray(), QByteArray("")}) {
    SCOPED_TRACE(bytes.isNull() ? "missing" : "empty");
    Harness h;
    h.game.TouchPicture("img/03.png");
    if (!bytes.isNull()) h.game.WriteRaw("txt/03.txt", bytes);
    h.Start();
    h.fom.OpenScene("03");
    EXPECT_EQ(h.dialogs.boxes, QStringList{DamagedMessage(h, "03")});
    // What the player sees under and after the box: an empty message area in scene
    // mode, the scene's picture, and the picture remembered.
    const Controls& c = h.fom.controls;
    EXPECT_EQ(c.Lbl.caption, "");
    EXPECT_FALSE(c.PicCom.visible);
    EXPECT_FALSE(c.PicKao.visible);
    EXPECT_FALSE(c.LstIvent.visible);
    EXPECT_FALSE(c.TimSay.enabled);
    EXPECT_EQ(h.pictures.shownPic, h.game.path("img/03.png"));
    EXPECT_TRUE(c.LstIvent.items.contains("03"));
  }
}

// Scenes that only jump on would open one another for ever; the game reports the
// circle once and goes on, while a long honest chain of jumps still plays.
TEST(Jumps, ACircleOfJumpsIsReportedOnceAndALongChainStillPlays) {
  for (const bool twoScenes : {false, true}) {
    SCOPED_TRACE(twoScenes ? "two scenes that jump to each other" : "a scene that jumps to itself");
    Harness h;
    h.game.WriteScript("a", {">ive opn"});
    Open(h, {twoScenes ? ">ive a" : ">ive opn"});
    ASSERT_EQ(h.dialogs.boxes, QStringList{DamagedMessage(h, "opn")});
    Click(h);
    EXPECT_TRUE(h.InCommandMode());
  }
  {
    SCOPED_TRACE("a chain of forty jumps");
    Harness h;
    for (int i = 1; i < 40; ++i)
      h.game.WriteScript(QString::number(i), {">ive " + QString::number(i + 1)});
    h.game.WriteScript("40", {"着いた"});
    Open(h, {">ive 1"});
    EXPECT_TRUE(h.dialogs.boxes.isEmpty());
    EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"着いた▼"}));
  }
}

// Only the last picture of a step can be seen: a run of ">img" lines is drawn once,
// leaving the layer and the buffer as drawing each in turn would, and every name
// enters the memory list in order.
TEST(StepScript, ARunOfPicturesIsDrawnOnceAndEveryNameRemembered) {
  struct Row {
    const char* name;
    int count;             // pictures p0 .. p<count-1>, then an empty name if asked
    bool endsEmpty;
    QStringList present;   // the picture files that exist
    QString shown, buffer; // what the layer and the buffer hold afterwards
    int loads, draws;
  };
  const Row rows[] = {
      {"5,000 pictures", 5000, false, {"p10", "p4999"}, "p4999", "p4999", 1, 1},
      {"the last one missing", 10, false, {"p3", "p5"}, "", "p5", 5, 0},
      {"an empty name last redraws", 5, true, {"p3"}, "p3", "p3", 2, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    QStringList opening, names;
    for (int i = 0; i < row.count; ++i) names << "p" + QString::number(i);
    for (const QString& name : names) opening << ">img " + name;
    if (row.endsEmpty) opening << ">img ";
    for (const QString& name : row.present) h.game.TouchPicture("img/" + name + ".png");
    Open(h, opening << "b");
    const auto path = [&](const QString& name) {
      return name.isEmpty() ? QString() : h.game.path("img/" + name + ".png");
    };
    EXPECT_EQ(h.fom.controls.LstIvent.items, QStringList({"▼記憶", "ttl"}) + names);
    EXPECT_EQ(h.pictures.shownPic, path(row.shown));
    EXPECT_EQ(h.pictures.loadedE, path(row.buffer));
    EXPECT_EQ(h.pictures.log.filter("/img/p").size(), row.loads);
    EXPECT_EQ(h.pictures.log.count("draw E Pic"), row.draws);
    EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"b▼"}));
  }
}

// A jump or an ending whose script is missing still leaves the scene it came from:
// the pacing stops under the box, and the next click returns to the command panel.
TEST(Jumps, AFailedJumpOrEndingClosesTheSceneAndStopsThePacing) {
  for (const QString& leave : {QStringLiteral(">ive nowhere"), QStringLiteral(">endflag")}) {
    SCOPED_TRACE(leave.toStdString());
    Harness h;
    Open(h, {"a", leave});
    h.fom.state.affection = {300, 200, 0};
    Click(h);
    EXPECT_EQ(h.dialogs.boxes, QStringList{DamagedMessage(h, leave[1] == 'i' ? "nowhere" : "end0")});
    EXPECT_FALSE(h.fom.controls.TimSay.enabled);
    EXPECT_EQ(h.fom.controls.Lbl.caption, "");
    Click(h);
    EXPECT_TRUE(h.InCommandMode());
  }
}

TEST(CloseScene, InCommandModeStaysThereAndASceneOpensFromThereWithoutComplaint) {
  Harness h;
  h.game.WriteScript("b", {"b1"});
  StartAtTheCommandPanel(h);
  ASSERT_TRUE(h.InCommandMode());
  h.fom.ShowMessage("\r\nremark");
  h.fom.CloseScene();
  EXPECT_TRUE(h.InCommandMode());
  EXPECT_EQ(h.fom.controls.Lbl.caption, "");
  EXPECT_FALSE(h.fom.controls.TimSay.enabled);
  EXPECT_FALSE(h.fom.controls.PicKao.visible);
  h.fom.OpenScene("b");
  EXPECT_TRUE(h.dialogs.boxes.isEmpty());
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"b1▼"}));
}

TEST(OpenScene, TheScriptSuffixIsAppendedExactlyEvenWhenEmpty) {
  Harness h;
  h.game.WriteRaw("sys/sys.dat", "\r\n.png\r\n\r\n\r\n");
  h.game.WriteScript("opn", {"no suffix"}, "");
  h.game.WriteScript("opn", {"with suffix"}, ".txt");
  h.Start();
  h.StartGame();
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"no suffix▼"}));
}

}  // namespace
}  // namespace hibi::testing
