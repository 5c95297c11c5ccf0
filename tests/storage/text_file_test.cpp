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

TEST(Cp932, AGameCharacterKeepsItsBytesBothWaysAndABrokenOneShowsAsAReplacement) {
  using Row = std::pair<const char*, std::string>;
  for (const auto& [utf8, cp932] :
       {Row{"＿", "\x81\x51"}, Row{"■", "\x81\xA1"}, Row{"▼", "\x81\xA5"}, Row{"～", "\x81\x60"},
        Row{"－", "\x81\x7C"}, Row{"①", "\x87\x40"}, Row{"㈱", "\x87\x8A"}, Row{"髙", "\xFB\xFC"},
        Row{"\\", "\x5C"}, Row{"~", "\x7E"}, Row{"よわ＿1", "\x82\xE6\x82\xED\x81Q1"},
        Row{"SAVE　OK", "SAVE\x81\x40OK"}, Row{"ｱｲｳ", "\xB1\xB2\xB3"}, Row{"", ""}}) {
    EXPECT_EQ(EncodeCp932(QString::fromUtf8(utf8)), cp932) << utf8;
    EXPECT_EQ(DecodeCp932(cp932), QString::fromUtf8(utf8));
  }
  // A broken sequence shows as a replacement and the rest still reads.
  using P = std::pair<std::string, const char*>;  // bytes, the UTF-8 the player would see
  for (const auto& [bytes, text] :
       {P{"ab\x82", "ab\uFFFD"}, P{"a\x80z", "a\uFFFDz"}, P{"a\xA0z", "a\uFFFDz"},
        P{"\xFDz", "\uFFFDz"}, P{"\xFFz", "\uFFFDz"}, P{"\x81 OK", "\uFFFD OK"},
        P{"\x9F\"x", "\uFFFD\"x"}, P{"\x82z", "\uFFFDz"}, P{"\x85\x80\x82\xA0", "\uFFFDあ"},
        P{"\x81\xFFz", "\uFFFD\uFFFDz"}})
    EXPECT_EQ(DecodeCp932(bytes), QString::fromUtf8(text)) << bytes;
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
        Row{"a\r\n", {{"a"}}, 4}, Row{"", {}, -1, "sys/none.dat"}, Row{"", {}, 4, "sys/none.dat"},
        Row{"", {}, -1, "txt"}}) {
    TempGame game;
    game.WriteRaw("sys/f.dat", row.bytes);
    const QString path = game.path(row.read);
    EXPECT_EQ(row.count < 0 ? ReadAllLines(game.folder(), path)
                            : ReadFirstLines(game.folder(), path, row.count),
              row.lines)
        << row.bytes.toStdString() << " from " << row.read;
  }
}

// A file ended, or stopped at a line beyond the bound or at the byte bound, stays ended;
// line ends and double-byte characters that fall on the reader's 64 KiB chunk border read
// back exactly.
TEST(TextReader, AnEndedFileStaysEndedAndWhatFallsOnAChunkBorderReadsBackExactly) {
  TempGame game;
  game.WriteRaw("sys/f.dat", "a\r\nb");
  auto reader = TextReader::Open(game.folder(), game.path("sys/f.dat"));
  ASSERT_NE(reader, nullptr);
  for (const char* line : {"a", "b", "", ""})
    EXPECT_EQ(reader->ReadLine(), *line ? std::optional<QString>(line) : std::nullopt);
  EXPECT_EQ(reader->stop(), TextReader::Stop::None);
  // Lines past the chunk read with the damage: none may come back after it.
  game.WriteRaw("sys/f.dat",
                "a\r\n" + QByteArray(kMaxLineBytes + 1, 'x') + QByteArray("\r\nb").repeated(30000));
  reader = TextReader::Open(game.folder(), game.path("sys/f.dat"));
  ASSERT_NE(reader, nullptr);
  for (const char* line : {"a", "", ""})
    EXPECT_EQ(reader->ReadLine(), *line ? std::optional<QString>(line) : std::nullopt);
  EXPECT_EQ(reader->stop(), TextReader::Stop::Damaged);
  EXPECT_EQ(ReadFirstLines(game.folder(), game.path("sys/f.dat"), 3, 1), QStringList());
  EXPECT_EQ(ReadFirstLines(game.folder(), game.path("sys/f.dat"), 3, 3), QStringList({"a"}));
  EXPECT_EQ(TextReader::Open(game.folder(), game.path("sys/none.dat")), nullptr);
  const QString kanji(32767, QChar(0x884C));  // 行, two bytes each
  for (const QString& first : {QString(65533, 'a'), QString(65534, 'a'), QString(65535, 'a'),
                               QString(65536, 'a'), kanji, "a" + kanji}) {
    for (const char* end : {"\r\n", "\r"}) {
      game.WriteRaw("sys/f.dat", QByteArray::fromStdString(EncodeCp932(first) + end + "b\r\n"));
      // Compared whole: a printed difference of 64 KiB would drown the report.
      EXPECT_TRUE(ReadAllLines(game.folder(), game.path("sys/f.dat")) == QStringList({first, "b"}))
          << first.size() << (end[1] ? " CR LF" : " CR");
    }
  }
}

TEST(ReadSettings, TheFirstTwoLinesAreTheSuffixesOrStartUpStopsNamingThePathAndTheProblem) {
  // The bytes (nullptr: no file; "/": a folder), both suffixes read, or the problem told.
  using Row = std::array<const char*, 4>;
  for (const auto& [bytes, script, picture, problem] :
       {Row{".txt\r\n.png\r\nx\r\ny", ".txt", ".png", nullptr},
        Row{"\r\n\r\n\r\n\r\n", "", "", nullptr},
        Row{" .txt \r\n.png  \r\n\r\n\r\nmore\r\nand more", " .txt ", ".png  ", nullptr},
        Row{".t", "", "", "has 1 line, needs 4"}, Row{"", "", "", "has 0 lines, needs 4"},
        Row{nullptr, "", "", "is missing"}, Row{"/", "", "", "is a folder, not a file"}}) {
    SCOPED_TRACE(bytes ? bytes : "no file");
    TempGame game;
    const QString path = game.path("sys/sys.dat");
    QFile::remove(path);
    if (bytes && QString(bytes) == "/")
      QDir().mkpath(path);
    else if (bytes)
      game.WriteRaw("sys/sys.dat", bytes);
    try {
      const Settings s = ReadSettings(game.path("sys/"));
      EXPECT_FALSE(problem) << "no error";
      EXPECT_EQ(s.scriptSuffix, QString::fromUtf8(script));
      EXPECT_EQ(s.pictureSuffix, QString::fromUtf8(picture));
    } catch (const SettingsError& error) {
      EXPECT_TRUE(problem) << error.what();
      EXPECT_EQ(error.path(), path);
      EXPECT_EQ(error.report(),
                "Cannot start: the settings file " + path + " " + (problem ? problem : "") + ".");
      EXPECT_EQ(QString::fromStdString(error.what()), error.report());
    }
  }
}

TEST(FindGameFile, NamesResolveAsOnTheGamesOwnPlatform) {
  TempGame game;
  const QString ai = TextFromNativeName(EncodeCp932("あい"));  // left in CP932 by an archive tool
  for (const QString file : {"Pics/Park.BMP", "Pics/ev/Bridge.bmp", "two/a.txt", "two/A.txt",
                             "full/ＡＢ.txt", "txt/opn.txt"})
    game.WriteRaw(file, {});
  std::ofstream(NativePath(game.path("face/" + ai + ".bmp"))) << "x";
  using Row = std::tuple<const char*, QString, unsigned>;  // asked, found (empty: none), through
  for (const auto& [asked, found, through] :
       {Row{"txt/opn.txt", "txt/opn.txt", kExactName},
        Row{"pics/park.bmp", "Pics/Park.BMP", kCaseFolding},
        Row{"pics/ev\\bridge.bmp", "Pics/ev/Bridge.bmp", kCaseFolding | kBackslash},
        Row{"face/あい.bmp", "face/" + ai + ".bmp", kCodePage932},
        Row{"two/a.txt", "two/a.txt", kExactName},
        Row{"two/A.TXT", "two/A.txt", kCaseFolding | kSeveralMatched},
        Row{"TWO/a.txt", "two/a.txt", kCaseFolding | kSeveralMatched},
        Row{"full/ａｂ.TXT", "full/ＡＢ.txt", kCaseFolding}, Row{"pics/park.png", "", kExactName},
        Row{"pics/park.bmp/x", "", kExactName}}) {
    const FoundFile file = FindGameFile(game.folder(), game.path(asked));
    const QString path = game.path(found.isEmpty() ? QString(asked) : found);
    EXPECT_EQ(std::tuple(file.found, file.path, file.through),
              std::tuple(!found.isEmpty(), path, through));
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
  EXPECT_EQ(ReadFirstLines(game.folder(), face, 1), QStringList{"x"});
  ::unlink(NativePath(face).c_str());  // a name Qt's own clean-up cannot spell
}

}  // namespace
}  // namespace hibi
