// The eight command buttons of the day: three places, three visits, rest, and the
// menu. Every completed command costs one time slot. The order of the random draws
// (fatigue, gain, then the decay of characters 0, 1, 2) is part of the game: a
// replayed seed must give the same story.
#include <algorithm>
#include <cmath>

#include "game/draw.h"
#include "game/fom.h"
#include "script/scene_names.h"
#include "storage/numbers.h"

namespace hibi {
namespace {

constexpr int kActivityFatigueDraw = 30;
constexpr int kGainDraw = 15;
constexpr int kGainBase = 15;
constexpr int kDecayDraw = 10;
constexpr std::int16_t kRestAmount = -50;
constexpr double kPointsPerLevel = 70;

// The visit level comes from the points before the visit: 0..69 is level 1,
// 280 and more level 5; negative points stay at level 1.
int VisitLevel(std::int16_t points) {
  const int level = static_cast<int>(std::floor(points / kPointsPerLevel)) + 1;
  return std::clamp(level, 1, kVisitLevels);
}

}  // namespace

void Fom::Com_Click(std::int16_t index) {
  // The buttons cannot be clicked in scene mode, while tired or under the title
  // stage; the core refuses such clicks as well, whoever sends them.
  if (InModal() || index < 0 || index > static_cast<int>(Command::Menu)) return;
  if (!controls.PicCom.visible || !controls.PicCom.enabled || controls.PicStt.visible) return;
  const auto command = static_cast<Command>(index);

  if (state.timeSlot == kSlotsPerDay && AddDays(1)) return;

  if (command == Command::Rest) {
    ShowMessage(QStringLiteral("\r\nたっぷりやすんだよ"));
    AddFatigue(kRestAmount);
  } else if (command == Command::Menu) {
    ShowMessage(QStringLiteral("\r\nなにをしようかな・・"));
    switch (const MenuChoice choice = ShowMenu()) {
      case MenuChoice::Save:
      case MenuChoice::Load:
        menu_save_Click(static_cast<std::int16_t>(choice));
        break;
      case MenuChoice::Love:
        menu_love_Click();
        break;
      case MenuChoice::None:
        break;
    }
  } else {
    const int fatigue = WholePart(ports_.random.Next(), kActivityFatigueDraw);
    if (AddFatigue(static_cast<std::int16_t>(fatigue))) return;
    if (command < Command::VisitYowa) {
      OpenScene(PlaceScene(index, state.timeSlot));
      // A scene that reached an ending before its first line has already reset the
      // game to the title; going on would spend a slot of the new game.
      if (controls.PicStt.visible) return;
    } else {
      const auto who = static_cast<Character>(index - static_cast<int>(Command::VisitYowa));
      std::int16_t& points = AffectionOf(state, who);
      const int level = VisitLevel(points);
      const int gain = WholePart(ports_.random.Next(), kGainDraw) + kGainBase;
      points = SaturatingAdd(points, gain);
      OpenScene(VisitScene(static_cast<int>(who), level));
      if (controls.PicStt.visible) return;  // as above, and no decay either
      for (std::int16_t& each : state.affection) {
        each = SaturatingAdd(each, -WholePart(ports_.random.Next(), kDecayDraw));
      }
    }
  }
  NextTimeSlot();
}

}  // namespace hibi
