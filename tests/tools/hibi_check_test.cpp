// hibi-check run as a game author runs it, on folders with one thing broken each.
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "support/harness.h"
#include "support/ordinary_user.h"

namespace hibi::testing {
namespace {

const QByteArray kTinyPng = QByteArray::fromBase64(
    "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAIAAACQd1PeAAAADElEQVR4nGP438AAAAQBAYDFKhhdAAAAAElFTkSuQmCC");

template <std::size_t N>
QByteArray Raw(const char (&bytes)[N]) {
  return QByteArray(bytes, N - 1);
}

// One track holding only its end, a beat late: the smallest tune the game plays.
const QByteArray kTinyMidi = Raw("MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk\0\0\0\x04\x60\xff\x2f\0");

// A game hibi-check passes without a word, for the rows to break one piece at a time:
// every scene the game opens by itself as a one-line script with a picture of its own, a
// title picture, one face, the picture "hana" and a real tune.
struct SmallGame : TempGame {
  SmallGame() {
    QStringList scenes;
    for (int i = 0; i < 21; ++i) scenes << QStringLiteral("%1%2").arg(i / 7).arg(i % 7);
    for (int i = 0; i < 15; ++i) scenes << QStringLiteral("0%1%2").arg(i / 5).arg(i % 5 + 1);
    for (const QString& scene : scenes + QStringList{"ttl", "hana", "end0", "end1", "end2"})
      WritePicture("img/" + scene + ".png");
    for (const QString& scene : scenes) WriteScript(scene, {QStringLiteral("いい天気だね")});
    WriteScript("opn", {"-よわ＿1", "おはよう", ">img hana", ">love,0,2", "tugi"});
    WriteScript("end", {"おしまい", ">ending"});
    WritePicture("face/よわ＿1.png");
    WriteRaw("bgm.mid", kTinyMidi);
  }
  void WritePicture(const QString& relative) { WriteRaw(relative, kTinyPng); }
};

struct CheckRun {
  int exitCode = -1;
  QStringList lines;  // stdout, one entry per line
  QString errors;     // stderr
};

// As root, `asOrdinaryUser` runs the checker as nobody, so that a file taken away from
// everybody cannot be read by it either.
CheckRun RunCheck(const QStringList& arguments, bool asOrdinaryUser = false) {
  QProcess process;
  process.setChildProcessModifier([asOrdinaryUser] {
    if (asOrdinaryUser && !::geteuid() &&
        (::setgroups(0, nullptr) || ::setgid(kNobody) || ::setuid(kNobody)))
      ::_exit(127);
  });
  process.start(QStringLiteral(HIBI_CHECK_EXE), arguments);
  if (!process.waitForFinished(180000) || process.exitStatus() != QProcess::NormalExit) return {};
  return {process.exitCode(),
          QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
          QString::fromUtf8(process.readAllStandardError())};
}

const QString kNote =
    QStringLiteral(R"(sys/sys.dat: note: script suffix ".txt", picture suffix ".png")");

// Lines as one text, so a failure shows them readably.
const auto Text = [](const QStringList& lines) { return lines.join(u'\n').toStdString(); };

TEST(HibiCheck, ASmallCompleteGameHasNothingToReport) {
  const CheckRun run = RunCheck({SmallGame().folder()});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(Text(run.lines),
            Text({kNote, "hibi-check: 38 scenes, 38 pictures, 1 face: 0 errors, 0 warnings"}));
}

struct Broken {
  const char* name;
  std::function<void(SmallGame&)> breakIt;
  QStringList diagnostics;  // between the note on the suffixes and the summary
};

class ABrokenGame : public ::testing::TestWithParam<Broken> {};

// The summary counts the errors and warnings, and any error fails the run.
TEST_P(ABrokenGame, GetsExactlyTheseDiagnostics) {
  const Broken& row = GetParam();
  SmallGame game;
  OpenToEveryone(game.folder());
  row.breakIt(game);
  const CheckRun run = RunCheck({game.folder()}, true);
  std::filesystem::remove_all(game.folder().toStdString());  // names Qt cannot decode
  ASSERT_FALSE(run.lines.isEmpty()) << run.errors.toStdString();
  QStringList diagnostics = run.lines.mid(0, run.lines.size() - 1);
  if (diagnostics.value(0) == kNote) diagnostics.removeFirst();
  EXPECT_EQ(Text(diagnostics), Text(row.diagnostics));
  const int errors = int(row.diagnostics.filter(": error: ").size());
  const int warnings = int(row.diagnostics.filter(": warning: ").size());
  const QString counts =
      QString::asprintf(": %d error%s, %d warning%s", errors, errors == 1 ? "" : "s", warnings,
                        warnings == 1 ? "" : "s");
  EXPECT_TRUE(run.lines.last().endsWith(counts)) << run.lines.last().toStdString();
  EXPECT_EQ(run.exitCode, errors > 0 ? 1 : 0);
}

const QString kShowsReplacement = QStringLiteral("; the game shows \"\uFFFD\" instead");
const QString kCircle = QStringLiteral(
    "without showing a line; the game gives up 64 scenes deep and reports one of them as broken");
const QString kNeverReturns = QStringLiteral(
    "warning: the ending never returns to the title (it runs no \">ending\" line); the game "
    "would go back to the commands");
QString Missing(const QString& scene, const QString& when) {
  return QStringLiteral("txt/%1.txt: error: scene \"%1\" is missing; the game opens it %2")
      .arg(scene, when);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, ABrokenGame,
    ::testing::Values(
        Broken{"NamesLinksAndFilesTheGameRefuses",
               [](SmallGame& g) {
                 g.WriteScript("opn", {">img ../../x", ">img \x1B]0;x\x7F\x07", "-/よわ＿1",
                                       ">img hana", ">ive ../../../etc/passwd", "tugi"});
                 QFile::remove(g.path("img/hana.png"));
                 ::mkfifo(QFile::encodeName(g.path("img/hana.png")).constData(), 0666);
                 QFile::remove(g.path("txt/10.txt"));
                 QFile::link("/etc/hostname", g.path("txt/10.txt"));
               },
               {"txt/10.txt: error: the script leads outside the game folder; the game refuses it",
                "txt/opn.txt:1: error: picture \"../../x\" cannot be loaded: img/../../x.png "
                "leaves the game folder through \"..\"; the game refuses it",
                "txt/opn.txt:2: error: picture \"\\x1B]0;x\\x7F\\x07\" cannot be loaded: "
                "img/\\x1B]0;x\\x7F\\x07.png holds a control character; the game refuses it",
                "txt/opn.txt:3: error: face \"/よわ＿1\" cannot be loaded: face//よわ＿1.png is an "
                "absolute name; the game refuses it",
                "txt/opn.txt:4: error: picture \"hana\" cannot be loaded: img/hana.png is not a "
                "regular file (a folder, FIFO, device or socket); the game refuses it",
                "txt/opn.txt:5: error: \">ive\" names a scene that leaves the game folder through "
                "\"..\"; the game refuses it",
                "txt/opn.txt:6: warning: the scene has left at line 5; this line and the lines "
                "after it are never run",
                "img/hana.png: error: a FIFO, device or socket, not a file; the game refuses it",
                "txt/10.txt: error: a link that leads outside the game folder (to /etc/hostname); "
                "the game refuses it"}},
        Broken{"UnreadableSettingsFile",
               [](SmallGame& g) { ::chmod(QFile::encodeName(g.path("sys/sys.dat")), 0); },
               {"sys/sys.dat: error: the settings file may not be read; the game cannot start"}},
        Broken{"ThreeLineSettingsFile",
               [](SmallGame& g) { g.WriteRaw("sys/sys.dat", ".txt\r\n.png\r\n\r\n"); },
               {"sys/sys.dat: error: the settings file has 3 lines; the game needs 4 to start "
                "(script suffix, picture suffix, two more)"}},
        Broken{"MissingScenesDamagedScriptsAndCommandsThatDoLess",
               [](SmallGame& g) {
                 for (const char* gone : {"txt/opn.txt", "txt/26.txt", "txt/013.txt"})
                   QFile::remove(g.path(gone));
                 g.WriteScript("end", {"おしまい", ">endflag", "またね", ">ending"});
                 g.WriteRaw("bgm.mid", kTinyMidi.chopped(2));
                 // A lone CR ends a line; a lone LF does not.
                 g.WriteRaw("txt/001.txt", "\x82\xa8\r\x82\xcd\r\nab\xe0\x7f\r\n");
                 g.WriteRaw("txt/002.txt", "abc\x82\r\nok");  // lead byte cut off by the line end
                 g.WriteRaw("txt/003.txt", "ab\ncd\r\n");
                 g.WriteRaw("txt/004.txt", "");
                 g.WriteRaw("txt/005.txt", "ok\r\n" + QByteArray(70000, 'x'));
                 g.WriteScript("011", {"とおみや", ">love,1,3, x", ">love 1"});
                 g.WriteRaw("txt/012.txt", QStringLiteral("こんにちは\r\n").toUtf8());
                 g.WriteScript("014", {"さよなら", ">Ending", ">img", "tugi だよ"});
                 g.WriteScript("01", {">ive"});
                 ::chmod(QFile::encodeName(g.path("txt/015.txt")), 0);
               },
               {"txt/001.txt:3:3: error: invalid code page 932 bytes (E0 7F)" + kShowsReplacement,
                "txt/002.txt:1:4: error: invalid code page 932 bytes (82)" + kShowsReplacement,
                "txt/003.txt:1:3: warning: a lone LF does not end a line (lines end in CR LF); the "
                "game keeps it inside this line",
                "txt/004.txt: error: the script has no line; the game reports it as damaged",
                "txt/005.txt:2: error: the line is longer than 65536 bytes; the game stops the "
                "scene there as a damaged script",
                "txt/01.txt:1: error: \">ive\" names no scene",
                "txt/011.txt:2: error: \">love\" item \"3\" is not a character (0, 1 or 2)",
                "txt/011.txt:2: error: \">love\" item \" x\" is not a character (0, 1 or 2)",
                "txt/011.txt:3: warning: \">love\" raises nobody; the characters follow commas, as "
                "in \">love,0\"",
                "txt/012.txt: error: the script looks like UTF-8; the game reads scripts as code "
                "page 932 (Shift_JIS)",
                "txt/014.txt:2: warning: \">Ending\" is no command; the game shows it as text",
                "txt/014.txt:3: warning: \">img\" names no picture; the game redraws the picture "
                "it loaded last",
                "txt/014.txt:4: warning: the scene ends at \"tugi\"; the rest of the line is never "
                "shown",
                "txt/015.txt: error: the script may not be read",
                Missing("opn", "when a new game starts"),
                Missing("26", "for サガの店 at 深夜"),
                Missing("013", "when とおみや is visited at affection level 3"),
                Missing("end0", "through \">endflag\" for the ending of よわ"),
                Missing("end1", "through \">endflag\" for the ending of とおみや"),
                Missing("end2", "through \">endflag\" for the ending of こうき"),
                "bgm.mid: error: chunk 2 (\"MTrk\") runs past the end of the file"}},
        // Scripts whose suffix is one space; names found only through case folding, "\\" as a
        // folder or code page 932 bytes.
        Broken{
            "NamesTheGameFindsAnyway",
            [](SmallGame& g) {
              g.WriteRaw("sys/sys.dat", " \r\n.png\r\n\r\n\r\n");
              QDir scripts(g.path("txt"));
              for (const QString& file : scripts.entryList(QDir::Files))
                scripts.rename(file, file.chopped(4) + " ");
              // Now a file named "extra.txt " is the scene "extra.txt".
              g.WriteScript("extra.txt", {"だれも来ない"}, " ");
              g.WriteScript("01", {">ive nowhere"}, " ");
              QFile::rename(g.path("txt/opn "), g.path("txt/OPN "));
              QFile::rename(g.path("img/03.png"), g.path("img/03.PNG"));
              g.WritePicture("img/03.Png");
              QFile::rename(g.path("bgm.mid"), g.path("BGM.MID"));
              g.WritePicture("img/sub/hana.png");
              g.WriteScript("00", {">img sub\\hana", "やあ"}, " ");
              // The face's name in code page 932 bytes, as an archive made on Windows leaves it.
              const QByteArray face = g.path("face/").toUtf8();
              std::rename(face + "よわ＿1.png", face + "\x82\xe6\x82\xed\x81Q1.png");
            },
            {"sys/sys.dat: note: script suffix \" \", picture suffix \".png\"",
             "sys/sys.dat:1: warning: the script suffix \" \" has a space at its end or start, "
             "which is part of every file name",
             "img/sub/hana.png: note: plays, through \"\\\" as a folder: img/sub/hana.png for "
             "img/sub\\hana.png",
             "txt/01 :1: error: \">ive\" opens scene \"nowhere\", which is missing (txt/nowhere )",
             "img/03.PNG: note: plays, through case folding: img/03.PNG for img/03.png",
             "img/03.PNG: note: several files match img/03.png; the game takes img/03.PNG",
             "face/よわ＿1.png: note: plays, through code page 932 bytes: face/よわ＿1.png for "
             "face/よわ＿1.png",
             "img/extra.txt.png: warning: scene \"extra.txt\" has no picture of its own; the "
             "game shows an empty picture layer",
             "txt/OPN : note: plays, through case folding: txt/OPN  for txt/opn ",
             "txt/extra.txt : warning: nothing opens scene \"extra.txt\""}},
        // Lines after a scene has left open nothing; "fin" needs no picture of its own.
        Broken{
            "PicturesCirclesEndingsAndLinesAfterTheSceneHasLeft",
            [](SmallGame& g) {
              g.WriteScript("opn", {"-よわ＿2", "a", "-よわ＿2", "b", "-よわ", ">img hana"});
              g.WriteRaw("img/ttl.png", kTinyPng.left(40));
              g.WriteRaw("img/hana.png", "not a picture");
              QFile::remove(g.path("img/03.png"));
              g.WriteRaw("img/04.png", kTinyPng.left(40));
              QFile::remove(g.path("bgm.mid"));
              g.WriteScript("00", {">love,0", ">img 05", "", ">ive loop"});
              g.WriteScript("loop", {">ive 00"});
              g.WritePicture("img/loop.png");
              g.WriteScript("01", {">ive 01"});
              g.WriteScript("02", {">ive 00"});                // into the circle: reported once
              g.WriteScript("03", {"こんにちは", ">ive 03"});  // shows a line each time
              g.WriteScript("04", {"-", ">ive 04"});           // so does an empty speaker
              g.WriteScript("05", {">ive 06"});                // 06 shows a line
              g.WriteScript("10", {">endflag", ">ive 11"});    // falls through to the circle
              g.WriteScript("11", {"", ">ive 10"});
              g.WriteScript("12", {"tugi", ">ive 12", ">ive extra"});
              g.WriteScript("extra", {"だれも来ない"});
              g.WritePicture("img/extra.png");
              g.WriteScript("end", {"おしまい", ">endflag", "またね"});
              g.WriteScript("end0", {"よわ", ">ending"});
              g.WriteScript("end1", {"とおみや", "tugi", ">ending"});
              g.WriteScript("end2", {"こうき", ">ive fin"});  // fin returns for it
              g.WriteScript("fin", {"おわり", ">ending"});
            },
            {"img/ttl.png: error: the title picture \"ttl\" cannot be loaded: img/ttl.png is cut "
             "off before the picture ends; the game refuses it",
             "img/03.png: warning: scene \"03\" has no picture of its own; the game shows an "
             "empty picture layer",
             "img/04.png: error: the picture of scene \"04\" cannot be loaded: img/04.png is cut "
             "off before the picture ends; the game refuses it",
             "txt/12.txt:2: warning: the scene has left at line 1; this line and the lines after "
             "it are never run",
             "txt/end1.txt:3: warning: the scene has left at line 2; this line and the lines after "
             "it are never run",
             "txt/opn.txt:1: error: face \"よわ＿2\" is missing (face/よわ＿2.png)",
             "txt/opn.txt:6: error: picture \"hana\" cannot be loaded: img/hana.png is not a "
             "picture",
             "txt/loop.txt:1: error: scenes \"00\" -> \"loop\" -> \"00\" jump in a circle " +
                 kCircle,
             "txt/01.txt:1: error: scene \"01\" opens itself again " + kCircle,
             "txt/11.txt:2: error: scenes \"10\" -> \"11\" -> \"10\" jump in a circle " + kCircle,
             "txt/end.txt: " + kNeverReturns, "txt/end1.txt: " + kNeverReturns,
             "txt/extra.txt: warning: nothing opens scene \"extra\"",
             "bgm.mid: error: the tune is missing; the game plays no music"}}),
    [](const ::testing::TestParamInfo<Broken>& info) { return std::string(info.param.name); });

// Each fault of a tune, found in that order; the last file is sound by the format, but
// the tune ends where it starts and the game will not play it.
TEST(HibiCheck, NamesWhatIsWrongWithTheTune) {
  const QByteArray header = kTinyMidi.left(14);
  const QByteArray track = kTinyMidi.mid(14);
  const std::pair<QByteArray, QString> rows[] = {
      {Raw("MThd\0\0"), "not a standard MIDI file: it does not begin with \"MThd\""},
      {header.left(7) + '\x05' + header.mid(8) + track, "the \"MThd\" header is damaged"},
      {header.left(9) + '\x03' + header.mid(10) + track, "unknown MIDI format 3"},
      {header.left(11) + '\0' + header.mid(12) + track, "the header declares no track"},
      {header.left(11) + '\x02' + header.mid(12) + track + track,
       "a format 0 MIDI file has one track; this header declares 2"},
      {header.left(12) + Raw("\0\0") + track, "the header's time division is 0"},
      {kTinyMidi + "MTr", "chunk 3 is cut off by the end of the file"},
      {Raw("MThd\0\0\0\x06\0\x01\0\x02\0\x60") + track,
       "the header declares 2 tracks but the file holds 1 \"MTrk\" chunks"},
      {header + Raw("MTrk\0\0\0\x04\0\xff\x2f\0"),
       "the game will not play this tune (an unusual header, chunk or event, or no length at "
       "all); it stays silent"}};
  for (const auto& [bytes, problem] : rows) {
    SmallGame game;
    game.WriteRaw("bgm.mid", bytes);
    const CheckRun run = RunCheck({game.folder()});
    EXPECT_EQ(run.lines.value(1), "bgm.mid: error: " + problem) << Text(run.lines);
  }
}

TEST(HibiCheck, AWrongCommandLineExitsWithTwoAndShowsTheUsage) {
  for (const QStringList& args : QList<QStringList>{
           {}, {"/", "/"}, {"/no/such/game/folder"}, {"--simulate", "0", HIBI_SAMPLE_DIR}}) {
    const CheckRun run = RunCheck(args);
    EXPECT_TRUE(run.exitCode == 2 && run.lines.isEmpty() &&
                run.errors.contains("usage: hibi-check <game folder>"))
        << Text(args) << run.exitCode << Text(run.lines);
  }
}

TEST(HibiCheck, FindsNoErrorInTheSampleGame) {
  const CheckRun run = RunCheck({QStringLiteral(HIBI_SAMPLE_DIR)});
  EXPECT_EQ(run.exitCode, 0) << Text(run.lines);  // any error fails the run
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
    if (broken) game.WriteRaw("txt/13.txt", "");
    if (broken) game.WriteScript("20", {"ねえ", ">ive 20"});
    const CheckRun run = RunCheck({"--simulate", "3", game.folder()});
    ASSERT_GE(run.lines.size(), 10) << run.errors.toStdString();
    EXPECT_EQ(Text(run.lines.mid(1, 3) << run.lines[5]),
              Text({"favours かえる公園: 3 end", "favours 森林万樹: 3 end",
                    broken ? "favours サガの店: 3 not back at the title after 5000 steps"
                           : "favours サガの店: 3 end",
                    "favours とおみやの家: 3 end1"}));
    const QString box =
        "error: the box \"" + game.folder() + "txt/13が破損しています 制作者に連絡して下さい\"";
    EXPECT_EQ(run.lines.filter(box).filter("(first: favours 森林万樹, seed 1)").size(),
              broken ? 1 : 0);
    EXPECT_TRUE(run.lines.last().endsWith(broken ? "1 message box" : "0 message boxes"));
    EXPECT_EQ(run.exitCode, broken ? 1 : 0) << Text(run.lines);
  }
}

}  // namespace
}  // namespace hibi::testing
