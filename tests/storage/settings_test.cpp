#include <gtest/gtest.h>

#include <QDir>
#include <QString>
#include <ostream>

#include "qstring_print.h"
#include "storage/settings.h"
#include "support/harness.h"

namespace hibi {
namespace {

using hibi::testing::TempGame;

struct FolderRow {
  const char* reported;
  const char* program;
};

class FolderTexts : public ::testing::TestWithParam<FolderRow> {};

TEST_P(FolderTexts, EveryFolderIsTheProgramFolderWithOneSlashAndItsName) {
  const Folders f = MakeFolders(GetParam().reported);
  const QString p = GetParam().program;
  EXPECT_EQ(f.programFolder, p);
  EXPECT_EQ(f.pictureFolder, p + "img/");
  EXPECT_EQ(f.faceFolder, p + "face/");
  EXPECT_EQ(f.scriptFolder, p + "txt/");
  EXPECT_EQ(f.settingsFolder, p + "sys/");
}

INSTANTIATE_TEST_SUITE_P(Folders, FolderTexts,
                         ::testing::Values(FolderRow{"/opt/game", "/opt/game/"},
                                           FolderRow{"/opt/game/", "/opt/game/"},
                                           FolderRow{"/", "/"},
                                           FolderRow{"/home/よわ/ゲーム", "/home/よわ/ゲーム/"},
                                           FolderRow{"/opt/Game ", "/opt/Game /"}));

struct SettingsRow {
  const char* why;
  QByteArray bytes;
  const char* script;
  const char* picture;
};

void PrintTo(const SettingsRow& row, std::ostream* os) {
  *os << row.why;
}

class SettingsFiles : public ::testing::TestWithParam<SettingsRow> {};

TEST_P(SettingsFiles, TheFirstTwoLinesAreTheSuffixesVerbatim) {
  SCOPED_TRACE(GetParam().why);
  TempGame game;
  game.WriteRaw("sys/sys.dat", GetParam().bytes);
  const Settings s = ReadSettings(game.path("sys/"));
  EXPECT_EQ(s.scriptSuffix, QString::fromUtf8(GetParam().script));
  EXPECT_EQ(s.pictureSuffix, QString::fromUtf8(GetParam().picture));
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsFiles,
    ::testing::Values(
        SettingsRow{"four lines with CR LF", ".txt\r\n.png\r\nx\r\ny\r\n", ".txt", ".png"},
        SettingsRow{"four lines, no final line end", ".txt\r\n.png\r\nx\r\ny", ".txt", ".png"},
        SettingsRow{"lone CR line ends", ".scr\r.bmp\r\rfour", ".scr", ".bmp"},
        SettingsRow{"extra lines are ignored", ".a\r\n.b\r\n\r\n\r\nmore\r\nand more", ".a", ".b"},
        SettingsRow{"empty suffixes", "\r\n\r\n\r\n\r\n", "", ""},
        SettingsRow{"spaces belong to the suffix", " .txt \r\n.png  \r\n3\r\n4\r\n", " .txt ",
                    ".png  "},
        SettingsRow{"CP932 suffix", "\x81\x51s\r\n.jpg\r\n\r\n\r\n", "＿s", ".jpg"}));

struct BrokenRow {
  const char* why;
  void (*prepare)(TempGame& game);
  const char* problem;
};

void PrintTo(const BrokenRow& row, std::ostream* os) {
  *os << row.why;
}

class UnusableSettings : public ::testing::TestWithParam<BrokenRow> {};

TEST_P(UnusableSettings, AnUnusableFileStopsStartUpNamingItsPathAndTheProblem) {
  SCOPED_TRACE(GetParam().why);
  TempGame game;
  GetParam().prepare(game);
  const QString path = game.path("sys/sys.dat");
  try {
    ReadSettings(game.path("sys/"));
    FAIL() << "no error";
  } catch (const SettingsError& error) {
    EXPECT_EQ(error.path(), path);
    EXPECT_EQ(error.report(),
              "Cannot start: the settings file " + path + " " + GetParam().problem + ".");
    EXPECT_FALSE(error.report().contains('\n'));
    EXPECT_EQ(QString::fromStdString(error.what()), error.report());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnusableSettings,
    ::testing::Values(BrokenRow{"three lines",
                                [](TempGame& g) { g.WriteRaw("sys/sys.dat", ".t\r\n.p\r\nx\r\n"); },
                                "has 3 lines, needs 4"},
                      BrokenRow{"one line", [](TempGame& g) { g.WriteRaw("sys/sys.dat", ".t"); },
                                "has 1 line, needs 4"},
                      BrokenRow{"empty", [](TempGame& g) { g.WriteRaw("sys/sys.dat", ""); },
                                "has 0 lines, needs 4"},
                      BrokenRow{"missing",
                                [](TempGame& g) { QFile::remove(g.path("sys/sys.dat")); },
                                "is missing"},
                      BrokenRow{"a folder in its place",
                                [](TempGame& g) {
                                  QFile::remove(g.path("sys/sys.dat"));
                                  QDir().mkpath(g.path("sys/sys.dat"));
                                },
                                "is a folder, not a file"}));

}  // namespace
}  // namespace hibi
