#include "qt/qt_shell.h"

#include "qt/qt_window.h"

namespace hibi {

double QtShell::ScreenWidthTwips() {
  return window_.MetricsTwips().screenWidth;
}

void QtShell::SetWindowWidthTwips(double twips) {
  window_.SetOuterWidthTwips(twips);
}

void QtShell::SelectDayLimitText() {
  window_.SelectDayLimitText();
}

WindowMetrics QtShell::WindowMetricsTwips() {
  return window_.MetricsTwips();
}

void QtShell::ApplyLayout(const Layout& layout) {
  window_.ApplyLayout(layout);
}

}  // namespace hibi
