#include "layout/layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hibi {
namespace {

constexpr double kInt16Max = std::numeric_limits<std::int16_t>::max();
constexpr double kInt16Min = std::numeric_limits<std::int16_t>::min();

bool FitsInt16(double value) {
  return value >= kInt16Min && value <= kInt16Max;
}

}  // namespace

std::optional<Placement> PlaceWindow(const WindowMetrics& window) {
  if (!window.sizable) return std::nullopt;
  // The eighth is rounded before it is multiplied, with halves going to the even
  // neighbour, so 10380 twips (an eighth of 1297.5) give 1298 * 6.
  double eighth = std::nearbyint(static_cast<float>(window.outerWidth) / 8.0f);
  double width = window.outerWidth;
  const TwipRect& usable = window.usable;
  const bool known = usable.width > 0 && usable.height > 0;
  if (known) {
    // Whole eighths, rounded down: the pixels they come to never pass the edge.
    const double largest = std::floor(std::min(usable.width / 8, usable.height / 6));
    if (eighth > largest) {
      eighth = largest;
      width = largest * 8;
    }
  }
  if (!FitsInt16(eighth)) return std::nullopt;
  const double height = eighth * 6;
  if (!FitsInt16(height)) return std::nullopt;
  // Centring works in single precision on the size just formed.
  const TwipRect area = known ? usable : TwipRect{0, 0, window.screenWidth, window.screenHeight};
  const float left = static_cast<float>(area.left) +
                     (static_cast<float>(area.width) - static_cast<float>(width)) / 2.0f;
  const float top = static_cast<float>(area.top) +
                    (static_cast<float>(area.height) - static_cast<float>(height)) / 2.0f;
  return Placement{height, left, top, width};
}

GridRect PanelRow(int row) {
  return {0, static_cast<double>(row), 1, 1};
}

QString DayTooltip(std::int16_t dayLimit) {
  return QStringLiteral("経過日数。") + QString::number(dayLimit) +
         QStringLiteral("でエンディング。");
}

Layout ComputeLayout(const WindowMetrics& window, std::int16_t dayLimit) {
  Layout layout;
  layout.placement = PlaceWindow(window);
  const double height = layout.placement ? layout.placement->height : window.outerHeight;
  if (!(height >= kMinLaidOutHeightTwips)) return layout;
  const double unit = std::floor(static_cast<float>(height) / 100.0f / 10.0f) + 2;
  // Only an absurdly tall window gets here; it keeps its previous fonts instead of
  // retrying the pass for ever.
  if (!FitsInt16(unit) || !FitsInt16(unit * 2)) return layout;
  layout.laidOut = true;
  layout.fontUnit = static_cast<std::int16_t>(unit);
  layout.dayFontSize = static_cast<std::int16_t>(unit * 2);
  layout.dayTooltip = DayTooltip(dayLimit);
  return layout;
}

QRect ToPixels(const GridRect& rect, const GridRect& grid, QSizeF area) {
  const double sx = area.width() / grid.width;
  const double sy = area.height() / grid.height;
  const int left = static_cast<int>(std::lround((rect.left - grid.left) * sx));
  const int top = static_cast<int>(std::lround((rect.top - grid.top) * sy));
  const int right = static_cast<int>(std::lround((rect.left + rect.width - grid.left) * sx));
  const int bottom = static_cast<int>(std::lround((rect.top + rect.height - grid.top) * sy));
  return QRect(left, top, right - left, bottom - top);
}

}  // namespace hibi
