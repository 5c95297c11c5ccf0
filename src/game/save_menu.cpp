// SAVE and LOAD of the command menu: the one save slot sys/all.dat.
#include "game/fom.h"
#include "storage/save_file.h"
#include "storage/text_file.h"
#include "storage/write_failure.h"

namespace hibi {

namespace {

QString FailureText(const QString& firstLine, const QString& settingsFolder,
                    FileProblem problem = FileProblem::Failed) {
  // A full disk or a file the player may not write is said as it is: the save is
  // not damaged, and sending it to the author would not help.
  const QString reason = WriteFailureReason(problem, QStringLiteral("セーブデーター"));
  if (!reason.isEmpty())
    return firstLine + QStringLiteral("\r\n") + reason + QStringLiteral("\r\n") + settingsFolder +
           kSaveFileName;
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
    const FileProblem problem = WriteGameLines(state.folders.programFolder, path, FormatSave(data));
    if (problem == FileProblem::None) {
      ShowBox(QStringLiteral("SAVE　OK"));
    } else {
      ShowBox(FailureText(QStringLiteral("SAVE ERROR!"), settingsFolder, problem));
    }
    return;
  }

  if (item != MenuChoice::Load) return;
  // The whole file is checked before anything is applied: a damaged save must never
  // leave half of one game mixed into another.
  // Only the lines the save holds are read; whatever follows them is not the game's.
  const std::optional<QStringList> lines =
      ReadFirstLines(state.folders.programFolder, path, kSaveFileLines, kSaveFileBytes);
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
