// The player's files as real installations hold them: links, read-only files and
// folders, a full disk, leftovers of killed runs, and files far too big to read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <string_view>

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

void Link(TempGame& g, const QString& target) {
  g.WriteRaw("keep/all.dat", kOld);
  ASSERT_EQ(::symlink(target.toUtf8().constData(), g.path("sys/all.dat").toUtf8().constData()), 0);
}

TEST(PlayerFiles, ASaveReplacesOnlyWhatTheOrdinaryUserMayAndKeepsWhatThePlayerSetUp) {
  struct Row {
    const char* why;
    void (*prepare)(TempGame&);
    const char* lock;  // made read-only after everything else is opened to nobody
    rlim_t sizeLimit;  // 0: no full disk
    bool written;
    QByteArray after;  // the save read through sys/all.dat
  };
  static const auto plain = [](TempGame& g) { g.WriteRaw("sys/all.dat", kOld); };
  const Row rows[] = {
      {"a read-only save is refused and kept", plain, "sys/all.dat", 0, false, kOld},
      {"a relative link", [](TempGame& g) { Link(g, "../keep/all.dat"); }, nullptr, 0, true, "new\r\n"},
      {"an absolute link", [](TempGame& g) { Link(g, g.path("keep/all.dat")); }, nullptr, 0, true,
       "new\r\n"},
      {"a read-only folder with a writable file: in place", plain, "sys", 0, true, "new\r\n"},
      {"a read-only folder without the file", [](TempGame&) {}, "sys", 0, false, ""},
      {"a full disk", plain, nullptr, 4, false, kOld},
      {"a leftover of a killed run goes",
       [](TempGame& g) { g.WriteRaw("sys/.all.dat.tmp-99999999-1", "new\r\n"); plain(g); }, nullptr,
       0, true, "new\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    TempGame game;
    row.prepare(game);
    hibi::testing::OpenToEveryone(game.folder());
    if (row.lock) ::chmod(game.path(row.lock).toUtf8().constData(), 0555);
    const bool link = QFileInfo(game.path("sys/all.dat")).isSymLink();
    const auto written = hibi::testing::AsOrdinaryUser([&] {
      std::optional<hibi::testing::ScopedFileSizeLimit> full;
      if (row.sizeLimit) full.emplace(row.sizeLimit);
      return std::string(WriteLinesAtomically(game.path("sys/all.dat"), {"new"}) ? "1" : "0");
    });
    ::chmod(game.path("sys").toUtf8().constData(), 0777);
    EXPECT_EQ(written, row.written ? "1" : "0");
    EXPECT_EQ(game.ReadRaw("sys/all.dat"), row.after);
    EXPECT_EQ(QFileInfo(game.path("sys/all.dat")).isSymLink(), link);
    struct stat info {};
    const bool readOnlySave = row.lock && std::string_view(row.lock) == "sys/all.dat";
    if (::stat(game.path("sys/all.dat").toUtf8().constData(), &info) == 0) {
      EXPECT_EQ(info.st_mode & 07777, readOnlySave ? 0555u : 0666u);
    }
    const QDir::Filters all = QDir::Files | QDir::Hidden | QDir::System;
    for (const char* folder : {"sys", "keep"}) {
      EXPECT_EQ(QDir(game.path(folder)).entryList({".*"}, all), QStringList()) << folder;
    }
  }
}

// A file that never ends a line, or never ends: reading stops at a bound, quickly.
TEST(PlayerFiles, ReadingStopsAtALineOrFileBeyondEveryBound) {
  TempGame game;
  const QByteArray longLine(kMaxLineBytes + 1, 'x');
  game.WriteRaw("sys/a.dat", "a\r\n" + longLine + "\r\nb\r\n");
  auto reader = TextReader::Open(game.path("sys/a.dat"));
  EXPECT_EQ(reader->ReadLine(), "a");
  EXPECT_EQ(reader->ReadLine(), std::nullopt);
  EXPECT_EQ(reader->stop(), TextReader::Stop::Damaged);
  EXPECT_EQ(reader->ReadLine(), std::nullopt);
  EXPECT_EQ(ReadFirstLines(game.path("sys/a.dat"), 3, 1), QStringList());
  EXPECT_EQ(ReadFirstLines(game.path("sys/a.dat"), 3, 3), QStringList({"a"}));

  // Memories up to the damage stay; a list past its bound is cut there.
  QStringList items;
  EXPECT_TRUE(ReadMemoryList(game.path("sys/a.dat"), items));
  EXPECT_EQ(items, QStringList({"a"}));
  game.WriteRaw("sys/many.dat", QByteArray("n\r\n").repeated(kMemoryListItems + 5));
  items.clear();
  EXPECT_TRUE(ReadMemoryList(game.path("sys/many.dat"), items));
  EXPECT_EQ(items.size(), kMemoryListItems);
}

}  // namespace
}  // namespace hibi
