// What each kind of script line does when the scene reaches it.
#include <gtest/gtest.h>

#include <deque>

#include "script/play.h"

namespace hibi::testing {
namespace {

const QString kDamaged = QStringLiteral("が破損しています \r\n制作者に連絡して下さい");

TEST(EndOfScene, ALineOfTugiEndsTheSceneAtOnceWhateverFollowsIt) {
  for (const QString& tugi : {QString("tugi"), QString("tugi and more"), QString("tugiya")}) {
    SCOPED_TRACE(tugi.toStdString());
    Harness h;
    h.game.WriteScript("opn", {tugi, "never shown"});
    h.Start();
    h.StartGame();
    EXPECT_TRUE(h.InCommandMode());
    EXPECT_EQ(h.fom.controls.Lbl.caption, "");
    EXPECT_FALSE(h.fom.controls.TimSay.enabled);
    EXPECT_FALSE(h.fom.controls.PicKao.visible);
  }
}

TEST(EndOfScene, TugiInAnotherCaseIsText) {
  Harness h;
  h.game.WriteScript("opn", {"Tugi", " tugi"});
  h.Start();
  h.StartGame();
  EXPECT_EQ(PlayPages(h), QStringList{Page({"Tugi", " tugi▼"})});
}

struct JumpRow {
  const char* line;
  QString scene;  // the scene the jump opens
};
void PrintTo(const JumpRow& row, std::ostream* os) {
  *os << row.line;
}

class JumpTest : public ::testing::TestWithParam<JumpRow> {};

TEST_P(JumpTest, TheFifthCharacterIsDroppedWhateverItIs) {
  Harness h;
  h.game.WriteScript("opn", {"a", GetParam().line});
  for (const QString& scene : QStringList{"03", "3", "　03"})
    h.game.WriteScript(scene, {"in " + scene});
  h.Start();
  h.StartGame();
  Click(h);
  EXPECT_TRUE(h.dialogs.boxes.isEmpty());
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"in " + GetParam().scene + "▼"}));
  EXPECT_EQ(h.fom.controls.LstIvent.items.last(), GetParam().scene);
}

INSTANTIATE_TEST_SUITE_P(Ive, JumpTest,
                         ::testing::Values(JumpRow{">ive 03", "03"}, JumpRow{">ive,03", "03"},
                                           JumpRow{">ive　03", "03"}, JumpRow{">ive03", "3"},
                                           JumpRow{">ive 　03", "　03"}));

TEST(Jump, IveAloneOpensTheSceneWithTheEmptyName) {
  Harness h;
  h.game.WriteScript("opn", {"a", ">ive"});
  h.Start();
  h.StartGame();
  Click(h);
  EXPECT_EQ(h.dialogs.boxes, QStringList{h.game.path("txt/") + kDamaged});
}

TEST(ReturnToTitle, EndingClosesTheSceneAndShowsTheStageForANewGame) {
  Harness h;
  h.game.WriteScript("opn", {">love,0,1,2", "a", ">ending", "never shown"});
  h.Start();
  h.StartGame("7");
  ASSERT_NE(h.fom.state.affection[0], 0);
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"a▼"}));  // the page ends before ">ending"
  Click(h);
  EXPECT_TRUE(h.fom.controls.PicStt.visible);
  // The stage simply covers the scene: no return to the command panel underneath.
  EXPECT_FALSE(h.fom.controls.PicCom.visible);
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"a▼"}));
  EXPECT_FALSE(h.fom.controls.TimSay.enabled);
  EXPECT_EQ(h.fom.state.affection, (std::array<std::int16_t, 3>{0, 0, 0}));
  EXPECT_EQ(h.fom.state.dayLimit, 7);
  EXPECT_FALSE(h.fom.state.scriptFile);
  // The stage takes the next click and starts a fresh game from the opening.
  Click(h);
  EXPECT_TRUE(h.fom.controls.PicStt.visible);
  h.StartGame();
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"a▼"}));
}

TEST(ReturnToTitle, LinesThatOnlyLookLikeEndingAreShownAsText) {
  for (const QString& line : {QString(">ending "), QString(">Ending"), QString(">endflagX"),
                              QString(">ending2"), QString(" >ending")}) {
    SCOPED_TRACE(line.toStdString());
    Harness h;
    h.game.WriteScript("opn", {line});
    h.Start();
    h.StartGame();
    EXPECT_EQ(PlayPages(h), QStringList{Page({line + "▼"})});
    EXPECT_TRUE(h.InCommandMode());
  }
}

struct EndflagRow {
  std::array<std::int16_t, 3> affection;
  QString shown;  // the first page after ">endflag"
};
void PrintTo(const EndflagRow& row, std::ostream* os) {
  *os << row.affection[0] << ',' << row.affection[1] << ',' << row.affection[2];
}

class EndflagTest : public ::testing::TestWithParam<EndflagRow> {};

TEST_P(EndflagTest, TheSumAndTheFirstCharacterAt300ChooseTheEnding) {
  Harness h;
  h.game.WriteScript("opn", {">endflag", "everybody else"});
  for (const QString& digit : QStringList{"0", "1", "2"})
    h.game.WriteScript("end" + digit, {"end" + digit});
  h.Start();
  h.fom.state.affection = GetParam().affection;
  h.StartGame();
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({GetParam().shown + "▼"}));
  // A character's ending is an ordinary scene with a picture of its own.
  if (GetParam().shown.startsWith("end")) {
    EXPECT_EQ(h.fom.controls.LstIvent.items.last(), GetParam().shown);
  }
}

INSTANTIATE_TEST_SUITE_P(Endflag, EndflagTest,
                         ::testing::Values(EndflagRow{{300, 150, 60}, "end0"},
                                           EndflagRow{{299, 301, 0}, "end1"},
                                           EndflagRow{{0, 200, 300}, "end2"},
                                           EndflagRow{{250, 250, 0}, "everybody else"},
                                           EndflagRow{{400, 0, 0}, "everybody else"},
                                           EndflagRow{{-100, 400, 300}, "end1"},
                                           EndflagRow{{32767, 32767, 0}, "end0"}));

struct SpeakerRow {
  const char* line;
  QString row;   // what the label shows for it
  QString face;  // the face drawn for it; empty: none drawn and the box hidden
};
void PrintTo(const SpeakerRow& row, std::ostream* os) {
  *os << row.line;
}

class SpeakerTest : public ::testing::TestWithParam<SpeakerRow> {};

TEST_P(SpeakerTest, TheRowTheFaceAndTheFaceBoxFollowTheLine) {
  const SpeakerRow& row = GetParam();
  Harness h;
  for (const QString& face : QStringList{"よわ＿1", "よわ＿2", "＿x", "a＿b＿c"}) {
    h.game.TouchPicture("face/" + face + ".png");
  }
  h.game.WriteScript("opn", {"-よわ＿1", row.line});
  h.Start();
  h.StartGame();
  const int facesBefore = h.pictures.log.filter("EKao").size();
  Tick(h);
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"■よわ", row.row + "▼"}));
  EXPECT_EQ(h.fom.controls.PicKao.visible, !row.face.isEmpty());
  if (row.face.isEmpty()) {
    EXPECT_EQ(h.pictures.log.filter("EKao").size(), facesBefore);
  } else {
    EXPECT_EQ(h.pictures.shownPicKao, h.game.path("face/" + row.face + ".png"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Speakers, SpeakerTest,
    ::testing::Values(SpeakerRow{"-", "", ""}, SpeakerRow{"-よわ", "■よわ", ""},
                      SpeakerRow{"-よわ＿2", "■よわ", "よわ＿2"}, SpeakerRow{"-＿x", "■", "＿x"},
                      SpeakerRow{"-a＿b＿c", "■a", "a＿b＿c"}, SpeakerRow{"-tugi", "■tugi", ""}));

struct LoveRow {
  const char* line;
  std::deque<float> fractions;  // what the random source answers, in order
  std::array<std::int16_t, 3> affection;
  int draws;
};
void PrintTo(const LoveRow& row, std::ostream* os) {
  *os << row.line;
}

class LoveTest : public ::testing::TestWithParam<LoveRow> {};

TEST_P(LoveTest, EachGoodItemDrawsOnceInOrderAndBadItemsAreSkipped) {
  const LoveRow& row = GetParam();
  Harness h;
  h.game.WriteScript("opn", {QString::fromUtf8(row.line), "a"});
  h.Start();
  h.random.script = row.fractions;
  const int drawsBefore = h.random.draws;
  h.StartGame();
  EXPECT_EQ(h.fom.state.affection, row.affection);
  EXPECT_EQ(h.random.draws - drawsBefore, row.draws);
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"a▼"}));
}

INSTANTIATE_TEST_SUITE_P(
    Love, LoveTest,
    ::testing::Values(LoveRow{">love,0", {0.0f}, {10, 0, 0}, 1},
                      LoveRow{">love, 0, 2", {0.99f, 0.5f}, {19, 0, 15}, 2},
                      LoveRow{">love,1,1", {0.1f, 0.25f}, {0, 23, 0}, 2},
                      LoveRow{">love,3,x,,1.5,-1,1", {0.3f}, {0, 13, 0}, 1},
                      LoveRow{">love,2 1,one", {}, {0, 0, 0}, 0},
                      LoveRow{">love", {}, {0, 0, 0}, 0}, LoveRow{">love 0", {}, {0, 0, 0}, 0},
                      LoveRow{">loveXYZ,2", {0.0f}, {0, 0, 10}, 1},
                      LoveRow{">love,　1　,01", {0.9999f, 0.0f}, {0, 29, 0}, 2}));

// The draws belong to the moment the line is run, in item order, whatever the pace.
TEST(Love, RaisesTheSameWhenTheLineIsReachedInNormalPacingOrFastForward) {
  for (const bool fastForward : {false, true}) {
    SCOPED_TRACE(fastForward ? "fast-forward" : "normal pacing");
    Harness h;
    h.game.WriteScript("opn", {"a", ">love,2,0", "b"});
    h.Start();
    h.random.script = {0.3f, 0.75f};
    h.StartGame();
    ASSERT_EQ(h.fom.state.affection, (std::array<std::int16_t, 3>{0, 0, 0}));
    if (fastForward) {
      RightClick(h);
    } else {
      Click(h);
    }
    EXPECT_EQ(h.fom.state.affection, (std::array<std::int16_t, 3>{17, 0, 13}));
    EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"b▼"}));
  }
}

TEST(Love, AffectionStopsAtTheEdgesOfItsRange) {
  Harness h;
  h.game.WriteScript("opn", {">love,0,1,0", "a"});
  h.Start();
  h.fom.state.affection = {32760, -32768, 0};
  h.random.script = {0.5f, 0.5f, 0.9f};
  h.StartGame();
  EXPECT_EQ(h.fom.state.affection, (std::array<std::int16_t, 3>{32767, -32753, 0}));
}

TEST(Picture, ImgShowsTheEventPictureAndGoesStraightOn) {
  Harness h;
  h.game.TouchPicture("img/abc.png");
  h.game.WriteScript("opn", {">img abc", "a"});
  h.Start();
  h.StartGame();
  EXPECT_EQ(h.pictures.shownPic, h.game.path("img/abc.png"));
  EXPECT_EQ(h.fom.controls.LstIvent.items.last(), "abc");
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"a▼"}));
}

TEST(Picture, AHundredThousandPictureLinesInARowRunInOneStep) {
  Harness h;
  QStringList script;
  for (int i = 0; i < 100000; ++i) script << ">img p";
  script << "last";
  h.game.WriteScript("opn", script);
  h.Start();
  h.StartGame();
  EXPECT_EQ(h.fom.controls.Lbl.caption, Page({"last▼"}));
  EXPECT_EQ(h.fom.controls.LstIvent.items.count("p"), 1);
}

TEST(Reading, BytesThatAreNotCodePage932ShowAsReplacementCharacters) {
  Harness h;
  h.game.WriteRaw("txt/opn.txt",
                  "a\r\n\xFF\xFF"
                  "b\r\nc");
  h.Start();
  h.StartGame();
  EXPECT_EQ(PlayPages(h), QStringList{Page({"a", "\uFFFD\uFFFDb", "c▼"})});
}

}  // namespace
}  // namespace hibi::testing
