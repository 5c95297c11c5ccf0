// The game's code page 932 text files, their names as on Windows, and the settings file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <fstream>
#include <string>

#include "storage/game_names.h"
#include "storage/settings.h"
#include "storage/text_file.h"
#include "support/harness.h"
#include "support/qstring_print.h"

namespace hibi {
namespace {

using hibi::testing::TempGame;

TEST(Cp932, AGameCharacterKeepsItsCodePage932BytesBothWays) {
  struct Row {
    const char* utf8;
    std::string cp932;
  };
  for (const auto& [utf8, cp932] :
       {Row{"＿", "\x81\x51"}, Row{"■", "\x81\xA1"}, Row{"▼", "\x81\xA5"}, Row{"～", "\x81\x60"},
        Row{"－", "\x81\x7C"}, Row{"①", "\x87\x40"}, Row{"㈱", "\x87\x8A"}, Row{"髙", "\xFB\xFC"},
        Row{"\\", "\x5C"}, Row{"~", "\x7E"}, Row{"よわ＿1", "\x82\xE6\x82\xED\x81Q1"},
        Row{"SAVE　OK", "SAVE\x81\x40OK"}, Row{"ｱｲｳ", "\xB1\xB2\xB3"}, Row{"", ""},
        Row{"plain ascii 123 !?", "plain ascii 123 !?"}}) {
    SCOPED_TRACE(utf8);
    const QString text = QString::fromUtf8(utf8);
    EXPECT_EQ(EncodeCp932(text), cp932);
    EXPECT_EQ(DecodeCp932(cp932), text);
  }
}

TEST(Cp932, ABrokenSequenceShowsAsAReplacementAndTheRestStillReads) {
  using P = std::pair<std::string, const char*>;  // bytes, the UTF-8 the player would see
  for (const auto& [bytes, text] :
       {P{"ab\x82", "ab\uFFFD"}, P{"a\x80z", "a\uFFFDz"}, P{"a\xA0z", "a\uFFFDz"},
        P{"\xFDz", "\uFFFDz"}, P{"\xFFz", "\uFFFDz"}, P{"\x81 OK", "\uFFFD OK"},
        P{"\x9F\"x", "\uFFFD\"x"}, P{"\x85\x80\x82\xA0", "\uFFFDあ"},
        P{"\x81\xFFz", "\uFFFD\uFFFDz"}}) {
    SCOPED_TRACE(bytes);
    EXPECT_EQ(DecodeCp932(bytes), QString::fromUtf8(text));
  }
  // A character the code page cannot hold is written as a question mark.
  EXPECT_EQ(EncodeCp932(QString::fromUtf8("a😀bé▼")), "a?b?\x81\xA5");
}

// Lines end at CR LF or a lone CR and the last needs no end; a count stops reading early.
TEST(ReadLines, EachLineEndEndsALineAndACountStopsReadingEarly) {
  struct Row {
    QByteArray bytes;
    std::optional<QStringList> lines;  // nullopt: cannot be read
    qsizetype count = -1;              // -1: ReadAllLines
    const char* read = "sys/f.dat";    // the bytes are written to sys/f.dat
  };
  for (const Row& row :
       {Row{"", QStringList{}}, Row{"\r\n", {{""}}}, Row{"a\r\nb", {{"a", "b"}}},
        Row{"a\rb\r", {{"a", "b"}}}, Row{"a\nb\r\n", {{"a\nb"}}}, Row{"a\n\rb", {{"a\n", "b"}}},
        Row{"\r\n\r\nx\r\n\r\n", {{"", "", "x", ""}}}, Row{"a\r\r\n", {{"a", ""}}},
        Row{"\x81\xA5\x8BL\r\n\x82\xA0", {{"▼記", "あ"}}}, Row{"\x82\r\nb", {{"\uFFFD", "b"}}},
        Row{"a\r\nb\r\nc\r\n\x82", {{"a", "b"}}, 2}, Row{"a\rb", {{"a", "b"}}, 2},
        Row{"a\r\n", {{"a"}}, 4}, Row{"", QStringList{}, 4}, Row{"", {}, -1, "sys/none.dat"},
        Row{"", {}, 4, "sys/none.dat"}, Row{"", {}, -1, "txt"}}) {
    SCOPED_TRACE(row.bytes.toStdString() + " from " + row.read);
    TempGame game;
    game.WriteRaw("sys/f.dat", row.bytes);
    const QString path = game.path(row.read);
    EXPECT_EQ(row.count < 0 ? ReadAllLines(path) : ReadFirstLines(path, row.count), row.lines);
  }
}

TEST(TextReader, AnEndedFileStaysEnded) {
  TempGame game;
  game.WriteRaw("sys/f.dat", "one\r\ntwo");
  auto reader = TextReader::Open(game.path("sys/f.dat"));
  ASSERT_NE(reader, nullptr);
  for (const auto& line : {std::optional<QString>("one"), std::optional<QString>("two"),
                           std::optional<QString>(), std::optional<QString>()})
    EXPECT_EQ(reader->ReadLine(), line);
  EXPECT_EQ(TextReader::Open(game.path("sys/none.dat")), nullptr);
}

// Line ends and double-byte characters that fall on the reader's 64 KiB chunk border.
TEST(TextReader, WhatFallsOnAChunkBorderReadsBackExactly) {
  TempGame game;
  const QString kanji(32767, QChar(0x884C));  // 行, two bytes each
  for (const QString& first : {QString(65533, 'a'), QString(65534, 'a'), QString(65535, 'a'),
                               QString(65536, 'a'), kanji, "a" + kanji}) {
    for (const char* end : {"\r\n", "\r"}) {
      SCOPED_TRACE(::testing::Message() << first.size() << (end[1] ? " CR LF" : " CR"));
      game.WriteRaw("sys/f.dat", QByteArray::fromStdString(EncodeCp932(first) + end + "b\r\n"));
      // Compared whole: a printed difference of 64 KiB would drown the report.
      EXPECT_TRUE(ReadAllLines(game.path("sys/f.dat")) == QStringList({first, "b"}));
    }
  }
}

TEST(MakeFolders, EveryFolderIsTheProgramFolderWithOneSlashAndItsName) {
  for (const auto& [reported, program] :
       {std::pair{"/opt/game", "/opt/game/"}, std::pair{"/opt/game/", "/opt/game/"},
        std::pair{"/", "/"}, std::pair{"/home/よわ/Game ", "/home/よわ/Game /"}}) {
    SCOPED_TRACE(reported);
    const Folders f = MakeFolders(reported);
    const QString p = program;
    EXPECT_EQ(QStringList({f.programFolder, f.pictureFolder, f.faceFolder, f.scriptFolder,
                           f.settingsFolder}),
              QStringList({p, p + "img/", p + "face/", p + "txt/", p + "sys/"}));
  }
}

TEST(ReadSettings, TheFirstTwoLinesAreTheSuffixesOrStartUpStopsNamingThePathAndTheProblem) {
  struct Row {
    const char* bytes;  // nullptr: no file; "/": a folder in its place
    const char* script;
    const char* picture;
    const char* problem;  // nullptr: read
  };
  for (const Row& row :
       {Row{".txt\r\n.png\r\nx\r\ny", ".txt", ".png", nullptr},
        Row{".a\r\n.b\r\n\r\n\r\nmore\r\nand more", ".a", ".b", nullptr},
        Row{"\r\n\r\n\r\n\r\n", "", "", nullptr},
        Row{" .txt \r\n.png  \r\n3\r\n4\r\n", " .txt ", ".png  ", nullptr},
        Row{".t", "", "", "has 1 line, needs 4"}, Row{"", "", "", "has 0 lines, needs 4"},
        Row{nullptr, "", "", "is missing"}, Row{"/", "", "", "is a folder, not a file"}}) {
    SCOPED_TRACE(row.bytes ? row.bytes : "no file");
    TempGame game;
    const QString path = game.path("sys/sys.dat");
    QFile::remove(path);
    if (row.bytes && QString(row.bytes) == "/")
      QDir().mkpath(path);
    else if (row.bytes)
      game.WriteRaw("sys/sys.dat", row.bytes);
    try {
      const Settings s = ReadSettings(game.path("sys/"));
      EXPECT_FALSE(row.problem) << "no error";
      EXPECT_EQ(s.scriptSuffix, QString::fromUtf8(row.script));
      EXPECT_EQ(s.pictureSuffix, QString::fromUtf8(row.picture));
    } catch (const SettingsError& error) {
      if (!row.problem) ADD_FAILURE() << error.what();
      if (!row.problem) continue;
      EXPECT_EQ(error.path(), path);
      EXPECT_EQ(error.report(),
                "Cannot start: the settings file " + path + " " + row.problem + ".");
      EXPECT_EQ(QString::fromStdString(error.what()), error.report());
    }
  }
}

TEST(FindGameFile, NamesResolveAsOnTheGamesOwnPlatform) {
  TempGame game;
  const QString ai = TextFromNativeName(EncodeCp932("あい"));  // left in CP932 by an archive tool
  for (const QString file : {"Pics/Park.BMP", "Pics/ev/Bridge.bmp", "two/a.txt", "two/A.txt",
                             "full/ＡＢ.txt", "txt/opn.txt"}) {
    game.WriteRaw(file, {});
  }
  std::ofstream(NativePath(game.path("face/" + ai + ".bmp"))) << "x";
  struct Row {
    const char* asked;
    QString found;  // empty: nothing
    unsigned through;
  };
  for (const Row& row : {
           Row{"txt/opn.txt", "txt/opn.txt", kExactName},
           Row{"pics/park.bmp", "Pics/Park.BMP", kCaseFolding},
           Row{"pics/ev\\bridge.bmp", "Pics/ev/Bridge.bmp", kCaseFolding | kBackslash},
           Row{"face/あい.bmp", "face/" + ai + ".bmp", kCodePage932},
           Row{"two/a.txt", "two/a.txt", kExactName},
           Row{"two/A.TXT", "two/A.txt", kCaseFolding | kSeveralMatched},
           Row{"TWO/a.txt", "two/a.txt", kCaseFolding | kSeveralMatched},
           Row{"full/ａｂ.TXT", "full/ＡＢ.txt", kCaseFolding},
           Row{"pics/park.png", "", kExactName},
           Row{"pics/park.bmp/x", "", kExactName},
       }) {
    SCOPED_TRACE(row.asked);
    const FoundFile file = FindGameFile(game.folder(), game.path(row.asked));
    EXPECT_EQ(file.found, !row.found.isEmpty());
    EXPECT_EQ(file.path, game.path(row.found.isEmpty() ? QString(row.asked) : row.found));
    EXPECT_EQ(file.through, row.through);
  }
  // A name the game writes goes to the file of that name in any case, else beside it.
  game.WriteRaw("sys/ALL.DAT", "x");
  EXPECT_EQ(GameFileToWrite(game.folder(), game.path("sys/all.dat")), game.path("sys/ALL.DAT"));
  EXPECT_EQ(GameFileToWrite(game.folder(), game.path("SYS/lstphoto.dat")),
            game.path("sys/lstphoto.dat"));
  EXPECT_EQ(GameFileToWrite(game.folder(), game.path("none/a.dat")), game.path("none/a.dat"));
  // A listing already read is read again once its folder changes.
  game.WriteRaw("Pics/Late.png", "x");
  EXPECT_EQ(GameFile(game.folder(), game.path("pics/late.PNG")), game.path("Pics/Late.png"));
  const QString face = GameFile(game.folder(), game.path("face/あい.bmp"));
  EXPECT_EQ(ReadFirstLines(face, 1), QStringList{"x"});
  ::unlink(NativePath(face).c_str());  // a name Qt's own clean-up cannot spell
}

}  // namespace
}  // namespace hibi
