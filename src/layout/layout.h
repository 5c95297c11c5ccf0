// The window's proportional layout as pure geometry, so it can be checked without
// a window. Sizes of the window and the screen are in twips (1440 an inch); the
// controls sit on a grid of 8 by 6 units laid over the window's inner area with a
// margin of 0.1 unit on every side, and the command panel has its own grid of one
// column and 11 rows. The Qt window maps units to pixels on its real inner area, so
// a window the platform refuses to resize is still laid out on the size it has.
#pragma once

#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace hibi {

// A rectangle on the desktop in twips.
struct TwipRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
};

// The window as the platform reports it, all in twips. Outer means frame and
// title bar included.
struct WindowMetrics {
  double outerWidth = 0;
  double outerHeight = 0;
  double screenWidth = 0;
  double screenHeight = 0;
  // False while maximised, full screen or minimised: the platform owns the size then,
  // so the layout neither sizes nor moves the window and works on the size it has.
  bool sizable = true;
  // The part of the screen left for windows, panels excluded; empty when the
  // platform does not say, and the window is then centred on the whole screen.
  TwipRect usable{};
};

// Where the window goes: its outer height and the frame's left and top, and its
// outer width, in twips.
struct Placement {
  double height = 0;
  double left = 0;
  double top = 0;
  double width = 0;
};

// The 8:6 shape and the centring. Nullopt when the window is not sizable or the
// height cannot be formed in 16 bits (a window wider than about 43690 twips): the
// window then keeps its size and place and the controls are laid out on that.
// A window that would not fit the usable area, frame and all, becomes the largest
// 8:6 one that does, so its title bar never leaves the screen; it is centred on
// the usable area.
std::optional<Placement> PlaceWindow(const WindowMetrics& window);

// A rectangle in grid units (left, top, width, height).
struct GridRect {
  double left, top, width, height;
};

inline constexpr GridRect kWindowGrid{-0.1, -0.1, 8.2, 6.2};
inline constexpr GridRect kLstIventRect{0, 0, 2, 4};
inline constexpr GridRect kPicSttRect = kWindowGrid;  // covers the whole inner area
inline constexpr GridRect kPicRect{0, 0, 6, 4};
inline constexpr GridRect kPicKaoRect{0, 4, 2, 2};
inline constexpr GridRect kLblRect{2, 4, 4, 2};
inline constexpr GridRect kShpKRect{0, 4, 6, 2};
inline constexpr GridRect kPicComRect{6.5, 0, 1.5, 6};
inline constexpr GridRect kPanelGrid{0, 0, 1, 11};

// Rows of the command panel: the three status labels, then the eight buttons.
inline constexpr int kLblDayRow = 0;
inline constexpr int kLblTimeRow = 1;
inline constexpr int kLblHirouRow = 2;
inline constexpr int kFirstCommandRow = 3;
GridRect PanelRow(int row);

// The day-limit box keeps its design size at the stage's top-left corner.
inline constexpr double kTxtDayWidthTwips = 1455;
inline constexpr double kTxtDayHeightTwips = 375;

// Under this outer height the layout leaves everything as it is.
inline constexpr double kMinLaidOutHeightTwips = 800;

struct Rgb {
  int red, green, blue;
};
inline constexpr Rgb kWindowBackground{255, 255, 255};
inline constexpr Rgb kWindowText{0, 0, 0};
inline constexpr Rgb kShpKOutline{255, 0, 255};
inline constexpr Rgb kLblDayText{255, 0, 255};
inline constexpr Rgb kLblTimeText{255, 0, 150};
inline constexpr Rgb kLblHirouText{0, 150, 255};

inline const QString kLblTooltip = QStringLiteral("右クリックで早送り");
inline const QString kLblTimeTooltip = QStringLiteral("現在の時間");
inline const QString kLblHirouTooltip = QStringLiteral("疲労度。100でぶったおれる。");
inline const QString kTxtDayTooltip = QStringLiteral("日々の上限");

// The days label names the limit the player typed; it changes only on a resize.
QString DayTooltip(std::int16_t dayLimit);

// One pass of the layout.
struct Layout {
  std::optional<Placement> placement;  // nullopt: size and place stay as they are
  // False when the window ends up under 800 twips high, or too tall for a 16-bit
  // font size: nothing but the placement changes.
  bool laidOut = false;
  std::int16_t fontUnit = 0;     // points: Lbl, TxtDay, LblTime, the buttons
  std::int16_t dayFontSize = 0;  // points: LblDay and LblHirou, twice fontUnit
  QString dayTooltip;
};

Layout ComputeLayout(const WindowMetrics& window, std::int16_t dayLimit);

// Twips in one device-independent pixel at the screen's logical resolution
// (15 at 96 dpi).
inline double TwipsPerPixel(double logicalDpi) {
  return 1440.0 / logicalDpi;
}

// A grid rectangle on an area of the given pixel size whose coordinate system is
// `grid`. Edges are rounded one by one, so neighbours meet without gaps.
QRect ToPixels(const GridRect& rect, const GridRect& grid, QSizeF area);

}  // namespace hibi
