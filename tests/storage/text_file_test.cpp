#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <string>

#include "support/qstring_print.h"
#include "storage/text_file.h"
#include "support/harness.h"

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
  struct Row {
    const char* why;
    std::string bytes;
    const char* text;  // UTF-8 of what the player would see
  };
  for (const Row& row :
       {Row{"lone lead byte at the end", "ab\x82", "ab\uFFFD"},
        Row{"lone lead byte alone", "\x88", "\uFFFD"}, Row{"0x80", "a\x80z", "a\uFFFDz"},
        Row{"0xA0", "a\xA0z", "a\uFFFDz"}, Row{"0xFD", "\xFDz", "\uFFFDz"},
        Row{"0xFE", "\xFEz", "\uFFFDz"}, Row{"0xFF", "\xFFz", "\uFFFDz"},
        Row{"lead byte before an ASCII space keeps the space", "\x81 OK", "\uFFFD OK"},
        Row{"lead byte before a quote keeps the quote", "\x9F\"x", "\uFFFD\"x"},
        Row{"unassigned pair counts once", "\x85\x80\x82\xA0", "\uFFFDあ"},
        Row{"lead byte before 0xFF", "\x81\xFFz", "\uFFFD\uFFFDz"},
        Row{"broken then valid", "\xFF\x82\xA0", "\uFFFDあ"}}) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(DecodeCp932(row.bytes), QString::fromUtf8(row.text));
  }
}

TEST(Cp932, ACharacterTheCodePageCannotHoldIsWrittenAsAQuestionMark) {
  EXPECT_EQ(EncodeCp932(QString::fromUtf8("a😀b")), "a?b");
  EXPECT_EQ(EncodeCp932(QString::fromUtf8("é▼")), "?\x81\xA5");
}

TEST(ReadAllLines, LinesEndAtCrLfOrALoneCrAndTheLastNeedsNoEnd) {
  struct Row {
    const char* why;
    QByteArray bytes;
    QStringList lines;
  };
  for (const Row& row :
       {Row{"empty file", "", {}}, Row{"just CR LF", "\r\n", {""}},
        Row{"CR LF lines", "a\r\nb\r\n", {"a", "b"}},
        Row{"no final line end", "a\r\nb", {"a", "b"}}, Row{"lone CR", "a\rb\r", {"a", "b"}},
        Row{"lone LF is text", "a\nb\r\n", {"a\nb"}}, Row{"LF CR", "a\n\rb", {"a\n", "b"}},
        Row{"empty lines", "\r\n\r\nx\r\n\r\n", {"", "", "x", ""}},
        Row{"CR CR LF", "a\r\r\n", {"a", ""}},
        Row{"decoded per line", "\x81\xA5\x8BL\x89\xAF\r\n\x82\xA0", {"▼記憶", "あ"}},
        Row{"broken byte does not eat the line end", "\x82\r\nb", {"\uFFFD", "b"}}}) {
    SCOPED_TRACE(row.why);
    TempGame game;
    game.WriteRaw("sys/f.dat", row.bytes);
    EXPECT_EQ(ReadAllLines(game.path("sys/f.dat")), row.lines);
  }
}

TEST(TextReader, AMissingFileOrAFolderCannotBeOpened) {
  TempGame game;
  EXPECT_EQ(TextReader::Open(game.path("sys/none.dat")), nullptr);
  EXPECT_EQ(TextReader::Open(game.path("txt")), nullptr);
  EXPECT_FALSE(ReadAllLines(game.path("txt")).has_value());
  EXPECT_EQ(ReadFirstLines(game.path("sys/none.dat"), 4), std::nullopt);
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
    QByteArray bytes;
    qsizetype count;
    QStringList lines;
  };
  for (const Row& row : {Row{"longer file", "a\r\nb\r\nc\r\n\x82", 2, {"a", "b"}},
                         Row{"exactly as many, no final line end", "a\rb", 2, {"a", "b"}},
                         Row{"shorter file", "a\r\n", 4, {"a"}}, Row{"empty file", "", 4, {}}}) {
    SCOPED_TRACE(row.why);
    TempGame game;
    game.WriteRaw("sys/f.dat", row.bytes);
    EXPECT_EQ(ReadFirstLines(game.path("sys/f.dat"), row.count), row.lines);
  }
}

// Line ends that fall on the reader's chunk borders, and lines longer than a chunk.
TEST(TextReader, AFileOfManyAndLongLinesReadsBackExactly) {
  TempGame game;
  QStringList expected;
  std::string bytes;
  for (int i = 0; i < 30000; ++i) {
    QString line = QString::number(i) + QString::fromUtf8("行") + QString(i % 97, QChar('x'));
    if (i % 5000 == 0) line += QString(65000, QChar('y'));
    expected << line;
    bytes += EncodeCp932(line) + (i % 3 == 0 ? "\r" : "\r\n");
  }
  game.WriteRaw("txt/long.txt", QByteArray::fromStdString(bytes));
  // Compared whole: a printed difference of 30000 lines would drown the report.
  EXPECT_TRUE(ReadAllLines(game.path("txt/long.txt")) == expected);
}

TEST(TextReader, ACrLfSplitAcrossEveryChunkBorderStaysOneLineEnd) {
  TempGame game;
  for (qsizetype cut = 65533; cut <= 65536; ++cut) {
    SCOPED_TRACE(cut);
    game.WriteRaw("sys/f.dat", QByteArray(cut, 'a') + "\r\nb\r\n");
    EXPECT_EQ(ReadAllLines(game.path("sys/f.dat")), QStringList({QString(cut, 'a'), "b"}));
  }
}

}  // namespace
}  // namespace hibi
