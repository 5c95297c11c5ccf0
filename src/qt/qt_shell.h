// The shell port: the program's folder, the screen, and the window's frame.
#pragma once

#include "game/ports.h"

namespace hibi {

class QtWindow;

class QtShell : public Shell {
 public:
  QtShell(QtWindow& window, QString programFolder)
      : window_(window), programFolder_(std::move(programFolder)) {}

  QString ProgramFolder() override { return programFolder_; }
  double ScreenWidthTwips() override;
  void SetWindowWidthTwips(double twips) override;
  void SelectDayLimitText() override;
  WindowMetrics WindowMetricsTwips() override;
  void ApplyLayout(const Layout& layout) override;

 private:
  QtWindow& window_;
  QString programFolder_;
};

}  // namespace hibi
