#include <gtest/gtest.h>

#include <QDir>
#include <QString>

#include "support/qstring_print.h"
#include "storage/settings.h"
#include "support/harness.h"

namespace hibi {
namespace {

using hibi::testing::TempGame;

TEST(MakeFolders, EveryFolderIsTheProgramFolderWithOneSlashAndItsName) {
  for (const auto& [reported, program] :
       {std::pair{"/opt/game", "/opt/game/"}, std::pair{"/opt/game/", "/opt/game/"},
        std::pair{"/", "/"}, std::pair{"/home/よわ/ゲーム", "/home/よわ/ゲーム/"},
        std::pair{"/opt/Game ", "/opt/Game /"}}) {
    SCOPED_TRACE(reported);
    const Folders f = MakeFolders(reported);
    const QString p = program;
    EXPECT_EQ(f.programFolder, p);
    EXPECT_EQ(f.pictureFolder, p + "img/");
    EXPECT_EQ(f.faceFolder, p + "face/");
    EXPECT_EQ(f.scriptFolder, p + "txt/");
    EXPECT_EQ(f.settingsFolder, p + "sys/");
  }
}

TEST(ReadSettings, TheFirstTwoLinesAreTheSuffixesVerbatim) {
  struct Row {
    const char* why;
    QByteArray bytes;
    const char* script;
    const char* picture;
  };
  for (const Row& row :
       {Row{"four lines with CR LF", ".txt\r\n.png\r\nx\r\ny\r\n", ".txt", ".png"},
        Row{"four lines, no final line end", ".txt\r\n.png\r\nx\r\ny", ".txt", ".png"},
        Row{"extra lines are ignored", ".a\r\n.b\r\n\r\n\r\nmore\r\nand more", ".a", ".b"},
        Row{"empty suffixes", "\r\n\r\n\r\n\r\n", "", ""},
        Row{"spaces belong to the suffix", " .txt \r\n.png  \r\n3\r\n4\r\n", " .txt ", ".png  "}}) {
    SCOPED_TRACE(row.why);
    TempGame game;
    game.WriteRaw("sys/sys.dat", row.bytes);
    const Settings s = ReadSettings(game.path("sys/"));
    EXPECT_EQ(s.scriptSuffix, QString::fromUtf8(row.script));
    EXPECT_EQ(s.pictureSuffix, QString::fromUtf8(row.picture));
  }
}

TEST(ReadSettings, AnUnusableFileStopsStartUpNamingItsPathAndTheProblem) {
  struct Row {
    const char* why;
    const char* bytes;  // nullptr: no file, or a folder in its place
    bool folder;
    const char* problem;
  };
  for (const Row& row : {Row{"three lines", ".t\r\n.p\r\nx\r\n", false, "has 3 lines, needs 4"},
                         Row{"one line", ".t", false, "has 1 line, needs 4"},
                         Row{"empty", "", false, "has 0 lines, needs 4"},
                         Row{"missing", nullptr, false, "is missing"},
                         Row{"a folder in its place", nullptr, true, "is a folder, not a file"}}) {
    SCOPED_TRACE(row.why);
    TempGame game;
    const QString path = game.path("sys/sys.dat");
    QFile::remove(path);
    if (row.bytes) game.WriteRaw("sys/sys.dat", row.bytes);
    if (row.folder) QDir().mkpath(path);
    try {
      ReadSettings(game.path("sys/"));
      ADD_FAILURE() << "no error";
    } catch (const SettingsError& error) {
      EXPECT_EQ(error.path(), path);
      EXPECT_EQ(error.report(),
                "Cannot start: the settings file " + path + " " + row.problem + ".");
      EXPECT_FALSE(error.report().contains('\n'));
      EXPECT_EQ(QString::fromStdString(error.what()), error.report());
    }
  }
}

}  // namespace
}  // namespace hibi
