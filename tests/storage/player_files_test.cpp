// The player's files as real installations hold them: links, read-only files and
// folders, a full disk, leftovers of killed runs, and files far too big to read.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <random>

#include "storage/memory_list.h"
#include "storage/text_file.h"
#include "support/file_size_limit.h"
#include "support/harness.h"
#include "support/ordinary_user.h"
#include "support/qstring_print.h"

namespace hibi {
namespace {

using hibi::testing::TempGame;

const QByteArray kOld = "old\r\n";
const QString kHeading = QStringLiteral("▼記憶");
// What a save of {"new", "", "▼"} holds: code page 932, every line ending in CR LF.
const QByteArray kNew = "new\r\n\r\n\x81\xA5\r\n";

// A disk that fills up mid-write fails even for root: the process may not write files
// larger than a few bytes for the length of the call.
TEST(PlayerFiles, ASaveReplacesOnlyWhatTheOrdinaryUserMayAndKeepsWhatThePlayerSetUp) {
  struct Row {
    const char* why;
    void (*prepare)(TempGame&);
    const char* lock;  // given `mode` after everything else is opened to nobody
    mode_t mode;
    rlim_t sizeLimit;  // 0: no full disk
    QByteArray after;  // the save read through sys/all.dat; kNew: written
    FileProblem problem;
  };
  static const auto plain = [](TempGame& g) { g.WriteRaw("sys/all.dat", kOld); };
  using enum FileProblem;
  const Row rows[] = {
      {"a plain save", plain, nullptr, 0, 0, kNew, None},
      {"a read-only save is refused and kept", plain, "sys/all.dat", 0444, 0, kOld, Denied},
      {"a read-only folder with a writable file: in place", plain, "sys", 0555, 0, kNew, None},
      {"a read-only folder without the file", [](TempGame&) {}, "sys", 0555, 0, "", Denied},
      {"a full disk", plain, nullptr, 0, 8, kOld, NoSpace},
      {"a leftover of a killed run goes",
       [](TempGame& g) {
         plain(g);
         g.WriteRaw("sys/.all.dat.tmp-99999999-1", kNew);
       },
       nullptr, 0, 0, kNew, None},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    TempGame game;
    row.prepare(game);
    hibi::testing::OpenToEveryone(game.folder());
    if (row.lock) ::chmod(game.path(row.lock).toUtf8().constData(), row.mode);
    const auto written = hibi::testing::AsOrdinaryUser([&]() -> std::string {
      std::optional<hibi::testing::ScopedFileSizeLimit> full;
      if (row.sizeLimit) full.emplace(row.sizeLimit);
      return std::to_string(
          int(WriteGameLines(game.folder(), game.path("sys/all.dat"), {"new", "", "▼"})));
    });
    ::chmod(game.path("sys").toUtf8().constData(), 0777);
    EXPECT_EQ(written, std::to_string(int(row.problem)));
    EXPECT_EQ(game.ReadRaw("sys/all.dat"), row.after);
    struct stat info {};
    const bool lockedSave = row.lock && QString(row.lock) == "sys/all.dat";
    if (::stat(game.path("sys/all.dat").toUtf8().constData(), &info) == 0) {
      EXPECT_EQ(info.st_mode & 07777, lockedSave ? row.mode : 0666u);
    }
    const QDir::Filters all = QDir::Files | QDir::Hidden | QDir::System;
    EXPECT_EQ(QDir(game.path("sys")).entryList({".*"}, all), QStringList());
  }
}

// A run killed while it writes the memory list (or a save: the same replacement) leaves
// the old file or the new one, whole, and never a torn one; the next write sweeps up.
TEST(CrashSafety, AWriteKilledAtAnyMomentLeavesTheOldOrTheNewFileWhole) {
  TempGame game;
  const QString path = game.path("sys/lstphoto.dat");
  QStringList lists[2];
  QByteArray bytes[2];
  for (const int i : {0, 1}) {
    for (int n = 0; n < 8000 - 2000 * i; ++n)
      lists[i] << QString(i + 1, 'a') + QString::number(n) + "記憶";
    ASSERT_EQ(FileProblem::None, WriteMemoryList(game.folder(), path, lists[i]));
    bytes[i] = game.ReadRaw("sys/lstphoto.dat");
  }
  std::mt19937 random(13);
  for (int kill = 0; kill < 150; ++kill) {
    const pid_t child = ::fork();
    if (child == 0) {
      for (int i = 0;; ++i) WriteMemoryList(game.folder(), path, lists[i % 2]);
    }
    ::usleep(std::uniform_int_distribution<useconds_t>(0, 4000)(random));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const QByteArray now = game.ReadRaw("sys/lstphoto.dat");
    ASSERT_TRUE(now == bytes[0] || now == bytes[1]) << "kill " << kill;
  }
  ASSERT_EQ(FileProblem::None, WriteMemoryList(game.folder(), path, lists[0]));
  EXPECT_EQ(game.ReadRaw("sys/lstphoto.dat"), bytes[0]);
  EXPECT_EQ(QDir(game.path("sys")).entryList(QDir::Files | QDir::Hidden),
            QStringList({"lstphoto.dat", "sys.dat"}));
}

// A missing list is the first run; every line is a memory, the heading and empty ones too.
TEST(MemoryList, EveryLineIsAMemoryAndAnEmptyListWritesZeroBytes) {
  TempGame game;
  const QString path = game.path("sys/lstphoto.dat");
  QStringList items{kHeading};
  EXPECT_TRUE(ReadMemoryList(game.folder(), path, items));
  EXPECT_EQ(items, QStringList{kHeading});
  ASSERT_EQ(FileProblem::None, WriteMemoryList(game.folder(), path, {}));
  EXPECT_TRUE(game.Exists("sys/lstphoto.dat"));
  EXPECT_EQ(game.ReadRaw("sys/lstphoto.dat"), "");
  game.WriteRaw("sys/lstphoto.dat", "\r\n\x81\xA5\x8BL\x89\xAF\r\nopn");
  EXPECT_TRUE(ReadMemoryList(game.folder(), path, items));
  EXPECT_EQ(items, QStringList({kHeading, "", kHeading, "opn"}));
  ASSERT_EQ(FileProblem::None, WriteMemoryList(game.folder(), path, items.mid(1)));
  EXPECT_EQ(game.ReadRaw("sys/lstphoto.dat"), "\r\n\x81\xA5\x8BL\x89\xAF\r\nopn\r\n");
}

}  // namespace
}  // namespace hibi
