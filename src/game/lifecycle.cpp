// Start-up, a new game, and shutdown.
#include "game/fom.h"
#include "storage/game_names.h"
#include "storage/memory_list.h"
#include "storage/settings.h"
#include "storage/write_failure.h"

namespace hibi {
void Fom::Form_Load() {
  if (InModal()) return;
  state.folders = MakeFolders(ports_.shell.ProgramFolder());
  const Folders& folders = state.folders;

  // Throws before anything is opened or written: without its settings the game
  // cannot run, and the window reports it.
  state.settings = ReadSettings(folders.settingsFolder);

  ports_.music.OpenMusic(
      GameFile(folders.programFolder, folders.programFolder + QStringLiteral("bgm.mid")));
  ports_.music.bgmEnabled = true;
  ports_.music.PlayMusic();

  ports_.random.SeedFromClock();

  controls.LstIvent.items = QStringList{kMemoryHeading};
  memoryFileUnread_ =
      !ReadMemoryList(folders.programFolder, folders.settingsFolder + kMemoryListFileName,
                      controls.LstIvent.items, &unreadMemories_);

  state.timeSlotNames = kTimeSlotNames;

  // Single precision, as the window's width has always been worked out.
  const float width = static_cast<float>(ports_.shell.ScreenWidthTwips()) / 10.0f * 7.0f;
  ports_.shell.SetWindowWidthTwips(width);

  Form_Activate();
}

void Fom::Form_Activate() {
  if (InModal()) return;
  state.affection.fill(0);
  state.timeSlot = 1;
  state.fatigue = 0;
  state.days = 0;
  AddFatigue(0);
  controls.LblTime.caption = state.timeSlotNames[1];
  controls.PicCom.enabled = true;
  controls.TimSay.enabled = false;
  controls.TimHirou.enabled = false;
  controls.PicStt.visible = true;
  autoAdvance_ = false;
}

// Runs even with a box open: the window is going away either way, and skipping this
// would lose every memory seen in this run.
void Fom::Form_Unload() {
  state.scriptFile.reset();
  readLines.Save();

  // Before start-up got as far as the memory list there is nothing to keep, and no
  // settings folder to write into. A file that was there but could not be read
  // holds memories this run never saw: writing over it would wipe them. One read only
  // in part (past a bound, or up to a damaged line) gets its unread rest back after
  // the list, byte for byte.
  if (!controls.LstIvent.items.isEmpty()) {
    const QStringList memories = controls.LstIvent.items.mid(1);
    const Folders& folders = state.folders;
    const QString path = folders.settingsFolder + kMemoryListFileName;
    FileProblem problem = memoryFileUnread_ ? FileProblem::Failed
                                            : WriteMemoryList(folders.programFolder, path, memories,
                                                              &unreadMemories_);
    // A list that leads out of the game folder was not read and may not be written.
    if (memoryFileUnread_ &&
        ResolveGameFileToWrite(folders.programFolder, path).problem == FileProblem::Refused)
      problem = FileProblem::Refused;
    if (problem != FileProblem::None) {
      const QString reason = WriteFailureReason(problem, QStringLiteral("リストデーター"));
      ShowBox(reason.isEmpty() ? MemoryListErrorMessage(folders.settingsFolder)
                               : reason + QStringLiteral("\r\n") + path);
    }
  }
  ports_.music.CloseMusic();
}

}  // namespace hibi
