#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QString>
#include <QStringList>
#include <optional>

#include "support/file_size_limit.h"
#include "support/qstring_print.h"
#include "storage/text_file.h"
#include "support/harness.h"

namespace hibi {
namespace {

using hibi::testing::TempGame;

const QByteArray kOld = "old save\r\n 1 \r\n";

// Nothing but the file itself may be left in the folder: no temporary files.
QStringList FilesIn(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
}

TEST(WriteLinesAtomically, EveryLineIsWrittenInCodePage932WithCrLf) {
  TempGame game;
  ASSERT_TRUE(WriteLinesAtomically(game.path("sys/all.dat"), {" 12 ", "-3 ", "", "▼記憶"}));
  EXPECT_EQ(game.ReadRaw("sys/all.dat"),
            QByteArray(" 12 \r\n-3 \r\n\r\n\x81\xA5\x8BL\x89\xAF\r\n"));
  EXPECT_EQ(FilesIn(game.path("sys")), QStringList({"all.dat", "sys.dat"}));
}

TEST(WriteLinesAtomically, AReplacedFileKeepsItsPermissions) {
  TempGame game;
  game.WriteRaw("sys/all.dat", kOld);
  const QByteArray path = game.path("sys/all.dat").toUtf8();
  ASSERT_EQ(::chmod(path.constData(), 0640), 0);
  ASSERT_TRUE(WriteLinesAtomically(game.path("sys/all.dat"), {"new"}));
  struct stat info {};
  ASSERT_EQ(::stat(path.constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// Each row breaks the write a different way; the old file must survive every one. A disk
// that fills up mid-write fails even for root: the process may not write files larger
// than a few bytes for the length of the call.
TEST(WriteLinesAtomically, AFailedWriteReportsFalseAndLeavesTheOldFileByteForByte) {
  struct Row {
    const char* why;
    void (*prepare)(TempGame& game);
    const char* target;  // relative path written to
    rlim_t sizeLimit;    // 0: no limit
    bool rootWritesAnyway;
  };
  for (const Row& row :
       {Row{"the path is taken by a folder",
            [](TempGame& g) { QDir().mkpath(g.path("sys/dir.dat")); }, "sys/dir.dat", 0, false},
        Row{"the folder is a file", [](TempGame& g) { g.WriteRaw("nofolder", "x"); },
            "nofolder/all.dat", 0, false},
        Row{"the folder is missing", [](TempGame&) {}, "gone/all.dat", 0, false},
        Row{"the folder is read-only",
            [](TempGame& g) { ::chmod(g.path("sys").toUtf8().constData(), 0555); }, "sys/all.dat",
            0, true},
        Row{"the disk fills up mid-write", [](TempGame&) {}, "sys/all.dat", 8, false}}) {
    if (row.rootWritesAnyway && ::geteuid() == 0) continue;
    SCOPED_TRACE(row.why);
    TempGame game;
    game.WriteRaw("sys/all.dat", kOld);
    row.prepare(game);
    const QStringList before = FilesIn(game.path("sys"));
    bool written = true;
    {
      std::optional<hibi::testing::ScopedFileSizeLimit> full;
      if (row.sizeLimit) {
        ASSERT_TRUE(full.emplace(row.sizeLimit).active());
      }
      written = WriteLinesAtomically(game.path(row.target), {"a longer new save file", "lines"});
    }
    ::chmod(game.path("sys").toUtf8().constData(), 0755);
    EXPECT_FALSE(written);
    EXPECT_EQ(game.ReadRaw("sys/all.dat"), kOld);
    EXPECT_EQ(FilesIn(game.path("sys")), before);
  }
}

}  // namespace
}  // namespace hibi
