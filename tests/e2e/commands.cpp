// What one command button shows the player, by the kind of command.
#include "play_through.h"

namespace hibi::e2e {
namespace {

const QStringList kMenuCaptions = {"SAVE", "LOAD", "-", "LOVE?"};

QString MenuPick(Kind kind) {
  switch (kind) {
    case Kind::Readout:
      return QStringLiteral("LOVE?");
    case Kind::Save:
      return QStringLiteral("SAVE");
    case Kind::Load:
      return QStringLiteral("LOAD");
    default:
      return {};  // dismissed
  }
}

// The save file's lines as text; the game writes them in ASCII here.
QStringList SaveLines(const QByteArray& file) {
  QStringList lines = QString::fromLatin1(file).split(QStringLiteral("\r\n"));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace

void PlayThrough::Play(const Row& row) {
  const QStringList saveBefore = SaveLines(session.copy.Read("sys/all.dat"));
  const Player::Pace pace =
      row.kind == Kind::Ending ? Player::Pace::Clicks : Player::Pace::FastForward;
  const Outcome out = session.Command(row.button, MenuPick(row.kind), pace);

  const bool newDay = out.before.time == kSlotNames[7];
  const QString dayAtClick = QString::number(Number(out.before.day) + (newDay ? 1 : 0));
  const int fatigueBefore = Number(out.before.fatigue);
  if (row.kind != Kind::Ending) {
    EXPECT_TRUE(session.player().InCommandMode());
    if (row.kind != Kind::Load) {
      EXPECT_EQ(out.atClick.day, dayAtClick) << "a day passes before a command at 深夜";
      EXPECT_EQ(out.after.day, dayAtClick);
      EXPECT_EQ(out.after.time, NextSlotName(out.before.time));
    }
  }
  if (row.button == 7) {
    EXPECT_EQ(session.modals.messageUnderMenu, kMenuMessage);
    EXPECT_EQ(session.modals.menuCaptions, kMenuCaptions);
  }
  switch (row.kind) {
    case Kind::Outing: {
      const int gain = Number(out.atClick.fatigue) - fatigueBefore;
      EXPECT_TRUE(gain >= 0 && gain <= 29) << gain;
      EXPECT_TRUE(out.sceneOpened);
      EXPECT_EQ(session.copy.WhichPicture(out.pictureAtClick), row.scene)
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
      const int slot = static_cast<int>(kSlotNames.indexOf(out.before.time));
      const QByteArray expected = Cp932Lines(
          {SavedNumber(lastReadout[0]), SavedNumber(lastReadout[1]), SavedNumber(lastReadout[2]),
           SavedNumber(dayLimit), SavedNumber(slot), out.before.fatigue, dayAtClick});
      EXPECT_EQ(session.copy.Read("sys/all.dat"), expected) << "only the last save is kept";
      EXPECT_EQ(out.after.fatigue, out.before.fatigue);
      savedReadout = lastReadout;
      saved = {dayAtClick, out.before.time, out.before.fatigue};
      break;
    }
    case Kind::Load: {
      EXPECT_EQ(out.boxes, QStringList{QStringLiteral("Load　OK")});
      ASSERT_EQ(saveBefore.size(), 7);
      dayLimit = saveBefore[3].trimmed().toInt();
      EXPECT_EQ(out.after.fatigue, saveBefore[5]);
      EXPECT_EQ(out.after.day, saveBefore[6]);
      EXPECT_EQ(out.after.time, NextSlotName(kSlotNames[saveBefore[4].trimmed().toInt()]))
          << "the loaded slot, then the menu's own step";
      EXPECT_EQ(out.messageAfter, QString()) << "a load returns to a clear command panel";
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

}  // namespace hibi::e2e
