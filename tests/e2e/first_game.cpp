// The first game: the title and its day-limit box, the opening, two days that use
// every button, and the day limit's ending back to the title.
#include <QLineEdit>
#include <QRegularExpression>

#include "play_through.h"

namespace hibi::e2e {

int Number(const QString& caption) {
  bool ok = false;
  const int value = caption.toInt(&ok);
  EXPECT_TRUE(ok) << "not a number: " << caption.toStdString();
  return value;
}

QString NextSlotName(const QString& name) {
  return kSlotNames[kSlotNames.indexOf(name) % 7 + 1];
}

std::optional<std::array<int, 3>> Readout(const QString& message) {
  static const QRegularExpression rows(
      QStringLiteral("^\nよわ    (-?\\d+)\nとおみや    (-?\\d+)\nこうき    (-?\\d+)$"));
  const QRegularExpressionMatch match = rows.match(message);
  if (!match.hasMatch()) return std::nullopt;
  return std::array<int, 3>{match.captured(1).toInt(), match.captured(2).toInt(),
                            match.captured(3).toInt()};
}

void PlayThrough::Title() {
  session.copy.Write("sys/lstphoto.dat", Cp932Lines(kEarlierMemories));
  session.Start();
  Player& player = session.player();

  EXPECT_EQ(session.game().window().windowTitle(), kGameTitle);
  EXPECT_TRUE(player.OnTitle());
  EXPECT_EQ(session.copy.WhichPicture(session.game().window().picStt().drawing()), "ttl")
      << "the title picture fills the stage";
  for (const char* hidden : {"TxtDay", "Lbl", "Pic", "PicCom", "PicKao", "LstIvent"}) {
    EXPECT_FALSE(player.Shown(hidden)) << hidden;
  }
  EXPECT_EQ(session.midi.log,
            QStringList({"close", "open " + session.copy.folder() + "bgm.mid", "play"}));
  EXPECT_EQ(session.MemoryList(), QStringList{"▼記憶"} + kEarlierMemories);

  player.Key(Qt::Key_A);
  EXPECT_TRUE(player.Shown("TxtDay")) << "any key shows the day-limit box";
  player.Key(Qt::Key_Space);
  EXPECT_FALSE(player.Shown("TxtDay")) << "the next key hides it";
  player.Key(Qt::Key_Q);
  ASSERT_TRUE(player.Shown("TxtDay"));
  auto& txtDay = player.Find<QLineEdit>("TxtDay");
  EXPECT_EQ(txtDay.text(), "10");
  ASSERT_TRUE(player.Click(txtDay));
  player.Key(Qt::Key_A, Qt::ControlModifier);
  player.Type('x');
  EXPECT_EQ(txtDay.text(), "x");

  // A limit that is not a number does not start the game: the box waits, its
  // text selected, and the next key replaces it.
  ASSERT_TRUE(player.Click(player.Find("PicStt")));
  ASSERT_TRUE(player.OnTitle());
  EXPECT_TRUE(player.Shown("TxtDay") && txtDay.hasFocus());
  EXPECT_EQ(txtDay.selectedText(), "x");
  player.Type('2');
  EXPECT_EQ(txtDay.text(), "2");
  dayLimit = 2;
}

void PlayThrough::Opening() {
  Player& player = session.player();
  ASSERT_TRUE(player.Click(player.Find("PicStt")));
  EXPECT_FALSE(player.OnTitle());
  EXPECT_TRUE(player.Shown("Lbl") && player.Shown("Pic"));
  EXPECT_TRUE(player.Message().startsWith('\n') && player.Message().size() > 1)
      << "the first line shows at once";
  EXPECT_TRUE(session.MemoryList().contains("ttl")) << "the opening shows the title picture";
  scenePictures << "ttl";

  ASSERT_TRUE(RunUntil([&] { return player.WaitingAtPageEnd(); })) << "the first page ends";
  ASSERT_TRUE(player.Click(player.Find("Lbl")));
  EXPECT_EQ(player.Message().count('\n'), 1) << "a click at a page end starts a fresh page";
  ASSERT_TRUE(player.Click(player.Find("Lbl"), Qt::RightButton));
  ASSERT_TRUE(RunUntil([&] { return player.InCommandMode(); }, 30000))
      << "one right click fast-forwards to the command panel";
  EXPECT_EQ(player.Message(), QString());
  const Captions now = session.Now();
  EXPECT_EQ(now.day, "0");
  EXPECT_EQ(now.time, "早朝");
  EXPECT_EQ(now.fatigue, "0");
  for (int i = 0; i < 8; ++i) EXPECT_TRUE(player.Button(i).isEnabled()) << i;

  // The tune stops: the watchdog starts it again from the beginning.
  session.midi.log.clear();
  session.midi.mode = "STOPPED";
  EXPECT_TRUE(RunUntil([&] { return session.midi.log.contains("play from start"); }));
  EXPECT_EQ(session.midi.log.mid(0, 2), QStringList({"rewind", "play from start"}));
  session.midi.mode = "playing";
}

void PlayThrough::FirstGame() {
  // Two days with every button; the rests keep fatigue below 100 whatever the dice
  // say, and the visits find everybody at their first level.
  const Row days[] = {
      {0, Kind::Outing, "00"}, {3, Kind::Outing, "001"}, {6, Kind::Rest},
      {7, Kind::Readout},      {7, Kind::Save},          {1, Kind::Outing, "15"},
      {6, Kind::Rest},         {4, Kind::Outing, "011"}, {2, Kind::Outing, "21"},
      {6, Kind::Rest},         {5, Kind::Outing, "021"}, {7, Kind::Dismiss},
      {6, Kind::Rest},         {0, Kind::Ending},
  };
  for (std::size_t i = 0; i < std::size(days); ++i) {
    SCOPED_TRACE(::testing::Message() << "command " << i << ": button " << days[i].button);
    ASSERT_NO_FATAL_FAILURE(Play(days[i]));
  }
  EXPECT_EQ(session.modals.unexpectedMenus, 0);
}

}  // namespace hibi::e2e
