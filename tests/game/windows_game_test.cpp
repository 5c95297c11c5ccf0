// A game folder as it arrives from Windows: names in other cases, "\" inside picture
// and scene names, a face named in code page 932 bytes, BMP pictures and an old
// ALL.DAT. It must play exactly as the same game with exact names does.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QDirIterator>
#include <fstream>

#include "mini_game.h"
#include "storage/game_names.h"
#include "storage/text_file.h"

namespace hibi::testing {
namespace {

// What the player sees at one moment: the message and the files behind each picture.
QString Moment(const Harness& h) {
  QString seen = h.fom.controls.Lbl.caption;
  const FakePictures& p = h.pictures;
  for (const QString& shown : {p.shownPicStt, p.shownPic, p.shownPicKao}) {
    std::ifstream file(NativePath(shown));
    std::string content;
    std::getline(file, content);
    seen += " | " + QString::fromStdString(content);
  }
  return seen;
}

// The mini game, every scene with a picture (holding its own name) and a face, opened
// from the title by a scene that names a picture and the next scene with "\".
void WriteGame(TempGame& game, bool windows) {
  WriteMiniGame(game);
  game.WriteScript("opn", {"-よわ＿1", "はじまり。", ">img town\\bridge", "はし。", ">ive ev\\03"});
  game.WriteScript("ev\\03", {"scene:03", "tugi"});
  game.WriteRaw("sys/sys.dat", ".txt\r\n.bmp\r\n\r\n\r\n");
  game.WriteRaw("sys/all.dat", "old");
  QStringList pictures{"ttl", "town\\bridge", "ev\\03"};
  for (const QString& script : QDir(game.path("txt")).entryList(QDir::Files))
    pictures << script.chopped(4);
  for (const QString& name : pictures) game.WriteRaw("img/" + name + ".bmp", name.toUtf8());
  game.WriteRaw("face/よわ＿1.bmp", "よわ＿1");
  if (!windows) return;
  // Every name upper-cased, "\" made a folder, the face left in CP932 bytes.
  QDir root(game.folder());
  for (const char* folder : {"txt", "img", "sys", "face"}) {
    QDirIterator files(game.path(folder), QDir::Files);
    while (files.hasNext()) {
      const QString from = files.next().mid(game.folder().size());
      const QString to = from.toUpper().replace('\\', '/');
      root.mkpath(to.section('/', 0, -2));
      ASSERT_TRUE(root.rename(from, to)) << from.toStdString();
    }
    ASSERT_TRUE(root.rmdir(folder));
  }
  const auto face = [&](const QString& name) { return NativePath(game.path("FACE/" + name)); };
  const std::string cp932 = face(TextFromNativeName(EncodeCp932("よわ＿1")) + ".bmp");
  ASSERT_EQ(::rename(face("よわ＿1.BMP").c_str(), cp932.c_str()), 0);
}

// From the title through the opening, a save, and the days up to the ending.
QStringList Play(Harness& h) {
  h.Start();
  h.StartGame("1");
  QStringList seen;
  for (int step = 0; step < 1000 && !(step > 0 && h.fom.controls.PicStt.visible); ++step) {
    seen << Moment(h);
    if (!h.InCommandMode()) {
      Press(h.fom, kLeftButton);
      h.fom.Lbl_Click();
    } else if (h.dialogs.boxes.isEmpty())
      h.fom.menu_save_Click(0);
    else
      h.fom.Com_Click(0);
  }
  seen << Moment(h);
  h.fom.Form_Unload();
  return seen;
}

TEST(WindowsGame, PlaysAsTheSameGameWithExactNames) {
  Harness exact, windows;
  WriteGame(exact.game, false);
  WriteGame(windows.game, true);
  const QStringList played = Play(exact);
  EXPECT_EQ(std::pair(Play(windows), windows.dialogs.boxes),
            std::pair(played, QStringList{"SAVE　OK"}));
  for (const char* seen : {"scene:03", "scene:end", " | よわ＿1", "town\\bridge |"})
    EXPECT_FALSE(played.filter(seen).isEmpty()) << seen;
  for (Harness* h : {&exact, &windows}) EXPECT_TRUE(h->pictures.log.filter("failed").isEmpty());
  // The save went into the ALL.DAT that was there, and the memories beside it.
  EXPECT_EQ(
      std::tuple(windows.game.ReadRaw("SYS/ALL.DAT"), windows.game.ReadRaw("SYS/lstphoto.dat"),
                 QDir(windows.game.path("SYS")).entryList(QDir::Files)),
      std::tuple(exact.game.ReadRaw("sys/all.dat"), exact.game.ReadRaw("sys/lstphoto.dat"),
                 QStringList{"ALL.DAT", "lstphoto.dat", "SYS.DAT"}));
  // A name Qt's own clean-up of the folder cannot spell.
  ::unlink(
      NativePath(GameFile(windows.game.folder(), windows.game.path("face/よわ＿1.bmp"))).c_str());
}

}  // namespace
}  // namespace hibi::testing
