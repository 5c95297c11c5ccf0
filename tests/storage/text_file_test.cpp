#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>
#include <string>

#include "qstring_print.h"
#include "storage/text_file.h"
#include "support/harness.h"

namespace hibi {
namespace {

using hibi::testing::TempGame;

QByteArray Bytes(const std::string& s) {
  return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

struct RoundTrip {
  const char* text;  // UTF-8
  std::string cp932;
};

class Cp932RoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(Cp932RoundTrip, AGameCharacterKeepsItsCodePage932BytesBothWays) {
  const QString text = QString::fromUtf8(GetParam().text);
  EXPECT_EQ(EncodeCp932(text), GetParam().cp932);
  EXPECT_EQ(DecodeCp932(GetParam().cp932), text);
}

INSTANTIATE_TEST_SUITE_P(SpecialCharacters, Cp932RoundTrip,
                         ::testing::Values(RoundTrip{"＿", "\x81\x51"}, RoundTrip{"■", "\x81\xA1"},
                                           RoundTrip{"▼", "\x81\xA5"}, RoundTrip{"～", "\x81\x60"},
                                           RoundTrip{"－", "\x81\x7C"}, RoundTrip{"①", "\x87\x40"},
                                           RoundTrip{"㈱", "\x87\x8A"}, RoundTrip{"髙", "\xFB\xFC"},
                                           RoundTrip{"\\", "\x5C"}, RoundTrip{"~", "\x7E"},
                                           RoundTrip{"よわ＿1",
                                                     "\x82\xE6\x82\xED\x81\x51"
                                                     "1"},
                                           RoundTrip{"SAVE　OK", "SAVE\x81\x40OK"},
                                           RoundTrip{"ｱｲｳ", "\xB1\xB2\xB3"}, RoundTrip{"", ""},
                                           RoundTrip{"plain ascii 123 !?", "plain ascii 123 !?"}));

struct Broken {
  const char* why;
  std::string bytes;
  const char* text;  // UTF-8 of what the player would see
};

void PrintTo(const Broken& row, std::ostream* os) {
  *os << row.why;
}

class BrokenBytes : public ::testing::TestWithParam<Broken> {};

TEST_P(BrokenBytes, ABrokenSequenceShowsAsAReplacementAndTheRestStillReads) {
  SCOPED_TRACE(GetParam().why);
  EXPECT_EQ(DecodeCp932(GetParam().bytes), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, BrokenBytes,
    ::testing::Values(
        Broken{"lone lead byte at the end", "ab\x82", "ab\xEF\xBF\xBD"},
        Broken{"lone lead byte alone", "\x88", "\xEF\xBF\xBD"},
        Broken{"0x80", "a\x80z", "a\xEF\xBF\xBDz"}, Broken{"0xA0", "a\xA0z", "a\xEF\xBF\xBDz"},
        Broken{"0xFD",
               "\xFD"
               "a",
               "\xEF\xBF\xBD"
               "a"},
        Broken{"0xFE",
               "\xFE"
               "a",
               "\xEF\xBF\xBD"
               "a"},
        Broken{"0xFF",
               "\xFF"
               "a",
               "\xEF\xBF\xBD"
               "a"},
        Broken{"lead byte before an ASCII space keeps the space", "\x81 OK", "\xEF\xBF\xBD OK"},
        Broken{"lead byte before a quote keeps the quote", "\x9F\"x", "\xEF\xBF\xBD\"x"},
        Broken{"unassigned pair counts once", "\x85\x80\x82\xA0",
               "\xEF\xBF\xBD"
               "\xE3\x81\x82"},
        Broken{"lead byte before 0xFF",
               "\x81\xFF"
               "a",
               "\xEF\xBF\xBD\xEF\xBF\xBD"
               "a"},
        Broken{"broken then valid", "\xFF\x82\xA0", "\xEF\xBF\xBD\xE3\x81\x82"}));

TEST(Cp932Encoding, ACharacterTheCodePageCannotHoldIsWrittenAsAQuestionMark) {
  EXPECT_EQ(EncodeCp932(QString::fromUtf8("a😀b")), "a?b");
  EXPECT_EQ(EncodeCp932(QString::fromUtf8("é▼")), "?\x81\xA5");
}

struct LineCase {
  const char* why;
  std::string bytes;
  QStringList lines;
};

void PrintTo(const LineCase& row, std::ostream* os) {
  *os << row.why;
}

class LineEnds : public ::testing::TestWithParam<LineCase> {};

TEST_P(LineEnds, LinesEndAtCrLfOrALoneCrAndTheLastNeedsNoEnd) {
  SCOPED_TRACE(GetParam().why);
  TempGame game;
  game.WriteRaw("sys/f.dat", Bytes(GetParam().bytes));
  const auto lines = ReadAllLines(game.path("sys/f.dat"));
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(*lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LineEnds,
    ::testing::Values(
        LineCase{"empty file", "", {}}, LineCase{"just CR LF", "\r\n", {""}},
        LineCase{"CR LF lines", "a\r\nb\r\n", {"a", "b"}},
        LineCase{"no final line end", "a\r\nb", {"a", "b"}},
        LineCase{"lone CR", "a\rb\r", {"a", "b"}},
        LineCase{"lone LF is text", "a\nb\r\n", {"a\nb"}},
        LineCase{"LF CR", "a\n\rb", {"a\n", "b"}},
        LineCase{"empty lines", "\r\n\r\nx\r\n\r\n", {"", "", "x", ""}},
        LineCase{"CR CR LF", "a\r\r\n", {"a", ""}},
        LineCase{"decoded per line", "\x81\xA5\x8BL\x89\xAF\r\n\x82\xA0", {"▼記憶", "あ"}},
        LineCase{"broken byte does not eat the line end", "\x82\r\nb", {"\uFFFD", "b"}}));

TEST(TextReader, AMissingFileOrAFolderCannotBeOpened) {
  TempGame game;
  EXPECT_EQ(TextReader::Open(game.path("sys/none.dat")), nullptr);
  EXPECT_EQ(TextReader::Open(game.path("txt")), nullptr);
  EXPECT_FALSE(ReadAllLines(game.path("txt")).has_value());
}

TEST(TextReader, AfterTheLastLineEveryReadSaysTheFileHasEnded) {
  TempGame game;
  game.WriteRaw("sys/f.dat", "one\r\ntwo");
  auto reader = TextReader::Open(game.path("sys/f.dat"));
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->ReadLine(), QString("one"));
  EXPECT_EQ(reader->ReadLine(), QString("two"));
  EXPECT_EQ(reader->ReadLine(), std::nullopt);
  EXPECT_EQ(reader->ReadLine(), std::nullopt);
}

// Settings and saves read only the lines they hold: bytes after them never matter.
TEST(ReadFirstLines, StopsAfterTheLinesAskedForAndGivesFewerFromAShortFile) {
  struct Row {
    const char* why;
    std::string bytes;
    qsizetype count;
    QStringList lines;
  };
  const Row rows[] = {
      {"longer file", "a\r\nb\r\nc\r\n\x82", 2, {"a", "b"}},
      {"exactly as many, no final line end", "a\rb", 2, {"a", "b"}},
      {"shorter file", "a\r\n", 4, {"a"}},
      {"empty file", "", 4, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    TempGame game;
    game.WriteRaw("sys/f.dat", Bytes(row.bytes));
    EXPECT_EQ(ReadFirstLines(game.path("sys/f.dat"), row.count), row.lines);
  }
  TempGame game;
  EXPECT_EQ(ReadFirstLines(game.path("sys/none.dat"), 4), std::nullopt);
}

// Line ends that fall on the reader's chunk borders, and lines longer than a chunk.
TEST(TextReader, AFileOfManyAndLongLinesReadsBackExactly) {
  TempGame game;
  QStringList expected;
  std::string bytes;
  for (int i = 0; i < 30000; ++i) {
    QString line = QString::number(i) + QString::fromUtf8("行") + QString(i % 97, QChar('x'));
    if (i % 5000 == 0) line += QString(70000, QChar('y'));
    expected << line;
    bytes += EncodeCp932(line) + (i % 3 == 0 ? "\r" : "\r\n");
  }
  game.WriteRaw("txt/long.txt", Bytes(bytes));
  const auto lines = ReadAllLines(game.path("txt/long.txt"));
  ASSERT_TRUE(lines.has_value());
  ASSERT_EQ(lines->size(), expected.size());
  EXPECT_EQ(*lines, expected);
}

TEST(TextReader, ACrLfSplitAcrossEveryChunkBorderStaysOneLineEnd) {
  TempGame game;
  for (std::size_t cut = 65534; cut <= 65537; ++cut) {
    SCOPED_TRACE(cut);
    std::string bytes(cut, 'a');
    bytes += "\r\nb\r\n";
    game.WriteRaw("sys/f.dat", Bytes(bytes));
    const auto lines = ReadAllLines(game.path("sys/f.dat"));
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), 2);
    EXPECT_EQ(lines->at(0).size(), static_cast<qsizetype>(cut));
    EXPECT_EQ(lines->at(1), "b");
  }
}

}  // namespace
}  // namespace hibi
