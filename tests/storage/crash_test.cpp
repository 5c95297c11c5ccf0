// A run killed while it writes a save or the memory list leaves the old file or the
// new one, whole, and never a torn one; the next write sweeps up what it left.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <random>

#include "storage/memory_list.h"
#include "storage/text_file.h"
#include "support/harness.h"

namespace hibi {
namespace {

QStringList Names(int count, const QString& tag) {
  QStringList names;
  for (int i = 0; i < count; ++i) names << tag + QString::number(i) + QStringLiteral("記憶");
  return names;
}

QByteArray Bytes(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) bytes += QByteArray::fromStdString(EncodeCp932(line)) + "\r\n";
  return bytes;
}

TEST(CrashSafety, AWriteKilledAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
  struct Row {
    const char* file;
    QStringList first, second;
  };
  const Row rows[] = {
      {"sys/all.dat", {" 1 ", " 2 ", " 3 ", " 10 ", " 4 ", "12", "3"},
       {"-7 ", " 200 ", " 0 ", " 30 ", " 7 ", "99", "29"}},
      {"sys/lstphoto.dat", Names(8000, "a"), Names(6000, "bb")},
  };
  std::mt19937 random(13);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file);
    hibi::testing::TempGame game;
    const QString path = game.path(row.file);
    ASSERT_TRUE(WriteMemoryList(path, row.first));
    const QByteArray first = Bytes(row.first), second = Bytes(row.second);
    for (int kill = 0; kill < 150; ++kill) {
      const pid_t child = ::fork();
      if (child == 0) {
        for (int i = 0;; ++i) WriteLinesAtomically(path, i % 2 ? row.first : row.second);
      }
      ::usleep(std::uniform_int_distribution<useconds_t>(0, 4000)(random));
      ::kill(child, SIGKILL);
      ::waitpid(child, nullptr, 0);
      const QByteArray now = game.ReadRaw(row.file);
      ASSERT_TRUE(now == first || now == second) << "kill " << kill;
    }
    ASSERT_TRUE(WriteLinesAtomically(path, row.second));
    EXPECT_EQ(game.ReadRaw(row.file), second);
    EXPECT_EQ(QDir(game.path("sys")).entryList(QDir::Files | QDir::Hidden),
              QStringList({QDir(path).dirName(), "sys.dat"}));
  }
}

}  // namespace
}  // namespace hibi
