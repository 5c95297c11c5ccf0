// What the player sees of files the game cannot or must not use: a memory list it
// may not read or write, a script that never ends a line.
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

// A list read only in part (past a bound, or up to a damaged line) loses nothing
// either: its unread rest follows the list, byte for byte, with no box.
TEST(PlayerFiles, AMemoryListTheUserCannotReadOrReplaceIsKeptWithTheBox) {
  QByteArray many;
  for (int i = 1; i <= 120001; ++i) many += "m" + QByteArray::number(i) + "\r\n";
  const qsizetype cut = many.indexOf("m100001\r\n");
  const QByteArray damaged = "a\r\n" + QByteArray(70000, 'x') + "\r\nb\r\n";
  // 139 lines of 60,002 bytes, then one whose CR is the last byte within 8 MiB
  const QByteArray split =
      QByteArray(60000, 'y').append("\r\n").repeated(139) + QByteArray(48329, 'z') + "\r\nw\r\n";
  const qsizetype bound = 8 * 1024 * 1024 + 1;
  // lock: taken from nobody after everything else is opened ("->": the list moved out of the
  // game folder, a link left in its place); outcome: memories read at start-up, the box at
  // shutdown (damaged, denied) or none
  struct Row {
    const char* why;
    QByteArray before;  // null: no file
    const char* lock;
    mode_t mode;
    std::string outcome;
    QByteArray after;
  };
  const Row rows[] = {
      {"write-only: unread, so never written over", kThree, "sys/lstphoto.dat", 0222, "0 damaged",
       kThree},
      {"a read-only folder without the file", {}, "sys", 0555, "0 denied", ""},
      {"no file yet: created", {}, nullptr, 0, "0 none", "new\r\n"},
      {"120,001 lines", many, nullptr, 0, "100000 none",
       many.left(cut) + "new\r\n" + many.mid(cut)},
      {"a 70,000-byte line", damaged, nullptr, 0, "1 none", "a\r\nnew\r\n" + damaged.mid(3)},
      {"8 MiB between CR and LF", split, nullptr, 0, "140 none",
       split.left(bound) + "new\r\n" + split.mid(bound)},
      {"part read, in a read-only folder", damaged, "sys", 0555, "1 denied", damaged},
      // Neither read nor written: the box says it may not be written, not that it is damaged.
      {"a link out of the game folder", kThree, "->", 0, "0 denied", kThree},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    Harness h;
    if (!row.before.isNull()) h.game.WriteRaw("sys/lstphoto.dat", row.before);
    QTemporaryDir outside;
    const QString list = h.game.path("sys/lstphoto.dat");
    const bool linkedOut = QByteArray(row.lock) == "->";
    if (linkedOut && QFile::rename(list, outside.filePath("list")))
      QFile::link(outside.filePath("list"), list);
    OpenToEveryone(h.game.folder());
    OpenToEveryone(outside.path());
    if (row.lock && !linkedOut) ::chmod(h.game.path(row.lock).toUtf8().constData(), row.mode);
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
    EXPECT_EQ(outcome, std::optional(row.outcome));
    EXPECT_TRUE(h.game.ReadRaw("sys/lstphoto.dat") == row.after);
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
