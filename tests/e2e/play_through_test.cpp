// An evening with the sample game, played through the real window: the title and
// its day-limit box, the opening, every command button, the menu's SAVE, LOAD and
// "LOVE?", the day limit's ending back to the title, a second game that loads the
// save, a collapse and its recovery, the memory list, and a second start of the
// program that remembers what was seen.
#include <gtest/gtest.h>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <array>

#include "session.h"

namespace hibi::e2e {
namespace {

constexpr std::uint32_t kSeed = 20260807;
const QStringList kSlotNames = {"", "早朝", "朝", "午前", "午後", "夕方", "夜", "深夜"};
const QString kMenuMessage = QStringLiteral("\nなにをしようかな・・");
const QStringList kMenuCaptions = {"SAVE", "LOAD", "-", "LOVE?"};
// Memories of an earlier evening: one with a picture, one whose picture is gone.
const QStringList kEarlierMemories = {"hanabi", "夏祭り"};

int Number(const QString& caption) {
  bool ok = false;
  const int value = caption.toInt(&ok);
  EXPECT_TRUE(ok) << "not a number: " << caption.toStdString();
  return value;
}
QString NextSlotName(const QString& name) {
  return kSlotNames[kSlotNames.indexOf(name) % 7 + 1];
}

// The three rows of "LOVE?", or nullopt when the message is not a readout.
std::optional<std::array<int, 3>> Readout(const QString& message) {
  static const QRegularExpression rows(
      QStringLiteral("^\nよわ    (-?\\d+)\nとおみや    (-?\\d+)\nこうき    (-?\\d+)$"));
  const QRegularExpressionMatch match = rows.match(message);
  if (!match.hasMatch()) return std::nullopt;
  return std::array<int, 3>{match.captured(1).toInt(), match.captured(2).toInt(),
                            match.captured(3).toInt()};
}

enum class Kind { Outing, Rest, Readout, Save, Dismiss, Ending };
struct Row {
  int button;
  Kind kind;
  QString scene;  // the scene an outing opens
};

class PlayThrough : public ::testing::Test {
 protected:
  // Checks one command of the first game against what its kind promises.
  void Check(const Row& row, const Outcome& out);

  Session session{kSeed};
  int dayLimit = 0;
  std::array<int, 3> lastReadout{};
  QStringList scenePictures;  // in the order the scenes were first opened
};

void PlayThrough::Check(const Row& row, const Outcome& out) {
  const bool newDay = out.before.time == kSlotNames[7];
  const QString dayAtClick = QString::number(Number(out.before.day) + (newDay ? 1 : 0));
  const int fatigueBefore = Number(out.before.fatigue);
  if (row.kind != Kind::Ending) {
    EXPECT_EQ(out.atClick.day, dayAtClick) << "a day passes before a command at 深夜";
    EXPECT_EQ(out.after.day, dayAtClick);
    EXPECT_EQ(out.after.time, NextSlotName(out.before.time));
    EXPECT_TRUE(session.player().InCommandMode());
  }
  switch (row.kind) {
    case Kind::Outing: {
      const int gain = Number(out.atClick.fatigue) - fatigueBefore;
      EXPECT_TRUE(gain >= 0 && gain <= 29) << gain;
      EXPECT_TRUE(out.sceneOpened);
      EXPECT_TRUE(
          LooksLike(out.pictureAtClick, session.copy.folder() + "img/" + row.scene + ".png"))
          << "the event picture of " << row.scene.toStdString();
      EXPECT_TRUE(session.MemoryList().contains(row.scene));
      EXPECT_EQ(out.after.fatigue, out.atClick.fatigue) << "a scene costs no fatigue";
      EXPECT_EQ(out.messageAfter, QString()) << "back in command mode the message is cleared";
      scenePictures << row.scene;
      break;
    }
    case Kind::Rest:
      EXPECT_FALSE(out.sceneOpened);
      EXPECT_EQ(out.messageAtClick, QStringLiteral("\nたっぷりやすんだよ"));
      EXPECT_EQ(Number(out.after.fatigue), std::max(fatigueBefore - 50, -100));
      break;
    case Kind::Readout: {
      EXPECT_EQ(session.modals.messageUnderMenu, kMenuMessage);
      EXPECT_EQ(session.modals.menuCaptions, kMenuCaptions);
      const auto readout = Readout(out.messageAfter);
      ASSERT_TRUE(readout) << out.messageAfter.toStdString();
      lastReadout = *readout;
      const int cost = Number(out.after.fatigue) - fatigueBefore;
      EXPECT_TRUE(cost >= 0 && cost <= 49) << cost;
      EXPECT_TRUE(out.boxes.isEmpty());
      break;
    }
    case Kind::Save: {
      EXPECT_EQ(out.boxes, QStringList{QStringLiteral("SAVE　OK")});
      const QByteArray expected =
          Cp932Lines({SavedNumber(lastReadout[0]), SavedNumber(lastReadout[1]),
                      SavedNumber(lastReadout[2]), SavedNumber(dayLimit),
                      SavedNumber(static_cast<int>(kSlotNames.indexOf(out.before.time))),
                      out.before.fatigue, dayAtClick});
      EXPECT_EQ(session.copy.Read("sys/all.dat"), expected);
      EXPECT_EQ(out.after.fatigue, out.before.fatigue);
      break;
    }
    case Kind::Dismiss:
      EXPECT_EQ(out.messageAfter, kMenuMessage);
      EXPECT_TRUE(out.boxes.isEmpty());
      EXPECT_EQ(out.after.fatigue, out.before.fatigue);
      break;
    case Kind::Ending:
      EXPECT_TRUE(out.sceneOpened);
      EXPECT_EQ(out.atClick.day, QString::number(dayLimit)) << "the last day opens the ending";
      EXPECT_EQ(out.atClick.time, kSlotNames[7]) << "and the slot stays at 深夜";
      EXPECT_EQ(out.atClick.fatigue, out.before.fatigue) << "and the command does nothing else";
      EXPECT_TRUE(session.player().OnTitle()) << "the ending returns to the title";
      EXPECT_EQ(out.after.day, "0");
      EXPECT_EQ(out.after.time, kSlotNames[1]);
      EXPECT_EQ(out.after.fatigue, "0");
      break;
  }
}

TEST_F(PlayThrough, AnEveningWithTheSampleGameThroughTheRealWindow) {
  session.copy.Write("sys/lstphoto.dat", Cp932Lines(kEarlierMemories));
  session.Start();
  Player& player = session.player();

  // --- The title ---------------------------------------------------------------------
  EXPECT_EQ(session.game().window().windowTitle(), kGameTitle);
  EXPECT_TRUE(player.OnTitle());
  EXPECT_TRUE(
      LooksLike(session.game().window().picStt().drawing(), session.copy.folder() + "img/ttl.png"));
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
  player.Type('2');
  EXPECT_EQ(txtDay.text(), "2");
  dayLimit = 2;

  // --- The opening: a page read with clicks, the rest fast-forwarded ------------------
  ASSERT_TRUE(player.Click(player.Find("PicStt")));
  EXPECT_FALSE(player.OnTitle());
  EXPECT_TRUE(player.Shown("Lbl") && player.Shown("Pic"));
  EXPECT_TRUE(player.Message().startsWith('\n') && player.Message().size() > 1)
      << "the first line shows at once";
  EXPECT_TRUE(session.MemoryList().contains("ttl")) << "the opening shows the title picture";
  ASSERT_TRUE(RunUntil([&] { return player.WaitingAtPageEnd(); })) << "the first page ends";
  ASSERT_TRUE(player.Click(player.Find("Lbl")));
  EXPECT_EQ(player.Message().count('\n'), 1) << "a click at a page end starts a fresh page";
  ASSERT_TRUE(player.Click(player.Find("Lbl"), Qt::RightButton));
  ASSERT_TRUE(RunUntil([&] { return player.InCommandMode(); }, 30000))
      << "one right click fast-forwards to the command panel";
  EXPECT_EQ(player.Message(), QString());
  EXPECT_EQ(session.Now().day, "0");
  EXPECT_EQ(session.Now().time, "早朝");
  EXPECT_EQ(session.Now().fatigue, "0");
  scenePictures << "ttl";

  // --- The tune stops: the watchdog starts it again ------------------------------------
  session.midi.log.clear();
  session.midi.mode = "STOPPED";
  EXPECT_TRUE(RunUntil([&] { return session.midi.log.contains("play from start"); }));
  EXPECT_EQ(session.midi.log.mid(0, 2), QStringList({"rewind", "play from start"}));
  session.midi.mode = "playing";

  // --- Two days with every button; rests keep fatigue below 100 whatever the dice -------
  const Row days[] = {
      {0, Kind::Outing, "00"}, {3, Kind::Outing, "001"}, {6, Kind::Rest, {}},
      {7, Kind::Readout, {}},  {7, Kind::Save, {}},      {1, Kind::Outing, "15"},
      {6, Kind::Rest, {}},     {4, Kind::Outing, "011"}, {2, Kind::Outing, "21"},
      {6, Kind::Rest, {}},     {5, Kind::Outing, "021"}, {7, Kind::Dismiss, {}},
      {6, Kind::Rest, {}},     {0, Kind::Ending, {}},
  };
  const QStringList picks = {"", "", "", "LOVE?", "SAVE", "", "", "", "", "", "", "", "", ""};
  std::array<int, 3> savedReadout{};
  Captions saved;
  for (std::size_t i = 0; i < std::size(days); ++i) {
    const Row& row = days[i];
    SCOPED_TRACE(::testing::Message() << "command " << i << ": button " << row.button);
    const Player::Pace pace =
        row.kind == Kind::Ending ? Player::Pace::Clicks : Player::Pace::FastForward;
    const Outcome out = session.Command(row.button, picks[static_cast<qsizetype>(i)], pace);
    ASSERT_NO_FATAL_FAILURE(Check(row, out));
    if (row.kind == Kind::Save) {
      savedReadout = lastReadout;
      saved = out.before;
    }
  }
  EXPECT_EQ(session.modals.unexpectedMenus, 0);
}

}  // namespace
}  // namespace hibi::e2e
