// A real game folder in a temporary directory, and the core wired to fake ports
// on top of it: the starting point of most core tests.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "game/fom.h"
#include "game/music.h"
#include "support/fakes.h"

namespace hibi::testing {

// A game folder with sys/sys.dat (".txt", ".png", two unused lines) and empty
// txt/, img/ and face/ folders.
class TempGame {
 public:
  TempGame();
  // The folder, ending in "/".
  QString folder() const;
  QString path(const QString& relative) const { return folder() + relative; }
  // A scene script in CP932 with CR LF after every line.
  void WriteScript(const QString& scene, const QStringList& lines, const QString& suffix = ".txt");
  void WriteRaw(const QString& relative, const QByteArray& bytes);
  QByteArray ReadRaw(const QString& relative) const;
  bool Exists(const QString& relative) const;
  // A file standing for a picture: the fake picture port only asks whether it exists.
  void TouchPicture(const QString& relative);

 private:
  QTemporaryDir dir_;
};

// Input as the window hands it to the handlers. Tests reach the handlers only through
// these, so a change of a handler's parameters touches one place.
void Press(Fom& fom, std::int16_t button);        // a mouse press on the message label
void PressWindow(Fom& fom, std::int16_t button);  // the same on the window's background
void Key(Fom& fom, std::int16_t key);             // a key on the window
// Fatigue and days as a save or the clock leaves them; tests read them back from the
// captions of the command panel, as the player does.
void SetFatigue(Fom& fom, int fatigue);
void SetDays(Fom& fom, int days);

struct Harness {
  Harness() { shell.programFolder = game.folder(); }

  TempGame game;
  FakePictures pictures;
  FakeDialogs dialogs;
  ScriptedRandom random;
  FakeShell shell;
  FakeMidi midi;
  Music music{midi};
  Fom fom{{pictures, dialogs, random, shell, music}};

  // Form_Load and the first show's Form_Activate, as the window does.
  void Start();
  // Title click with the given day limit text: starts "opn".
  void StartGame(const QString& dayLimit = "10");
  // Left-clicks the message area until the scene is over (command mode or title),
  // at most `maxClicks` times; returns the number of clicks.
  int ClickThroughScene(int maxClicks = 10000);
  bool InCommandMode() const { return fom.controls.PicCom.visible && !fom.controls.PicStt.visible; }
};

}  // namespace hibi::testing
