#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QString>
#include <QStringList>
#include <ostream>

#include "file_size_limit.h"
#include "qstring_print.h"
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

// Each row breaks the write a different way; the old file must survive every one.
struct Failure {
  const char* why;
  void (*prepare)(TempGame& game);
  const char* target;  // relative path written to
};

void PrintTo(const Failure& row, std::ostream* os) {
  *os << row.why;
}

class FailedWrite : public ::testing::TestWithParam<Failure> {};

TEST_P(FailedWrite, AFailedWriteReportsFalseAndLeavesTheOldFileByteForByte) {
  SCOPED_TRACE(GetParam().why);
  TempGame game;
  game.WriteRaw("sys/all.dat", kOld);
  GetParam().prepare(game);
  const QStringList before = FilesIn(game.path("sys"));
  EXPECT_FALSE(WriteLinesAtomically(game.path(GetParam().target), {"new", "lines"}));
  EXPECT_EQ(game.ReadRaw("sys/all.dat"), kOld);
  EXPECT_EQ(FilesIn(game.path("sys")), before);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, FailedWrite,
    ::testing::Values(Failure{"the path is taken by a folder",
                              [](TempGame& g) { QDir().mkpath(g.path("sys/dir.dat")); },
                              "sys/dir.dat"},
                      Failure{"the folder is a file",
                              [](TempGame& g) { g.WriteRaw("nofolder", "x"); }, "nofolder/all.dat"},
                      Failure{"the folder is missing", [](TempGame&) {}, "gone/all.dat"}));

TEST(WriteLinesAtomically, AWriteIntoAReadOnlyFolderFailsAndKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  TempGame game;
  game.WriteRaw("sys/all.dat", kOld);
  ASSERT_EQ(::chmod(game.path("sys").toUtf8().constData(), 0555), 0);
  EXPECT_FALSE(WriteLinesAtomically(game.path("sys/all.dat"), {"new"}));
  ::chmod(game.path("sys").toUtf8().constData(), 0755);
  EXPECT_EQ(game.ReadRaw("sys/all.dat"), kOld);
}

// A disk that fills up in the middle of the write, even for root: the process may
// not write files larger than a few bytes for the length of the call.
TEST(WriteLinesAtomically, ADiskThatFillsUpMidWriteKeepsTheOldFile) {
  TempGame game;
  game.WriteRaw("sys/all.dat", kOld);
  const QStringList before = FilesIn(game.path("sys"));
  bool written = true;
  {
    hibi::testing::ScopedFileSizeLimit full(8);
    ASSERT_TRUE(full.active());
    written = WriteLinesAtomically(game.path("sys/all.dat"), {"a longer new save file"});
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(game.ReadRaw("sys/all.dat"), kOld);
  EXPECT_EQ(FilesIn(game.path("sys")), before);
}

}  // namespace
}  // namespace hibi
