// Opening a scene: the picture it shows, the script it reads, and what the player
// is left with when the script is broken.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "script/play.h"

namespace hibi::testing {
namespace {

QString DamagedMessage(const Harness& h, const QString& scene) {
  return h.game.path("txt/") + scene + "が破損しています \r\n制作者に連絡して下さい";
}

struct PictureRow {
  QString scene;
  QString picture;
};
void PrintTo(const PictureRow& row, std::ostream* os) {
  *os << row.scene.toStdString();
}

class ScenePictureTest : public ::testing::TestWithParam<PictureRow> {};

TEST_P(ScenePictureTest, TheSceneShowsItsPictureAndRemembersIt) {
  const PictureRow& row = GetParam();
  Harness h;
  h.game.TouchPicture("img/" + row.picture + ".png");
  h.game.WriteScript(row.scene, {"a"});
  h.Start();
  h.fom.OpenScene(row.scene);
  EXPECT_EQ(h.pictures.shownPic, h.game.path("img/" + row.picture + ".png"));
  EXPECT_EQ(h.fom.controls.LstIvent.items, QStringList({"▼記憶", row.picture}));
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"a▼"}));
}

INSTANTIATE_TEST_SUITE_P(Names, ScenePictureTest,
                         ::testing::Values(PictureRow{"opn", "ttl"}, PictureRow{"end", "ttl"},
                                           PictureRow{"fin", "ttl"}, PictureRow{"end0", "end0"},
                                           PictureRow{"03", "03"}, PictureRow{"Opn", "Opn"}));

TEST(OpenScene, EntersSceneModeInNormalPacingWithTheFirstLineShown) {
  Harness h;
  h.game.WriteScript("opn", {"a", "b"});
  h.Start();
  h.fom.controls.LstIvent.visible = true;
  h.fom.controls.TimSay.interval = 1;
  h.fom.state.stopAtPageEnd = false;
  h.StartGame();
  const Controls& c = h.fom.controls;
  EXPECT_FALSE(c.PicCom.visible);
  EXPECT_FALSE(c.PicKao.visible);
  EXPECT_FALSE(c.LstIvent.visible);
  EXPECT_TRUE(c.TimSay.enabled);
  EXPECT_EQ(c.TimSay.interval, 100);
  EXPECT_TRUE(h.fom.state.stopAtPageEnd);
  EXPECT_EQ(c.Lbl.caption, Page({"a"}));
}

struct DamagedRow {
  const char* name;
  QByteArray bytes;  // the script file's content; null: no file at all
};
void PrintTo(const DamagedRow& row, std::ostream* os) {
  *os << row.name;
}

class DamagedSceneTest : public ::testing::TestWithParam<DamagedRow> {};

TEST_P(DamagedSceneTest, TheBoxNamesTheScriptAndTheNextClickReturnsToTheCommandPanel) {
  Harness h;
  h.game.TouchPicture("img/03.png");
  if (!GetParam().bytes.isNull()) h.game.WriteRaw("txt/03.txt", GetParam().bytes);
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

INSTANTIATE_TEST_SUITE_P(Scripts, DamagedSceneTest,
                         ::testing::Values(DamagedRow{"Missing", QByteArray()},
                                           DamagedRow{"Empty", QByteArray("")}),
                         [](const auto& info) { return std::string(info.param.name); });

// After a broken script there is nothing to read; whatever would advance the text
// takes the player back to the command panel instead, once, with no second box.
TEST(DeadScript, EveryAdvanceActionReturnsToTheCommandPanel) {
  const std::vector<std::pair<const char*, std::function<void(Fom&)>>> actions = {
      {"click on the label", [](Fom& f) { f.Lbl_Click(); }},
      {"click on the window", [](Fom& f) { f.Form_Click(); }},
      {"pacing tick", [](Fom& f) { f.TimSay_Timer(); }},
      {"Enter", [](Fom& f) { f.Form_KeyDown(kKeyReturn, 0); }},
      {"Ctrl", [](Fom& f) { f.Form_KeyDown(kKeyControl, 0); }},
  };
  for (const auto& [name, act] : actions) {
    SCOPED_TRACE(name);
    Harness h;
    h.game.WriteScript("opn", {"a", ">ive missing", "never shown"});
    h.Start();
    h.StartGame();
    Click(h);
    ASSERT_EQ(h.dialogs.boxes, QStringList{DamagedMessage(h, "missing")});
    act(h.fom);
    EXPECT_TRUE(h.InCommandMode());
    EXPECT_EQ(h.fom.controls.Lbl.caption, "");
    EXPECT_FALSE(h.fom.controls.TimSay.enabled);
    act(h.fom);
    EXPECT_TRUE(h.InCommandMode());
    EXPECT_EQ(h.dialogs.boxes.size(), 1);
  }
}

// Scenes that only jump on would open one another for ever; the game reports the
// circle once and goes on, while a long honest chain of jumps still plays.
TEST(Jumps, ACircleOfJumpsIsReportedOnceAndALongChainStillPlays) {
  {
    SCOPED_TRACE("a scene that jumps to itself");
    Harness h;
    h.game.WriteScript("opn", {">ive opn"});
    h.Start();
    h.StartGame();
    ASSERT_EQ(h.dialogs.boxes, QStringList{DamagedMessage(h, "opn")});
    Click(h);
    EXPECT_TRUE(h.InCommandMode());
  }
  {
    SCOPED_TRACE("two scenes that jump to each other");
    Harness h;
    h.game.WriteScript("opn", {">ive a"});
    h.game.WriteScript("a", {">ive opn"});
    h.Start();
    h.StartGame();
    EXPECT_EQ(h.dialogs.boxes.size(), 1);
  }
  {
    SCOPED_TRACE("a chain of forty jumps");
    Harness h;
    h.game.WriteScript("opn", {">ive 1"});
    for (int i = 1; i < 40; ++i)
      h.game.WriteScript(QString::number(i), {">ive " + QString::number(i + 1)});
    h.game.WriteScript("40", {"着いた"});
    h.Start();
    h.StartGame();
    EXPECT_TRUE(h.dialogs.boxes.isEmpty());
    EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"着いた▼"}));
  }
}

TEST(TitleStage, ClicksTicksAndKeysMeantForTheMessageAreaDoNothingBeforeTheFirstGame) {
  Harness h;
  h.game.WriteScript("opn", {"a"});
  h.Start();
  ASSERT_TRUE(h.fom.controls.PicStt.visible);
  const Controls before = h.fom.controls;
  h.fom.Lbl_MouseDown(kRightButton, 0, 0, 0);
  h.fom.Lbl_Click();
  h.fom.Form_MouseDown(kRightButton, 0, 0, 0);
  h.fom.Form_Click();
  h.fom.TimSay_Timer();
  h.fom.Form_KeyDown(kKeyReturn, 0);
  h.fom.Form_KeyDown(kKeyControl, 0);
  const Controls& after = h.fom.controls;
  EXPECT_TRUE(after.PicStt.visible);
  EXPECT_EQ(after.PicCom.visible, before.PicCom.visible);
  EXPECT_EQ(after.Lbl.caption, before.Lbl.caption);
  EXPECT_EQ(after.TimSay.enabled, before.TimSay.enabled);
  EXPECT_EQ(after.TimSay.interval, before.TimSay.interval);
  EXPECT_EQ(after.TxtDay.visible, before.TxtDay.visible);
  EXPECT_TRUE(h.dialogs.boxes.isEmpty());
}

TEST(OpenScene, OpeningWhileAnotherScriptIsOpenLeavesTheOtherUnread) {
  Harness h;
  h.game.WriteScript("opn", {"a1", "a2", "a3", "a4"});
  h.game.WriteScript("b", {"b1", "b2"});
  h.Start();
  h.StartGame();
  RightClick(h);
  ASSERT_EQ(h.fom.controls.Lbl.caption, Page({"a1", "a2"}));
  h.fom.OpenScene("b");
  EXPECT_TRUE(h.dialogs.boxes.isEmpty());
  EXPECT_TRUE(h.fom.state.stopAtPageEnd);
  EXPECT_EQ(h.fom.controls.TimSay.interval, 100);
  EXPECT_EQ(PlayPages(h), QStringList{Page({"b1", "b2▼"})});
  EXPECT_TRUE(h.InCommandMode());
}

TEST(CloseScene, InCommandModeStaysThereWithAnEmptyLabelAndNoPacing) {
  Harness h;
  StartAtTheCommandPanel(h);
  ASSERT_TRUE(h.InCommandMode());
  h.fom.ShowMessage("\r\nremark");
  h.fom.CloseScene();
  EXPECT_TRUE(h.InCommandMode());
  EXPECT_EQ(h.fom.controls.Lbl.caption, "");
  EXPECT_FALSE(h.fom.controls.TimSay.enabled);
  EXPECT_FALSE(h.fom.controls.PicKao.visible);
}

TEST(OpenScene, FromTheCommandPanelOpensWithoutComplaint) {
  Harness h;
  h.game.WriteScript("b", {"b1"});
  StartAtTheCommandPanel(h);
  ASSERT_TRUE(h.InCommandMode());
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
