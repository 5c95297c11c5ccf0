// hibi-check run as a game author runs it, on folders with one thing broken each.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "small_game.h"

namespace hibi::testing {
namespace {

const QString kNote =
    QStringLiteral(R"(sys/sys.dat: note: script suffix ".txt", picture suffix ".png")");

// Lines as one text, so a failure shows them readably.
std::string Text(const QStringList& lines) {
  return lines.join(u'\n').toStdString();
}

QString Summary(int errors, int warnings) {
  return QStringLiteral(": %1 %2, %3 %4")
      .arg(errors)
      .arg(errors == 1 ? "error" : "errors")
      .arg(warnings)
      .arg(warnings == 1 ? "warning" : "warnings");
}

TEST(HibiCheck, ASmallCompleteGameHasNothingToReport) {
  SmallGame game;
  const CheckRun run = RunCheck({game.folder()});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(Text(run.lines),
            Text({kNote, "hibi-check: 38 scenes, 38 pictures, 1 face: 0 errors, 0 warnings"}));
}

struct Broken {
  const char* name;
  std::function<void(SmallGame&)> breakIt;
  QStringList diagnostics;  // between the note on the suffixes and the summary
  int exitCode;
};

void PrintTo(const Broken& row, std::ostream* out) {
  *out << row.name;
}

class ABrokenGame : public ::testing::TestWithParam<Broken> {};

TEST_P(ABrokenGame, GetsExactlyTheseDiagnostics) {
  const Broken& row = GetParam();
  SmallGame game;
  row.breakIt(game);
  const CheckRun run = RunCheck({game.folder()});
  ASSERT_FALSE(run.lines.isEmpty()) << run.errors.toStdString();

  QStringList diagnostics = run.lines;
  const QString summary = diagnostics.takeLast();
  if (!diagnostics.isEmpty() && diagnostics.first() == kNote) diagnostics.removeFirst();
  EXPECT_EQ(Text(diagnostics), Text(row.diagnostics));
  int errors = 0, warnings = 0;
  for (const QString& line : row.diagnostics) {
    errors += line.contains(": error: ") ? 1 : 0;
    warnings += line.contains(": warning: ") ? 1 : 0;
  }
  EXPECT_TRUE(summary.startsWith("hibi-check: ")) << summary.toStdString();
  EXPECT_TRUE(summary.endsWith(Summary(errors, warnings))) << summary.toStdString();
  EXPECT_EQ(run.exitCode, row.exitCode);
}

const QString kShowsReplacement = QStringLiteral("; the game shows \"\uFFFD\" instead");

INSTANTIATE_TEST_SUITE_P(
    Rows, ABrokenGame,
    ::testing::Values(
        Broken{"MissingSettingsFile",
               [](SmallGame& g) { g.Remove("sys/sys.dat"); },
               {"sys/sys.dat: error: the settings file is missing; the game cannot start"},
               1},
        Broken{"ThreeLineSettingsFile",
               [](SmallGame& g) { g.WriteRaw("sys/sys.dat", ".txt\r\n.png\r\n\r\n"); },
               {"sys/sys.dat: error: the settings file has 3 lines; the game needs 4 to start "
                "(script suffix, picture suffix, two more)"},
               1},
        Broken{"MissingOpening",
               [](SmallGame& g) { g.Remove("txt/opn.txt"); },
               {"txt/opn.txt: error: scene \"opn\" is missing; the game opens it when a new game "
                "starts"},
               1},
        Broken{
            "MissingLatePlaceAndVisit",
            [](SmallGame& g) {
              g.Remove("txt/26.txt");
              g.Remove("txt/013.txt");
            },
            {"txt/26.txt: error: scene \"26\" is missing; the game opens it for サガの店 at 深夜",
             "txt/013.txt: error: scene \"013\" is missing; the game opens it when とおみや is "
             "visited at affection level 3"},
            1},
        Broken{
            "BadCp932ByteInTheMiddle",
            [](SmallGame& g) { g.WriteRaw("txt/001.txt", "\x82\xa8\x82\xcd\r\nab\x81\x7f\r\n"); },
            {"txt/001.txt:2:3: error: invalid code page 932 bytes (81 7F)" + kShowsReplacement},
            1},
        Broken{"LeadByteCutOffByTheLineEnd",
               [](SmallGame& g) { g.WriteRaw("txt/002.txt", "abc\x82\r\nok"); },
               {"txt/002.txt:1:4: error: invalid code page 932 bytes (82)" + kShowsReplacement},
               1},
        Broken{"ScriptSavedAsUtf8",
               [](SmallGame& g) {
                 g.WriteRaw("txt/012.txt", QStringLiteral("こんにちは\r\n").toUtf8());
               },
               {"txt/012.txt: error: the script looks like UTF-8; the game reads scripts as code "
                "page 932 (Shift_JIS)"},
               1},
        Broken{"EmptyScript",
               [](SmallGame& g) { g.WriteRaw("txt/004.txt", ""); },
               {"txt/004.txt: error: the script has no line; the game reports it as damaged"},
               1},
        Broken{"EndlessLine",
               [](SmallGame& g) { g.WriteRaw("txt/005.txt", "ok\r\n" + QByteArray(70000, 'x')); },
               {"txt/005.txt:2: error: the line is longer than 65536 bytes; the game stops the "
                "scene there as a damaged script"},
               1},
        Broken{"LoneLineFeed",
               [](SmallGame& g) { g.WriteRaw("txt/005.txt", "ab\ncd\r\n"); },
               {"txt/005.txt:1:3: warning: a lone LF does not end a line (lines end in CR LF); the "
                "game keeps it inside this line"},
               0},
        Broken{"LoneCarriageReturnsEndLines",
               [](SmallGame& g) { g.WriteRaw("txt/015.txt", "a\rb\r\n>love,5\rc"); },
               {"txt/015.txt:3: error: \">love\" item \"5\" is not a character (0, 1 or 2)"},
               1},
        Broken{"ScriptsWithoutSuffix",
               [](SmallGame& g) {
                 g.WriteRaw("sys/sys.dat", "\r\n.png\r\n\r\n\r\n");
                 QDir scripts(g.path("txt"));
                 for (const QString& file : scripts.entryList(QDir::Files)) {
                   scripts.rename(file, file.chopped(4));
                 }
                 // Now a file named "extra.txt" is the scene "extra.txt".
                 g.WriteScript("extra", {"だれも来ない"});
                 g.WriteScript("00", {">ive 03"}, "");
                 g.WriteScript("01", {">ive nowhere"}, "");
               },
               {"sys/sys.dat: note: script suffix \"\", picture suffix \".png\"",
                "txt/01:1: error: \">ive\" opens scene \"nowhere\", which is missing (txt/nowhere)",
                "img/extra.txt.png: warning: scene \"extra.txt\" has no picture of its own; the "
                "game shows an empty picture layer",
                "txt/extra.txt: warning: nothing opens scene \"extra.txt\""},
               1},
        Broken{"NamesThatDifferOnlyInCasePlay",
               [](SmallGame& g) {
                 QFile::rename(g.path("txt/opn.txt"), g.path("txt/OPN.TXT"));
                 QFile::rename(g.path("img/03.png"), g.path("img/03.PNG"));
                 QFile::rename(g.path("bgm.mid"), g.path("BGM.MID"));
               },
               {"img/03.PNG: note: plays, through case folding: img/03.PNG for img/03.png",
                "txt/OPN.TXT: note: plays, through case folding: txt/OPN.TXT for txt/opn.txt"},
               0},
        Broken{"LoveForNobody",
               [](SmallGame& g) {
                 g.WriteScript("011", {"とおみや", ">love,1,3, x", ">love 1"});
               },
               {"txt/011.txt:2: error: \">love\" item \"3\" is not a character (0, 1 or 2)",
                "txt/011.txt:2: error: \">love\" item \" x\" is not a character (0, 1 or 2)",
                "txt/011.txt:3: warning: \">love\" raises nobody; the characters follow commas, as "
                "in \">love,0\""},
               1},
        Broken{"JumpToNowhere",
               [](SmallGame& g) {
                 g.WriteScript("00", {"こんにちは", ">ive nowhere"});
                 g.WriteScript("01", {">ive"});
               },
               {"txt/00.txt:2: error: \">ive\" opens scene \"nowhere\", which is missing "
                "(txt/nowhere.txt)",
                "txt/01.txt:1: error: \">ive\" names no scene"},
               1},
        Broken{
            "LinesAfterTheSceneHasLeft",
            [](SmallGame& g) {
              g.WriteScript("16", {"さようなら", "tugi", "", "まだ続く", ">ive extra", "もっと"});
              g.WriteScript("extra", {"だれも来ない"});
              g.WritePicture("img/extra.png");
            },
            {"txt/16.txt:4: warning: the scene has left at line 2; this line and the lines "
             "after it are never run",
             "txt/extra.txt: warning: nothing opens scene \"extra\""},
            0},
        Broken{"JumpToFinNeedsNoPictureOfItsOwn",
               [](SmallGame& g) {
                 g.WriteScript("00", {"こんにちは", ">ive fin"});
                 g.WriteScript("fin", {"おわり"});
               },
               {},
               0},
        Broken{"SceneNothingOpens",
               [](SmallGame& g) {
                 g.WriteScript("extra", {"だれも来ない"});
                 g.WritePicture("img/extra.png");
               },
               {"txt/extra.txt: warning: nothing opens scene \"extra\""},
               0},
        Broken{"EndingChoiceWithoutEndings",
               [](SmallGame& g) {
                 g.WriteScript("end", {"おしまい", ">endflag", "またね", ">ending"});
               },
               {"txt/end0.txt: error: scene \"end0\" is missing; the game opens it through "
                "\">endflag\" for the ending of よわ",
                "txt/end1.txt: error: scene \"end1\" is missing; the game opens it through "
                "\">endflag\" for the ending of とおみや",
                "txt/end2.txt: error: scene \"end2\" is missing; the game opens it through "
                "\">endflag\" for the ending of こうき"},
               1},
        Broken{"ScenesThatJumpInACircleBeforeShowingALine",
               [](SmallGame& g) {
                 g.WriteScript("00", {">love,0", ">img hana", "", ">ive extra"});
                 g.WriteScript("extra", {">ive 00"});
                 g.WritePicture("img/extra.png");
                 g.WriteScript("01", {">ive 01"});
                 g.WriteScript("02", {">ive 00"});                // into the circle: reported once
                 g.WriteScript("03", {"こんにちは", ">ive 03"});  // shows a line each time
                 g.WriteScript("04", {"-", ">ive 04"});           // so does an empty speaker
                 g.WriteScript("05", {">ive 06"});                // 06 shows a line
               },
               {"txt/extra.txt:1: error: scenes \"00\" -> \"extra\" -> \"00\" jump in a circle "
                "without showing a line; the game gives up 64 scenes deep and reports one of "
                "them as broken",
                "txt/01.txt:1: error: scene \"01\" opens itself again without showing a line; the "
                "game gives up 64 scenes deep and reports one of them as broken"},
               1},
        Broken{"CircleBehindAnEndingChoiceThatFallsThrough",
               [](SmallGame& g) {
                 g.WriteScript("10", {">endflag", ">ive 11"});
                 g.WriteScript("11", {"", ">ive 10"});
                 g.WriteScript("12", {"tugi", ">ive 12"});
                 for (const QString& ending : {"end0", "end1", "end2"}) {
                   g.WriteScript(ending, {"おわり", ">ending"});
                   g.WritePicture("img/" + ending + ".png");
                 }
               },
               {"txt/12.txt:2: warning: the scene has left at line 1; this line and the lines "
                "after it are never run",
                "txt/11.txt:2: error: scenes \"10\" -> \"11\" -> \"10\" jump in a circle without "
                "showing a line; the game gives up 64 scenes deep and reports one of them as "
                "broken"},
               1},
        Broken{"EndingsThatNeverReturnToTheTitle",
               [](SmallGame& g) {
                 g.WriteScript("end", {"おしまい", ">endflag", "またね"});
                 g.WriteScript("end0", {"よわ", ">ending"});
                 g.WriteScript("end1", {"とおみや", "tugi", ">ending"});
                 g.WriteScript("end2", {"こうき", ">ive fin"});  // fin returns for it
                 g.WriteScript("fin", {"おわり", ">ending"});
                 for (const QString& ending : {"end0", "end1", "end2"}) {
                   g.WritePicture("img/" + ending + ".png");
                 }
               },
               {"txt/end1.txt:3: warning: the scene has left at line 2; this line and the lines "
                "after it are never run",
                "txt/end.txt: warning: the ending never returns to the title (it runs no "
                "\">ending\" line); the game would go back to the commands",
                "txt/end1.txt: warning: the ending never returns to the title (it runs no "
                "\">ending\" line); the game would go back to the commands"},
               0},
        Broken{"MissingFaceReportedOnce",
               [](SmallGame& g) {
                 g.WriteScript("opn", {"-よわ＿2", "a", "-よわ＿2", "b", "-よわ"});
               },
               {"txt/opn.txt:1: error: face \"よわ＿2\" is missing (face/よわ＿2.png)"},
               1},
        Broken{"BrokenTitlePicture",
               [](SmallGame& g) { g.WriteRaw("img/ttl.png", TinyPng().left(40)); },
               {"img/ttl.png: error: the title picture \"ttl\" is not a picture the game can load"},
               1},
        Broken{"BrokenAndMissingPictures",
               [](SmallGame& g) {
                 g.WriteRaw("img/hana.png", "not a picture");
                 g.Remove("img/03.png");
                 g.WriteRaw("img/04.png", TinyPng().left(40));
               },
               // Scenes are checked in the order of their names, each with its picture first.
               {"img/03.png: warning: scene \"03\" has no picture of its own; the game shows an "
                "empty picture layer",
                "img/04.png: error: the picture of scene \"04\" is not a picture the game can load",
                "txt/opn.txt:3: error: picture \"hana\" cannot be loaded: img/hana.png is not a "
                "picture"},
               1},
        Broken{"CommandsThatDoLess",
               [](SmallGame& g) {
                 g.WriteScript("014", {"さよなら", ">Ending", ">img", "tugi だよ"});
               },
               {"txt/014.txt:2: warning: \">Ending\" is no command; the game shows it as text",
                "txt/014.txt:3: warning: \">img\" names no picture; the game redraws the picture "
                "it loaded last",
                "txt/014.txt:4: warning: the scene ends at \"tugi\"; the rest of the line is never "
                "shown"},
               0},
        Broken{"MissingTune",
               [](SmallGame& g) { g.Remove("bgm.mid"); },
               {"bgm.mid: error: the tune is missing; the game plays no music"},
               1},
        Broken{"TuneCutShort",
               [](SmallGame& g) { g.WriteRaw("bgm.mid", TinyMidi().chopped(2)); },
               {"bgm.mid: error: chunk 2 (\"MTrk\") runs past the end of the file"},
               1}),
    [](const ::testing::TestParamInfo<Broken>& info) { return std::string(info.param.name); });

struct Usage {
  const char* name;
  QStringList arguments;
};

void PrintTo(const Usage& row, std::ostream* out) {
  *out << row.name;
}

class AWrongCommandLine : public ::testing::TestWithParam<Usage> {};

TEST_P(AWrongCommandLine, ExitsWithTwoAndShowsTheUsage) {
  const CheckRun run = RunCheck(GetParam().arguments);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.lines.isEmpty());
  EXPECT_TRUE(run.errors.contains("usage: hibi-check <game folder>")) << run.errors.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rows, AWrongCommandLine,
                         ::testing::Values(Usage{"NoFolder", {}}, Usage{"TwoFolders", {"/", "/"}},
                                           Usage{"NoSuchFolder", {"/no/such/game/folder"}}),
                         [](const ::testing::TestParamInfo<Usage>& info) {
                           return std::string(info.param.name);
                         });

TEST(HibiCheck, FindsNoErrorInTheSampleGame) {
  const CheckRun run = RunCheck({QStringLiteral(HIBI_SAMPLE_DIR)});
  EXPECT_EQ(run.exitCode, 0) << Text(run.lines);
  for (const QString& line : run.lines) {
    EXPECT_FALSE(line.contains(": error: ")) << line.toStdString();
  }
}

// Played on a game where only とおみや's visits raise affection, her player reaches
// her ending and the players of the places the ending for everybody. Broken, an empty scene comes
// up as the game's box, named with the first player to meet it, and fails the run; a scene that
// jumps to itself after a line is given up rather than played forever.
TEST(HibiCheck, SimulationTellsEachPlayersEndingAndEveryBox) {
  for (const bool broken : {false, true}) {
    SmallGame game;
    game.WriteScript("end", {">endflag", "おしまい", ">ending"});
    for (const char* ending : {"end0", "end1", "end2"})
      game.WriteScript(ending, {"ふたり", ">ending"});
    for (int level = 1; level <= 5; ++level)
      game.WriteScript(QStringLiteral("01%1").arg(level), {">love,1,1,1", "またね"});
    if (broken) {
      game.WriteRaw("txt/13.txt", "");
      game.WriteScript("20", {"ねえ", ">ive 20"});
    }
    const CheckRun run = RunCheck({"--simulate", "3", game.folder()});
    ASSERT_GE(run.lines.size(), 10) << run.errors.toStdString();
    EXPECT_EQ(Text(run.lines.mid(1, 3) << run.lines[5]),
              Text({"favours かえる公園: 3 end", "favours 森林万樹: 3 end",
                    broken ? "favours サガの店: 3 not back at the title after 20000 steps"
                           : "favours サガの店: 3 end",
                    "favours とおみやの家: 3 end1"}));
    const QString box =
        QStringLiteral("error: the box \"%1txt/13が破損しています 制作者に連絡して下さい\"");
    const QString& boxLine = run.lines[run.lines.size() - 2];
    EXPECT_EQ(boxLine.startsWith(box.arg(game.folder())) &&
                  boxLine.endsWith("(first: favours 森林万樹, seed 1)"),
              broken);
    EXPECT_TRUE(run.lines.last().endsWith(broken ? "1 message box" : "0 message boxes"));
    EXPECT_EQ(run.exitCode, broken ? 1 : 0) << Text(run.lines);
  }
}

}  // namespace
}  // namespace hibi::testing
