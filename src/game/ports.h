// The outside world as the game core sees it. The Qt window, FluidSynth and the
// real clock implement these; tests pass fakes. Nothing here may block except the
// modal dialogs, which run the event loop while they are open.
#pragma once

#include <QString>
#include <cstdint>

#include "layout/layout.h"

namespace hibi {

// The three on-screen boxes that pictures are drawn on, and the two hidden
// buffers that picture files are loaded into (E is shared by backgrounds and
// event pictures, EKao holds faces).
enum class PictureTarget { PicStt, Pic, PicKao };
enum class PictureBuffer { E, EKao };

class Pictures {
 public:
  virtual ~Pictures() = default;
  // Everything drawn on the target disappears; it shows its background colour.
  virtual void Clear(PictureTarget target) = 0;
  // Loads the file into the buffer, replacing its picture. On any failure (missing,
  // not a picture, truncated, too large) returns false and the buffer keeps its
  // previous picture.
  virtual bool Load(PictureBuffer buffer, const QString& path) = 0;
  // Stretches the buffer's whole picture over the target's whole inner area,
  // ignoring the aspect ratio. A buffer that never loaded a picture draws nothing.
  // What is drawn stays until the target is cleared.
  virtual void StretchDraw(PictureBuffer buffer, PictureTarget target) = 0;
};

// The pop-up menu of command button 7. SAVE and LOAD are the control array
// menu_save, and their values are its indexes, as menu_save_Click receives them.
enum class MenuChoice : std::int16_t { Save = 0, Load = 1, Love, None };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal box with one OK button, no icon, and the application's title.
  virtual void MessageBox(const QString& text) = 0;
  // Shows the menu "SAVE", "LOAD", a separator, "LOVE?" at the mouse position and
  // returns when the player has chosen an item or dismissed the menu.
  virtual MenuChoice PopupMenu() = 0;
};

// The program's one uniform generator of single-precision fractions in [0, 1).
class Random {
 public:
  virtual ~Random() = default;
  // The one seeding of a run, at start-up.
  virtual void SeedFromClock() = 0;
  virtual float Next() = 0;
};

// The window frame and the platform around it.
class Shell {
 public:
  virtual ~Shell() = default;
  // The folder of the executable, with or without a final separator.
  virtual QString ProgramFolder() = 0;
  virtual double ScreenWidthTwips() = 0;
  // Sets the window's outer width; the layout follows from the size change.
  virtual void SetWindowWidthTwips(double twips) = 0;
  // Puts the keyboard focus into the day-limit box with its whole text selected.
  virtual void SelectDayLimitText() = 0;
  // The window's outer size and the screen's size, in twips.
  virtual WindowMetrics WindowMetricsTwips() = 0;
  // Puts the window where the layout says and lays the controls out on its inner
  // area, before the layout's pictures are redrawn at their new sizes.
  virtual void ApplyLayout(const Layout& layout) = 0;
};

}  // namespace hibi
