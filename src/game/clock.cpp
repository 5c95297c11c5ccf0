// The clock of days and time slots, and fatigue with its collapse and recovery.
// Fatigue and the day count are numbers in the game state, kept as their captions
// show them, so every rule reads what the player sees and what a save would hold.
#include "game/draw.h"
#include "game/fom.h"
#include "script/scene_names.h"
#include "storage/numbers.h"

namespace hibi {
namespace {

constexpr double kFatigueFloor = -100;
constexpr double kRecoveryEnd = 0;
constexpr int kRecoveryDraw = 30;

}  // namespace

void Fom::ShowFatigueAndDays() {
  controls.LblHirou.caption = NumberText(state.fatigue);
  controls.LblDay.caption = NumberText(state.days);
}

bool Fom::AddFatigue(std::int16_t amount) {
  state.fatigue = AsShown(state.fatigue + amount);
  if (state.fatigue <= kFatigueFloor) state.fatigue = kFatigueFloor;
  ShowFatigueAndDays();

  if (state.fatigue < kFatigueLimit || controls.TimHirou.enabled) return false;
  ShowMessage(QStringLiteral("\r\nなんかつかれちゃった。すこしやすもう"));
  controls.PicCom.enabled = false;
  controls.TimHirou.enabled = true;
  return true;
}

bool Fom::AddDays(std::int16_t count) {
  state.days = AsShown(state.days + count);
  ShowFatigueAndDays();

  if (state.days < static_cast<double>(state.dayLimit)) return false;
  OpenScene(kDayLimitScene);
  return true;
}

void Fom::NextTimeSlot() {
  state.timeSlot = static_cast<std::uint8_t>(state.timeSlot % kSlotsPerDay + 1);
  controls.LblTime.caption = state.timeSlotNames[state.timeSlot];
}

void Fom::TimHirou_Timer() {
  // A tick already queued when the timer was switched off must not act.
  if (InModal() || !controls.TimHirou.enabled) return;

  AddFatigue(static_cast<std::int16_t>(-WholePart(ports_.random.Next(), kRecoveryDraw)));
  if (AddDays(1)) {
    controls.TimHirou.enabled = false;
    return;
  }
  if (state.fatigue > kRecoveryEnd) return;
  controls.PicCom.enabled = true;
  controls.TimHirou.enabled = false;
  ShowMessage(QStringLiteral("\r\nつかれがとれたよ"));
}

}  // namespace hibi
