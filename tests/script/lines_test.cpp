// What each kind of script line does when the scene reaches it.
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "game/play.h"

namespace hibi::testing {
namespace {

using Affection = std::array<std::int16_t, 3>;

// The rest of the line names the scene; ">ive" alone names the one with the empty name,
// which no game has.
TEST(Jump, TheFifthCharacterOfIveIsDroppedWhateverItIs) {
  const std::vector<std::pair<QString, QString>> rows = {
      {">ive,03", "03"}, {">ive03", "3"}, {">ive 　03", "　03"}, {">ive", ""}};
  for (const auto& [line, scene] : rows) {
    SCOPED_TRACE(line.toStdString());
    Harness h;
    for (const QString& name : QStringList{"03", "3", "　03"})
      h.game.WriteScript(name, {"in " + name});
    Open(h, {"a", line});
    Click(h);
    EXPECT_EQ(h.dialogs.boxes,
              scene.isEmpty() ? QStringList{DamagedMessage(h, "")} : QStringList());
    if (scene.isEmpty()) continue;
    EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"in " + scene + "▼"}));
  }
}

TEST(ReturnToTitle, EndingClosesTheSceneAndShowsTheStageForANewGame) {
  Harness h;
  Open(h, {">love,0,1,2", "a", ">ending", "never shown"}, "7");
  ASSERT_NE(h.fom.state.affection[0], 0);
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"a▼"}));  // the page ends before ">ending"
  Click(h);
  EXPECT_TRUE(h.fom.controls.PicStt.visible);
  // The stage simply covers the scene: no return to the command panel underneath.
  EXPECT_FALSE(h.fom.controls.PicCom.visible);
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"a▼"}));
  EXPECT_FALSE(h.fom.controls.TimSay.enabled);
  EXPECT_EQ(h.fom.state.affection, (Affection{0, 0, 0}));
  EXPECT_EQ(h.fom.state.dayLimit, 7);
  EXPECT_FALSE(h.fom.state.scriptFile);
  // The stage starts a fresh game from the opening.
  h.StartGame();
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"a▼"}));
}

TEST(Endflag, TheSumAndTheFirstCharacterAt300ChooseTheEnding) {
  const std::vector<std::pair<Affection, QString>> rows = {
      // the affection, the first page after ">endflag"
      {{300, 150, 60}, "end0"},        {{299, 301, 0}, "end1"},
      {{0, 200, 300}, "end2"},         {{250, 250, 0}, "everybody else"},
      {{400, 0, 0}, "everybody else"}, {{-100, 400, 300}, "end1"},
      {{32767, 32767, 0}, "end0"}};
  for (const auto& [affection, shown] : rows) {
    SCOPED_TRACE(::testing::PrintToString(affection));
    Harness h;
    h.game.WriteScript("opn", {">endflag", "everybody else"});
    for (const QString& digit : QStringList{"0", "1", "2"})
      h.game.WriteScript("end" + digit, {"end" + digit});
    h.Start();
    h.fom.state.affection = affection;
    h.StartGame();
    EXPECT_EQ(h.fom.controls.Lbl.caption, Page({shown + "▼"}));
  }
}

TEST(Speaker, TheRowTheFaceAndTheFaceBoxFollowTheLine) {
  // The line, the row the label shows for it, the face drawn (empty: none, the box hidden).
  const std::vector<std::array<QString, 3>> rows = {
      {"-", "", ""},        {"-よわ", "■よわ", ""},        {"-よわ＿2", "■よわ", "よわ＿2"},
      {"-＿x", "■", "＿x"}, {"-a＿b＿c", "■a", "a＿b＿c"}, {"-tugi", "■tugi", ""}};
  for (const auto& [line, shown, face] : rows) {
    SCOPED_TRACE(line.toStdString());
    Harness h;
    for (const QString& face : QStringList{"よわ＿1", "よわ＿2", "＿x", "a＿b＿c"})
      h.game.TouchPicture("face/" + face + ".png");
    Open(h, {"-よわ＿1", line});
    const int facesBefore = h.pictures.log.filter("EKao").size();
    Tick(h);
    EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"■よわ", shown + "▼"}));
    EXPECT_EQ(h.fom.controls.PicKao.visible, !face.isEmpty());
    EXPECT_EQ(h.pictures.log.filter("EKao").size() > facesBefore, !face.isEmpty());
    const QString drawn = face.isEmpty() ? QString("よわ＿1") : face;  // the last face drawn
    EXPECT_EQ(h.pictures.shownPicKao, h.game.path("face/" + drawn + ".png"));
  }
}

// The draws belong to the moment the line is run, in item order, whatever the pace: every
// other row reaches the line in fast-forward.
TEST(Love, EachGoodItemDrawsOnceInOrderAndBadItemsAreSkipped) {
  // The line, what the random source answers in order, the affection after, the draws.
  using Row = std::tuple<QString, std::deque<float>, Affection, int>;
  // clang-format off
  const std::vector<Row> rows = {
      {">love,0", {0.0f}, {10, 0, 0}, 1}, {">love, 2, 0", {0.3f, 0.75f}, {17, 0, 13}, 2},
      {">love,3,x,,1.5,-1,1", {0.3f}, {0, 13, 0}, 1}, {">love", {}, {0, 0, 0}, 0},
      {">loveXYZ,2", {0.0f}, {0, 0, 10}, 1}, {">love,　1　,01", {0.9999f, 0.0f}, {0, 29, 0}, 2}};
  // clang-format on
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto& [line, fractions, after, draws] = rows[i];
    SCOPED_TRACE(line.toStdString() + (i % 2 ? " in fast-forward" : ""));
    Harness h;
    h.random.script = fractions;
    Open(h, {"a", line, "b"});
    ASSERT_EQ(h.fom.state.affection, (Affection{0, 0, 0}));
    i % 2 ? RightClick(h) : Click(h);
    EXPECT_EQ(h.fom.state.affection, after);
    EXPECT_EQ(h.random.draws, draws);
    EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"b▼"}));
  }
}

}  // namespace
}  // namespace hibi::testing
