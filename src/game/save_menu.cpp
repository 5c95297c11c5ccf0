// SAVE and LOAD of the command menu: the one save slot sys/all.dat.
#include "game/fom.h"
#include "storage/game_names.h"
#include "storage/save_file.h"
#include "storage/text_file.h"

namespace hibi {

namespace {

QString FailureText(const QString& firstLine, const QString& settingsFolder) {
  return firstLine + QStringLiteral("\r\nセーブデーターが破損しています。\r\n") + settingsFolder +
         kSaveFileName + QStringLiteral("　を、すゆまで送って下さい");
}

}  // namespace

void Fom::menu_save_Click(std::int16_t index) {
  if (InModal()) return;
  const QString& settingsFolder = state.folders.settingsFolder;
  const QString path = settingsFolder + kSaveFileName;
  const auto item = static_cast<MenuChoice>(index);

  if (item == MenuChoice::Save) {
    SaveData data;
    data.affection = state.affection;
    data.dayLimit = state.dayLimit;
    data.timeSlot = state.timeSlot;
    data.fatigue = state.fatigue;
    data.days = state.days;
    // A failed write keeps the previous save whole, so the player loses at most this one.
    if (WriteLinesAtomically(GameFileToWrite(state.folders.programFolder, path),
                             FormatSave(data))) {
      ShowBox(QStringLiteral("SAVE　OK"));
    } else {
      ShowBox(FailureText(QStringLiteral("SAVE ERROR!"), settingsFolder));
    }
    return;
  }

  if (item != MenuChoice::Load) return;
  // The whole file is checked before anything is applied: a damaged save must never
  // leave half of one game mixed into another.
  // Only the lines the save holds are read; whatever follows them is not the game's.
  const std::optional<QStringList> lines =
      ReadFirstLines(GameFile(state.folders.programFolder, path), kSaveFileLines, kSaveFileBytes);
  const std::optional<SaveData> data = lines ? ParseSave(*lines) : std::nullopt;
  if (!data) {
    ShowBox(FailureText(QStringLiteral("LOAD ERROR!"), settingsFolder));
    return;
  }
  state.affection = data->affection;
  state.dayLimit = data->dayLimit;
  state.timeSlot = data->timeSlot;
  state.fatigue = data->fatigue;
  state.days = data->days;
  AddFatigue(0);
  const bool endingOpened = AddDays(0);
  controls.LblTime.caption = state.timeSlotNames[state.timeSlot];
  // A save already at its day limit opens the ending here; the command panel must
  // then stay away, or the ending would sit stopped behind it and never play. A
  // recovery started by a tired save ends with it, as it does when recovery itself
  // reaches the limit: its next tick would open the ending a second time.
  if (endingOpened) {
    controls.TimHirou.enabled = false;
  } else {
    CloseScene();
  }
  ShowBox(QStringLiteral("Load　OK"));
}

}  // namespace hibi
