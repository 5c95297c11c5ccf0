// The lines read between runs: a file of the player's own, beside the game, never in it.
#include <gtest/gtest.h>

#include <QDir>

#include "storage/read_lines.h"
#include "support/harness.h"
#include "support/ordinary_user.h"

namespace hibi {
namespace {

// What a file holds before the game starts, what the game makes of it as an ordinary
// user, and what the file holds after one new key. The keys are FNV-1a of each text's
// UTF-16 bytes, each text followed by 0x1f.
TEST(LinesRead, KeysComeBackAfterARestartAndWhatCannotBeReadIsNeverWrittenOver) {
  const std::uint64_t seen = ReadLines::KeyOf("opn", 3, "text");
  const std::uint64_t fresh = ReadLines::KeyOf("opn", 4, "text");
  const struct {
    const char* name;
    QByteArray before;
    bool unreadable;
    std::string result;
    QByteArray after;
  } rows[] = {
      {"first run", {}, false, "new marked saved", "b00e81110804c884\r\n"},
      {"a key and damage", "24ebb464f7dc4fa7\r\nzz\r\n24ebb464\r\n", false, "known marked saved",
       "24ebb464f7dc4fa7\r\nb00e81110804c884\r\n"},
      {"unreadable", "24ebb464f7dc4fa7\r\n", true, "new marked kept", "24ebb464f7dc4fa7\r\n"},
  };
  ASSERT_EQ(seen, 0x24ebb464f7dc4fa7ull);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    testing::TempGame data;
    const QString file = data.path("g/read.dat");
    if (!row.before.isEmpty()) data.WriteRaw("g/read.dat", row.before);
    testing::OpenToEveryone(data.folder());
    if (row.unreadable) QFile::setPermissions(file, QFile::WriteOther);
    const std::optional<std::string> result = testing::AsOrdinaryUser([&] {
      ReadLines lines;
      lines.Load(file);
      const bool marked = lines.Mark(fresh) && !lines.Mark(fresh);
      return std::string(lines.Contains(seen) ? "known" : "new") + (marked ? " marked" : "") +
             (lines.Save() ? " saved" : " kept");
    });
    EXPECT_EQ(result, row.result);
    EXPECT_EQ(data.ReadRaw("g/read.dat"), row.after);
  }
}

// The list is bounded: past 200,000 keys a new line stays new.
TEST(LinesRead, TwoHundredThousandKeysAreKeptAndNoMore) {
  ReadLines lines;
  for (std::uint64_t key = 1; key <= 200001; ++key) lines.Mark(key);
  EXPECT_TRUE(lines.Contains(200000));
  EXPECT_FALSE(lines.Contains(200001));
}

TEST(LinesRead, EachGameHasAFolderOfItsOwnInTheDataHomeAndNoneInsideAGame) {
  testing::TempGame home;
  qputenv("XDG_DATA_HOME", home.folder().toUtf8());
  const QString folder = PlayerDataFolder(home.folder());
  EXPECT_TRUE(folder.startsWith(home.folder() + "hibi/")) << folder.toStdString();
  EXPECT_FALSE(folder.startsWith(home.path("hibi/sample/")));
  EXPECT_NE(PlayerDataFolder(home.path("sys")), folder);
  qunsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace hibi
