// Fake ports for driving the core without a window. They record what the player
// would have seen happen, in order, so tests can assert on it.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "audio/midi_device.h"
#include "game/ports.h"

namespace hibi::testing {

// Loads succeed exactly for files that exist on disk (tests make real files).
// Every call is logged as "clear Pic", "load E <path>", "draw E Pic" and so on.
class FakePictures : public Pictures {
 public:
  void Clear(PictureTarget target) override;
  bool Load(PictureBuffer buffer, const QString& path) override;
  void StretchDraw(PictureBuffer buffer, PictureTarget target) override;

  QStringList log;
  // The path last loaded successfully into each buffer; empty when none yet.
  QString loadedE, loadedEKao;
  // What each target shows: the path drawn on it, or empty when cleared.
  QString shownPicStt, shownPic, shownPicKao;

 private:
  QString& shown(PictureTarget target);
};

class FakeDialogs : public Dialogs {
 public:
  void MessageBox(const QString& text) override {
    boxes << text;
    if (whileOpen) whileOpen();
  }
  MenuChoice PopupMenu() override;

  QStringList boxes;  // every message box text, in order
  int menusShown = 0;
  std::deque<MenuChoice> menuAnswers;  // answered in order; None when empty
  // Runs while a box or the menu is open, as the event loop of a real modal would
  // deliver timer ticks and clicks.
  std::function<void()> whileOpen;
};

// Answers from a script of fractions, then 0.5 for ever.
class ScriptedRandom : public Random {
 public:
  void SeedFromClock() override { ++seeds; }
  float Next() override;

  std::deque<float> script;
  int seeds = 0, draws = 0;
};

class FakeShell : public Shell {
 public:
  QString ProgramFolder() override { return programFolder; }
  double ScreenWidthTwips() override { return screenWidthTwips; }
  void SetWindowWidthTwips(double twips) override {
    windowWidths.push_back(twips);
    metrics.outerWidth = twips;
    if (whenWidthSet) whenWidthSet();
  }
  void SelectDayLimitText() override { ++dayLimitSelections; }
  WindowMetrics WindowMetricsTwips() override { return metrics; }
  // Like a window the platform lets resize: a placement takes effect at once.
  void ApplyLayout(const Layout& layout) override {
    layouts.push_back(layout);
    if (layout.placement) metrics.outerHeight = layout.placement->height;
  }

  QString programFolder;
  double screenWidthTwips = 19200;
  std::vector<double> windowWidths;
  // Runs at every width change, so a test can see what start-up had done by then.
  std::function<void()> whenWidthSet;
  // A 96 dpi screen of 1280 x 960 pixels with the window at its start-up width.
  WindowMetrics metrics{13440, 10080, 19200, 14400};
  std::vector<Layout> layouts;
  int dayLimitSelections = 0;
};

// A device whose mode the test sets; logs every operation.
class FakeMidi : public MidiDevice {
 public:
  void Close() override;
  void Open(const QString& path) override;
  void Play() override { log << "play"; }
  bool Status(char* reply, int capacity) override;
  void Rewind() override { log << "rewind"; }
  void PlayFromStart() override { log << "play from start"; }
  void SetVolume(double v) override { volume = v; }
  void SetNotice(std::function<void()> f) override { notice = std::move(f); }
  bool HasTune() const override { return open; }

  QStringList log;
  double volume = 1;  // kept apart from the log: the watchdog's tests read that
  std::function<void()> notice;
  bool open = false;
  QByteArray mode = "stopped";
};

}  // namespace hibi::testing
