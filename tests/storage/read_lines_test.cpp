// The lines read between runs: a file of the player's own, beside the game, never in it.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "storage/read_lines.h"
#include "storage/text_file.h"

namespace hibi {
namespace {

// What a file holds before the game starts, and what it holds after one new key. The
// keys are FNV-1a of each text's UTF-16 bytes, each text followed by 0x1f.
TEST(LinesRead, KeysComeBackAfterARestartAndWhatCannotBeReadIsNeverWrittenOver) {
  const std::uint64_t seen = ReadLines::KeyOf("opn", 3, "text");
  const std::uint64_t fresh = ReadLines::KeyOf("opn", 4, "text");
  const struct {
    const char* name;
    QByteArray before;  // "dir" puts a folder in the file's place
    bool seenKnown;
    QByteArray after;
  } rows[] = {
      {"first run", {}, false, "b00e81110804c884\r\n"},
      {"a key and damage", "24ebb464f7dc4fa7\r\nzz\r\nece8cdd0\r\n", true,
       "24ebb464f7dc4fa7\r\nb00e81110804c884\r\n"},
      {"a folder in its place", "dir", false, "dir"},
  };
  ASSERT_EQ(seen, 0x24ebb464f7dc4fa7ull);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QTemporaryDir data;
    const QString file = data.filePath("g/read.dat");
    if (row.before == "dir") {
      ASSERT_TRUE(QDir().mkpath(file));
    } else if (!row.before.isEmpty()) {
      QDir().mkpath(data.filePath("g"));
      QFile out(file);
      ASSERT_TRUE(out.open(QIODevice::WriteOnly));
      out.write(row.before);
    }
    ReadLines lines;
    lines.Load(file);
    EXPECT_EQ(lines.Contains(seen), row.seenKnown);
    EXPECT_TRUE(lines.Mark(fresh));
    EXPECT_FALSE(lines.Mark(fresh));
    EXPECT_EQ(lines.Save(), row.before != "dir");
    QFile in(file);
    EXPECT_EQ(in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("dir"), row.after);
  }
}

TEST(LinesRead, EachGameHasAFolderOfItsOwnInTheDataHomeAndNoneInsideAGame) {
  QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toUtf8());
  const QString game = home.filePath("hibi/sample");
  const QString other = home.filePath("x/sample");
  ASSERT_TRUE(QDir().mkpath(game) && QDir().mkpath(other));
  const QString folder = PlayerDataFolder(game);
  EXPECT_TRUE(folder.startsWith(home.path() + "/hibi/sample-")) << folder.toStdString();
  EXPECT_FALSE(folder.startsWith(game + "/"));
  EXPECT_NE(PlayerDataFolder(other), folder);
  EXPECT_EQ(PlayerDataFolder(game + "/"), folder);
  qunsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace hibi
