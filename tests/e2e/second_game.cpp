// The second game of the evening: the save of the first game loaded, a backup of a
// tired game loaded over it, a collapse and its recovery, a second save, a memory
// replayed, and the program closed and started again.
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include "play_through.h"

namespace hibi::e2e {
namespace {

// A game saved by a tired player: fatigue 99 on day 3 of 30, saved at 朝 (the
// menu's own step then brings 午前).
const QStringList kTiredSave = {" 75 ", "-5 ", " 0 ", " 30 ", " 2 ", "99", "3"};
// Each recovery tick takes at most 29 fatigue and costs a day.
constexpr int kFewestRecoveryDays = 4;  // 100 / 29, rounded up
const QString kCollapse = QStringLiteral("\nなんかつかれちゃった。すこしやすもう");
const QString kRecovered = QStringLiteral("\nつかれがとれたよ");

}  // namespace

void PlayThrough::SecondGame() {
  Player& player = session.player();
  ASSERT_TRUE(player.OnTitle());
  EXPECT_EQ(session.copy.WhichPicture(session.game().window().picStt().drawing()), "ttl");
  const bool boxShown = player.Shown("TxtDay");
  player.Key(Qt::Key_B);
  EXPECT_NE(player.Shown("TxtDay"), boxShown) << "keys reach the title again";
  EXPECT_EQ(player.Find<QLineEdit>("TxtDay").text(), "2") << "the box keeps the typed limit";
  ASSERT_TRUE(player.Click(player.Find("PicStt")));
  // This time the player reads with the keyboard.
  ASSERT_TRUE(player.PlayScene(Player::Pace::Keys));
  ASSERT_TRUE(player.InCommandMode());
  EXPECT_EQ(session.Now().day, "0");
  EXPECT_EQ(session.Now().fatigue, "0");

  // The first game comes back: the captions at once, the affection in the readout.
  ASSERT_NO_FATAL_FAILURE(Play({7, Kind::Load}));
  EXPECT_EQ(session.Now().fatigue, saved.fatigue);
  EXPECT_EQ(session.Now().day, saved.day);
  ASSERT_NO_FATAL_FAILURE(Play({7, Kind::Readout}));
  EXPECT_EQ(lastReadout, savedReadout) << "the loaded game has the saved affection";
}

void PlayThrough::CollapseAndRecovery() {
  Player& player = session.player();
  session.copy.Write("sys/all.dat", Cp932Lines(kTiredSave));
  ASSERT_EQ(session.Now().time, kSlotNames[7]) << "the menu at 深夜 first lets a day pass";
  ASSERT_NO_FATAL_FAILURE(Play({7, Kind::Load}));
  ASSERT_EQ(session.Now().fatigue, "99");

  // One step out is enough, unless the dice say it cost nothing: then the scene
  // plays and the player tries again.
  Outcome out;
  for (int tries = 0; tries < 8; ++tries) {
    out = session.Command(0);
    if (!out.sceneOpened) break;
    scenePictures << "0" + QString::number(kSlotNames.indexOf(out.before.time) - 1);
  }
  ASSERT_EQ(out.messageAtClick, kCollapse);
  EXPECT_GE(Number(out.atClick.fatigue), 100);
  EXPECT_EQ(out.atClick.time, out.before.time) << "the outing did not happen";
  EXPECT_FALSE(out.sceneOpened);
  for (int i = 0; i < 8; ++i) EXPECT_FALSE(player.Button(i).isEnabled()) << i;
  EXPECT_TRUE(player.Click(player.Button(6))) << "a click on the tired panel";
  EXPECT_EQ(player.Message(), kCollapse) << "does nothing";

  const int collapseDay = Number(out.atClick.day);
  ASSERT_TRUE(RunUntil([&] { return player.Button(0).isEnabled(); }, 30000))
      << "the character recovers";
  const Captions now = session.Now();
  EXPECT_EQ(player.Message(), kRecovered);
  EXPECT_TRUE(Number(now.fatigue) <= 0 && Number(now.fatigue) >= -100) << now.fatigue.toStdString();
  EXPECT_GE(Number(now.day), collapseDay + kFewestRecoveryDays) << "recovery costs days";
  EXPECT_LT(Number(now.day), dayLimit);
  EXPECT_EQ(now.time, out.before.time);
  EXPECT_FALSE(player.Find<QTimer>("TimHirou").isActive());
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(player.Button(i).isEnabled()) << i;

  // Rested again: the readout, then a save that replaces the first game's.
  ASSERT_NO_FATAL_FAILURE(Play({7, Kind::Readout}));
  ASSERT_NO_FATAL_FAILURE(Play({7, Kind::Save}));
}

void PlayThrough::Memories() {
  Player& player = session.player();
  // The player makes the window larger: it keeps its shape and the event picture
  // is drawn again at the new size.
  QtWindow& window = session.game().window();
  const QString shownBefore = session.copy.WhichPicture(session.EventPicture());
  const QSize sizeBefore = window.size();
  window.resize(sizeBefore.width() * 5 / 4, sizeBefore.height());
  ASSERT_TRUE(RunUntil([&] { return window.width() != sizeBefore.width(); }));
  EXPECT_NEAR(window.width() * 6.0 / window.height(), 8.0, 0.1) << "still 8:6";
  EXPECT_EQ(session.EventPicture().size(), window.pic().size() * window.devicePixelRatio());
  EXPECT_EQ(session.copy.WhichPicture(session.EventPicture()), shownBefore);

  ASSERT_TRUE(player.Click(player.Find("Pic")));
  ASSERT_TRUE(player.Shown("LstIvent")) << "a click on the event picture shows the memories";
  const QStringList items = session.MemoryList();
  EXPECT_EQ(items.mid(0, 3), QStringList{"▼記憶"} + kEarlierMemories);
  QStringList once = items;
  EXPECT_EQ(once.removeDuplicates(), 0) << "every picture is remembered once";
  qsizetype from = 0;
  for (const QString& scene : scenePictures) {
    const qsizetype at = items.indexOf(scene, from);
    EXPECT_GE(at, from) << scene.toStdString() << " is remembered in the order it was seen";
    from = std::max(at, from);
  }
  for (const QString& item : items.mid(3)) {
    EXPECT_TRUE(scenePictures.contains(item) || session.copy.Exists("img/" + item + ".png"))
        << item.toStdString() << " is a picture the scenes showed";
  }

  auto& list = player.Find<QListWidget>("LstIvent");
  QListWidgetItem* hanabi = list.item(1);
  list.scrollToItem(hanabi);
  ASSERT_TRUE(player.Click(*list.viewport(), Qt::LeftButton, list.visualItemRect(hanabi).center()));
  EXPECT_FALSE(player.Shown("LstIvent")) << "choosing a memory hides the list";
  EXPECT_EQ(session.copy.WhichPicture(session.EventPicture()), "hanabi")
      << "and shows its picture again";
  EXPECT_EQ(session.MemoryList(), items) << "without a second entry";
}

void PlayThrough::CloseAndStartAgain() {
  const QStringList items = session.MemoryList();
  const qsizetype boxes = session.modals.boxes.size();
  ASSERT_TRUE(session.Close());
  EXPECT_EQ(session.modals.boxes.size(), boxes) << "the memories are written without a complaint";
  EXPECT_EQ(session.copy.Read("sys/lstphoto.dat"), Cp932Lines(items.mid(1)));
  EXPECT_EQ(session.midi.log.last(), "close");
  const QByteArray memories = session.copy.Read("sys/lstphoto.dat");

  // The next evening remembers everything, and the save waits in its slot.
  session.Start();
  Player& player = session.player();
  EXPECT_EQ(session.MemoryList(), items);
  ASSERT_TRUE(player.OnTitle());
  ASSERT_TRUE(player.Click(player.Find("PicStt")));
  ASSERT_TRUE(player.PlayScene(Player::Pace::FastForward));
  ASSERT_NO_FATAL_FAILURE(Play({7, Kind::Load}));
  EXPECT_EQ(session.Now().fatigue, saved.fatigue);
  EXPECT_EQ(session.Now().day, saved.day);
  ASSERT_TRUE(session.Close());
  EXPECT_EQ(session.copy.Read("sys/lstphoto.dat"), memories) << "nothing new was seen";
}

}  // namespace hibi::e2e
