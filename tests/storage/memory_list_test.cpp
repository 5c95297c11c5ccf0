// The memory list between runs: read at start-up, written at shutdown.
#include <gtest/gtest.h>

#include <QDir>
#include <QString>
#include <QStringList>

#include "support/qstring_print.h"
#include "storage/memory_list.h"
#include "support/harness.h"

namespace hibi {
namespace {

using hibi::testing::Harness;
using hibi::testing::TempGame;

const QString kHeading = QStringLiteral("▼記憶");

TEST(MemoryList, EveryLineIsAMemoryAndSurvivesTheNextShutdown) {
  struct Row {
    const char* why;
    const char* file;    // nullptr: no file yet
    QStringList items;   // what the list holds after the heading
    QByteArray written;  // what the next shutdown writes
  };
  const Row rows[] = {
      {"no file: the heading alone writes zero bytes", nullptr, {}, ""},
      {"names in order", "opn\r\n001\r\nttl\r\n", {"opn", "001", "ttl"}, "opn\r\n001\r\nttl\r\n"},
      {"last line without CR LF gains it", "opn\r\n14", {"opn", "14"}, "opn\r\n14\r\n"},
      {"empty lines are empty items", "\r\nopn\r\n\r\n", {"", "opn", ""}, "\r\nopn\r\n\r\n"},
      {"duplicates stay", "a\r\na\r\n", {"a", "a"}, "a\r\na\r\n"},
      {"the heading as an item stays an item",
       "\x81\xA5\x8BL\x89\xAF\r\nopn\r\n",
       {kHeading, "opn"},
       "\x81\xA5\x8BL\x89\xAF\r\nopn\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    Harness h;
    if (row.file) h.game.WriteRaw("sys/lstphoto.dat", row.file);
    h.Start();
    EXPECT_EQ(h.fom.controls.LstIvent.items, QStringList{kHeading} + row.items);
    h.fom.Form_Unload();
    EXPECT_TRUE(h.game.Exists("sys/lstphoto.dat"));
    EXPECT_EQ(h.game.ReadRaw("sys/lstphoto.dat"), row.written);
    EXPECT_TRUE(h.dialogs.boxes.isEmpty());

    QStringList again{kHeading};
    ReadMemoryList(h.game.path("sys/lstphoto.dat"), again);
    EXPECT_EQ(again, QStringList{kHeading} + row.items);
  }
}

TEST(MemoryList, AFolderInPlaceOfTheFileLeavesTheHeadingAlone) {
  TempGame game;
  QDir().mkpath(game.path("sys/lstphoto.dat"));
  QStringList items{kHeading};
  ReadMemoryList(game.path("sys/lstphoto.dat"), items);
  EXPECT_EQ(items, QStringList{kHeading});
}

TEST(MemoryList, ReadingAppendsAfterWhatTheListAlreadyHolds) {
  TempGame game;
  game.WriteRaw("sys/lstphoto.dat", "b\r\n");
  QStringList items{kHeading, "a"};
  ReadMemoryList(game.path("sys/lstphoto.dat"), items);
  EXPECT_EQ(items, QStringList({kHeading, "a", "b"}));
}

}  // namespace
}  // namespace hibi
