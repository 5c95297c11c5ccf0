// What the player sees of files the game cannot or must not use: a memory list it
// may not read or write, a save that would lock the game, a script that never ends a line.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "game/play.h"
#include "support/ordinary_user.h"

namespace hibi::testing {
namespace {

const QByteArray kThree = "a\r\nb\r\nc\r\n";

TEST(PlayerFiles, AMemoryListTheUserCannotReadOrReplaceIsKeptWithTheBox) {
  // lock: taken from nobody after everything else is opened; outcome: memories read at
  // start-up, the box at shutdown (damaged, denied) or none
  struct Row {
    const char* why;
    bool withFile;
    const char* lock;
    mode_t mode;
    std::string outcome;
    QByteArray after;
  };
  const Row rows[] = {
      {"mode 000", true, "sys/lstphoto.dat", 0000, "0 damaged", kThree},
      {"write-only: unread, so never written over", true, "sys/lstphoto.dat", 0222, "0 damaged",
       kThree},
      {"a read-only folder with a writable file", true, "sys", 0555, "3 none", kThree + "new\r\n"},
      {"a read-only folder without the file", false, "sys", 0555, "0 denied", ""},
      {"no file yet: created", false, nullptr, 0, "0 none", "new\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    Harness h;
    if (row.withFile) h.game.WriteRaw("sys/lstphoto.dat", kThree);
    OpenToEveryone(h.game.folder());
    if (row.lock) ::chmod(h.game.path(row.lock).toUtf8().constData(), row.mode);
    const auto outcome = AsOrdinaryUser([&] {
      h.Start();
      const auto read = h.fom.controls.LstIvent.items.size() - 1;
      h.fom.controls.LstIvent.items << "new";
      h.fom.Form_Unload();
      const QString denied =
          "書き込みが許可されていないため、リストデーターを書き込めませんでし"
          "た。\r\n" +
          h.game.path("sys/lstphoto.dat");
      const QStringList boxes = h.dialogs.boxes;
      const char* box = boxes.isEmpty() ? "none" : boxes == QStringList{denied} ? "denied" : "?";
      if (boxes.size() == 1 && boxes[0].startsWith(QStringLiteral("リストデーターが、破損")))
        box = "damaged";
      return std::to_string(read) + " " + box;
    });
    ::chmod(h.game.path("sys").toUtf8().constData(), 0777);
    EXPECT_EQ(std::pair(outcome, h.game.ReadRaw("sys/lstphoto.dat")),
              std::pair(std::optional(row.outcome), row.after));
  }
}

// A memory list that leads out of the game folder is neither read nor written, and the
// box says the file may not be written rather than calling it damaged.
TEST(PlayerFiles, AMemoryListLinkedOutOfTheGameFolderIsLeftAlone) {
  Harness h;
  QTemporaryDir outside;
  QFile list(outside.filePath("list"));
  ASSERT_TRUE(list.open(QIODevice::WriteOnly) && list.write(kThree) == kThree.size());
  list.close();
  QFile::link(list.fileName(), h.game.path("sys/lstphoto.dat"));
  h.Start();
  h.fom.Form_Unload();
  EXPECT_EQ(h.fom.controls.LstIvent.items, QStringList{"▼記憶"});
  EXPECT_EQ(h.dialogs.boxes,
            QStringList{"書き込みが許可されていないため、リストデーターを書き込めませ"
                        "んでした。\r\n" +
                        h.game.path("sys/lstphoto.dat")});
  ASSERT_TRUE(list.open(QIODevice::ReadOnly));
  EXPECT_EQ(list.readAll(), kThree);
}

// Fatigue 1e300 never recovers and days -1e300 never end: the menu itself stays
// locked. The save parser holds the bounds; here one bound of each kind, one value past
// them and a file too long to be a save, none of it applied.
TEST(PlayerFiles, LoadRefusesASaveThatWouldLockTheGameAndNothingIsApplied) {
  const std::pair<QByteArray, bool> rows[] = {
      {"149\r\n32767", true}, {"149.5\r\n0", false}, {QByteArray(4096, ' ') + "0\r\n0", false}};
  for (const auto& [tail, loads] : rows) {
    Harness h;
    h.Start();
    h.game.WriteRaw("sys/all.dat", " 5 \r\n 6 \r\n 7 \r\n 32767 \r\n 3 \r\n" + tail + "\r\n");
    h.fom.menu_save_Click(1);
    const bool refused = h.dialogs.boxes.value(0).startsWith("LOAD ERROR!");
    EXPECT_EQ(std::pair(refused, h.fom.state.affection[0]),
              std::pair(!loads, std::int16_t(loads ? 5 : 0)))
        << tail.right(20).toStdString();
  }
}

TEST(PlayerFiles, AScriptLineBeyondEveryBoundIsADamagedScript) {
  Harness h;
  h.Start();
  h.fom.controls.PicStt.visible = false;
  h.game.WriteScript("s", {"a", "b", QString(70000, 'x'), "c"});
  h.fom.OpenScene("s");
  h.ClickThroughScene();
  EXPECT_EQ(std::pair(h.InCommandMode(), h.dialogs.boxes),
            std::pair(true, QStringList{DamagedMessage(h, "s")}));
}

}  // namespace
}  // namespace hibi::testing
