#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

#include "storage/game_names.h"
#include "storage/text_file.h"
#include "support/harness.h"
#include "support/qstring_print.h"

namespace hibi {
namespace {

using hibi::testing::TempGame;

TEST(FindGameFile, NamesResolveAsOnTheGamesOwnPlatform) {
  TempGame game;
  const QString ai = TextFromNativeName(EncodeCp932("あい"));  // left in CP932 by an archive tool
  for (const QString file : {"Pics/Park.BMP", "Pics/ev/Bridge.bmp", "two/a.txt", "two/A.txt",
                             "full/ＡＢ.txt", "txt/opn.txt"}) {
    game.WriteRaw(file, {});
  }
  std::ofstream(NativePath(game.path("face/" + ai + ".bmp"))) << "x";
  struct Row {
    const char* asked;
    QString found;  // empty: nothing
    unsigned through;
  };
  for (const Row& row : {
           Row{"txt/opn.txt", "txt/opn.txt", kExactName},
           Row{"pics/park.bmp", "Pics/Park.BMP", kCaseFolding},
           Row{"pics/ev\\bridge.bmp", "Pics/ev/Bridge.bmp", kCaseFolding | kBackslash},
           Row{"face/あい.bmp", "face/" + ai + ".bmp", kCodePage932},
           Row{"two/a.txt", "two/a.txt", kExactName},
           Row{"two/A.TXT", "two/A.txt", kCaseFolding | kSeveralMatched},
           Row{"TWO/a.txt", "two/a.txt", kCaseFolding | kSeveralMatched},
           Row{"full/ａｂ.TXT", "full/ＡＢ.txt", kCaseFolding},
           Row{"pics/park.png", "", kExactName},
           Row{"pics/park.bmp/x", "", kExactName},
       }) {
    SCOPED_TRACE(row.asked);
    const FoundFile file = FindGameFile(game.folder(), game.path(row.asked));
    EXPECT_EQ(file.found, !row.found.isEmpty());
    EXPECT_EQ(file.path, game.path(row.found.isEmpty() ? QString(row.asked) : row.found));
    EXPECT_EQ(file.through, row.through);
  }
  // A name the game writes goes to the file of that name in any case, else beside it.
  game.WriteRaw("sys/ALL.DAT", "x");
  EXPECT_EQ(GameFileToWrite(game.folder(), game.path("sys/all.dat")), game.path("sys/ALL.DAT"));
  EXPECT_EQ(GameFileToWrite(game.folder(), game.path("SYS/lstphoto.dat")),
            game.path("sys/lstphoto.dat"));
  EXPECT_EQ(GameFileToWrite(game.folder(), game.path("none/a.dat")), game.path("none/a.dat"));
  // A listing already read is read again once its folder changes.
  game.WriteRaw("Pics/Late.png", "x");
  EXPECT_EQ(GameFile(game.folder(), game.path("pics/late.PNG")), game.path("Pics/Late.png"));
  const QString face = GameFile(game.folder(), game.path("face/あい.bmp"));
  EXPECT_EQ(ReadFirstLines(face, 1), QStringList{"x"});
  ::unlink(NativePath(face).c_str());  // a name Qt's own clean-up cannot spell
}

}  // namespace
}  // namespace hibi
