// The clock of days and time slots, and fatigue with its collapse and recovery.
// Fatigue and the day count have no variables: the captions of LblHirou and LblDay
// are their store, read back at every use, as the save file copies them verbatim.
//
// A caption that is not a number can only come from an edited save. Then the
// routine that meets it changes nothing and reports false (no collapse, no ending),
// so the game keeps running instead of stopping on a bad file.
#include <optional>

#include "game/draw.h"
#include "game/fom.h"
#include "storage/numbers.h"

namespace hibi {
namespace {

constexpr double kFatigueLimit = 100;
constexpr double kFatigueFloor = -100;
constexpr double kRecoveryEnd = 0;
constexpr int kSlotsPerDay = 7;
constexpr int kRecoveryDraw = 30;

std::optional<double> Read(const LabelControl& label) {
  return ParseNumber(label.caption);
}

}  // namespace

bool Fom::AddFatigue(std::int16_t amount) {
  const std::optional<double> before = Read(controls.LblHirou);
  if (!before) return false;
  controls.LblHirou.caption = NumberText(*before + amount);

  if (const auto now = Read(controls.LblHirou); now && *now <= kFatigueFloor) {
    controls.LblHirou.caption = NumberText(kFatigueFloor);
  }

  const std::optional<double> fatigue = Read(controls.LblHirou);
  if (!fatigue || *fatigue < kFatigueLimit || controls.TimHirou.enabled) return false;
  ShowMessage(QStringLiteral("\r\nなんかつかれちゃった。すこしやすもう"));
  controls.PicCom.enabled = false;
  controls.TimHirou.enabled = true;
  return true;
}

bool Fom::AddDays(std::int16_t count) {
  const std::optional<double> before = Read(controls.LblDay);
  if (!before) return false;
  controls.LblDay.caption = NumberText(*before + count);

  const std::optional<double> days = Read(controls.LblDay);
  if (!days || *days < static_cast<double>(state.dayLimit)) return false;
  OpenScene(QStringLiteral("end"));
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
  // Without a readable fatigue the recovery could never end and the panel would stay
  // locked, so an unreadable caption ends it too.
  const std::optional<double> fatigue = Read(controls.LblHirou);
  if (fatigue && *fatigue > kRecoveryEnd) return;
  controls.PicCom.enabled = true;
  controls.TimHirou.enabled = false;
  ShowMessage(QStringLiteral("\r\nつかれがとれたよ"));
}

}  // namespace hibi
