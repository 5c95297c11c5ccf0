// Start-up, a new game, and shutdown.
#include <array>

#include "game/fom.h"
#include "storage/game_names.h"
#include "storage/memory_list.h"
#include "storage/settings.h"

namespace hibi {
namespace {

const std::array<QString, 8> kTimeSlotNames = {QString(),
                                               QStringLiteral("早朝"),
                                               QStringLiteral("朝"),
                                               QStringLiteral("午前"),
                                               QStringLiteral("午後"),
                                               QStringLiteral("夕方"),
                                               QStringLiteral("夜"),
                                               QStringLiteral("深夜")};

}  // namespace

void Fom::Form_Load() {
  if (InModal()) return;
  const Folders folders = MakeFolders(ports_.shell.ProgramFolder());
  state.programFolder = folders.programFolder;
  state.pictureFolder = folders.pictureFolder;
  state.faceFolder = folders.faceFolder;
  state.scriptFolder = folders.scriptFolder;
  state.settingsFolder = folders.settingsFolder;

  // Throws before anything is opened or written: without its settings the game
  // cannot run, and the window reports it.
  const Settings settings = ReadSettings(state.settingsFolder);
  state.scriptSuffix = settings.scriptSuffix;
  state.pictureSuffix = settings.pictureSuffix;

  ports_.music.OpenMusic(
      GameFile(state.programFolder, state.programFolder + QStringLiteral("bgm.mid")));
  ports_.music.bgmEnabled = true;
  ports_.music.PlayMusic();

  ports_.random.SeedFromClock();

  controls.LstIvent.items = QStringList{kMemoryHeading};
  ReadMemoryList(GameFile(state.programFolder, state.settingsFolder + kMemoryListFileName),
                 controls.LstIvent.items);

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
  controls.LblHirou.caption = QStringLiteral("0");
  controls.LblDay.caption = QStringLiteral("0");
  AddFatigue(0);
  controls.LblTime.caption = state.timeSlotNames[1];
  controls.PicCom.enabled = true;
  controls.TimSay.enabled = false;
  controls.TimHirou.enabled = false;
  controls.PicStt.visible = true;
}

// Runs even with a box open: the window is going away either way, and skipping this
// would lose every memory seen in this run.
void Fom::Form_Unload() {
  state.scriptFile.reset();

  // Before start-up got as far as the memory list there is nothing to keep, and no
  // settings folder to write into.
  if (!controls.LstIvent.items.isEmpty()) {
    const QStringList memories = controls.LstIvent.items.mid(1);
    const QString path =
        GameFileToWrite(state.programFolder, state.settingsFolder + kMemoryListFileName);
    if (!WriteMemoryList(path, memories)) {
      ShowBox(MemoryListErrorMessage(state.settingsFolder));
    }
  }
  ports_.music.CloseMusic();
}

}  // namespace hibi
