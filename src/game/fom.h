// Fom, the game's one window as the core sees it: the game state, the model of the
// controls, every event handler and the private routines they call. The Qt window
// forwards each widget event to the handler of the same name and then re-renders
// from `controls`. Handlers never throw; a broken game file gets a message box or
// a silent fallback, as each handler says.
//
// Each handler lives in the file of game/ named after its concern: lifecycle,
// resize, scene, interpreter, pacing, message, clock, commands, readout, save_menu,
// pictures and music.
//
// The handlers keep the window's own names, romanised Japanese after a control
// prefix (Lbl label, Pic picture box, Lst list, Tim timer, Txt text box, Com command
// button, Shp shape, menu menu item):
//   Hirou  fatigue              Kao    the speaker's face
//   Stt    the title stage      Ivent  memories: the remembered event pictures
//   Com    the command buttons  Say    the message text and its pacing
//   E      the picture buffer   Bgm    the background tune
//   tugi   "next": the end of a scene script
// Inside, the handlers speak of Command, Character and MenuChoice instead of
// button, character and menu indexes.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "game/controls.h"
#include "game/game_state.h"
#include "game/history.h"
#include "game/music.h"
#include "game/ports.h"
#include "game/reader.h"
#include "storage/memory_list.h"
#include "storage/read_lines.h"

namespace hibi {

// Visual Basic style key codes, as the key handlers receive them.
enum KeyCode : std::int16_t { kKeyReturn = 13, kKeyControl = 17, kKeySpace = 32 };
// Far more lines than a story runs before it shows one: a step longer than this
// goes on in slices of this many lines, with the window answering between them.
inline constexpr int kStepSliceLines = 10000;
// Mouse buttons as the press handlers receive them.
enum MouseButton : std::int16_t { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

class Fom {
 public:
  struct Ports {
    Pictures& pictures;
    Dialogs& dialogs;
    Random& random;
    Shell& shell;
    Music& music;
  };

  explicit Fom(Ports ports);
  Fom(const Fom&) = delete;
  Fom& operator=(const Fom&) = delete;

  GameState state;
  Controls controls;
  History history;
  // Set through SetReaderOptions, which applies a new speed at once.
  ReaderOptions reader;
  // The lines shown in any run; the window points it at the player's file.
  ReadLines readLines;

  // --- Lifecycle ----------------------------------------------------------------
  // Start-up. Throws SettingsError (storage/settings.h) when sys/sys.dat cannot be
  // used; nothing has been written and no tune opened by then.
  void Form_Load();
  // Resets to a new game with the title stage showing.
  void Form_Activate();
  // Shutdown: closes the script, writes the memory list, closes the tune. Runs even
  // while a box is open, so the memories of the run are never lost.
  void Form_Unload();

  // The window's size changed (also when it is first shown): keeps it 8:6 and
  // centred, lays the controls out through the shell, then redraws the title (while
  // the stage shows), the event picture and the shown face at their new sizes.
  void Form_Resize();

  // --- Message window and pacing -------------------------------------------------
  void TimSay_Timer();
  // Only the button matters to the game: not the modifiers, not where the press was.
  void Lbl_MouseDown(std::int16_t button);
  void Lbl_Click();
  void Form_MouseDown(std::int16_t button);
  void Form_Click();
  // Keys on the window outside the title stage: Enter and Space act as a left click
  // on the message area, Ctrl as a right click. Other keys do nothing. The window
  // sends Ctrl only when it is held on its own, never as part of a shortcut.
  void Form_KeyDown(std::int16_t keyCode);
  // Letting go of Ctrl ends the fast-forward it started, as a left press would.
  void Form_KeyUp(std::int16_t keyCode);
  void Pic_Click();
  void PicStt_Click();
  void PicStt_KeyDown(std::int16_t keyCode);

  // --- Day life --------------------------------------------------------------------
  void TimHirou_Timer();
  void Com_Click(std::int16_t index);
  void menu_love_Click();
  // Reads controls.LstIvent.listIndex, which the window sets before calling.
  void LstIvent_Click();
  void menu_save_Click(std::int16_t index);

  // --- Music -------------------------------------------------------------------------
  void BgmTim_Timer();

  // --- The window's routines --------------------------------------------------------
  void OpenScene(const QString& name);
  void StepScript();
  void ShowMessage(const QString& text);
  void CloseScene();
  // Writes the captions of LblHirou and LblDay from state.fatigue and state.days;
  // the one writer of both.
  void ShowFatigueAndDays();
  bool AddFatigue(std::int16_t amount);
  bool AddDays(std::int16_t count);
  void NextTimeSlot();
  void ShowBackground(const QString& name);
  void ShowEventPicture(const QString& name);
  void ShowFace(const QString& name);

  // The history over the message area: opens only in a scene or at the command
  // panel, when nothing else is open; returns whether it opened.
  bool OpenHistory();
  void CloseHistory();

  // A step that met more than kStepSliceLines lines without showing one returns
  // unfinished, so the window can answer the player meanwhile; the window
  // then calls ContinueStep from its event loop until the step is done. A tick or a
  // click meanwhile goes on with the same step.
  bool StepUnfinished() const { return stepUnfinished_; }
  void ContinueStep();

  // True while a message box or the pop-up menu opened by a handler is open, or the
  // history. The handlers above (all but Form_Resize, BgmTim_Timer and Form_Unload)
  // then do nothing: a timer tick delivered by the modal's event loop must not stack
  // a second box or step a closed script, and the game waits while the player reads.
  bool InModal() const { return modalDepth_ > 0 || history.IsOpen() || overlayOpen_; }
  // A scene is on show and may go on: not the title, not the command panel, nothing
  // open and the message window not put aside.
  bool InScene() const;

  // --- The reader's controls (reader.cpp) -------------------------------------------
  void SetReaderOptions(const ReaderOptions& options);
  // Auto-advance turns pages by itself until a left click, the command panel or a
  // box; it is switched only in a scene. Returns whether it was switched.
  bool ToggleAutoAdvance();
  bool AutoAdvancing() const { return autoAdvance_; }
  // While the game waits at a page end with auto-advance on: how long to wait
  // before turning the page, growing with the page's length.
  std::optional<int> AutoAdvanceDue() const;
  // The wait is over: the page turns as on a click, unless the game stopped waiting.
  void AutoAdvance_Timer();
  // Puts the message, the face and the memory list aside in a scene, to show the
  // whole picture; the game waits until they are shown again exactly as they were.
  bool HideMessageWindow();
  void ShowMessageWindow();
  bool MessageWindowHidden() const { return hidden_.has_value(); }
  // The key help or the settings window over the game: it waits as for a box.
  void SetOverlayOpen(bool open) { overlayOpen_ = open; }
  // A shown line of the open scene: remembered as read, and the first new line
  // ends a held Ctrl's skip over read lines.
  void NoteLineShown(const QString& line);

 private:
  // Every dialog goes through these, so InModal() is always right.
  void ShowBox(const QString& text);
  MenuChoice ShowMenu();
  // The damaged-file box of a scene's script.
  void ReportDamagedScript(const QString& name);
  // ShowEventPicture in two halves: the memory list takes a name as it comes; the
  // drawing, of a run of names at the cost of one, leaves the layer and the buffer
  // as drawing each in turn would.
  void RememberPicture(const QString& name);
  void DrawEventPictures(const QStringList& names);

  Ports ports_;
  int modalDepth_ = 0;
  // Scenes opened inside one another before any of them showed a line (">ive" and
  // endings open the next scene from within a step).
  int sceneNesting_ = 0;
  // lstphoto.dat was there at start-up but could not be read; shutdown keeps it.
  bool memoryFileUnread_ = false;
  // What start-up left of lstphoto.dat unread, for the shutdown to keep.
  UnreadMemories unreadMemories_;
  // The names of the memory list's first indexedMemories_ items.
  QSet<QString> memoryIndex_;
  qsizetype indexedMemories_ = 0;
  bool stepUnfinished_ = false;
  QString openScene_;   // the scene whose script is open, for its box
  int lineNumber_ = 0;  // of the line of openScene_ the interpreter took last

  // One step, or in the whole-page speed every step up to the page end.
  void Advance();
  struct HiddenControls {
    bool lbl, shpK, picKao, lstIvent;
  };
  std::optional<HiddenControls> hidden_;
  bool autoAdvance_ = false;
  bool ctrlSkip_ = false;  // the fast-forward is a held Ctrl's over read lines
  bool overlayOpen_ = false;
};

}  // namespace hibi
