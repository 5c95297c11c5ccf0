// The key help (F1): every key and mouse action, over the game. F1, Escape or a
// click closes it; the game waits meanwhile, and the picture beneath is as it was.
#pragma once

#include <QLabel>
#include <functional>

namespace hibi {

class KeyHelp : public QLabel {
 public:
  // `close` runs when the player clicks the help away.
  KeyHelp(QWidget& window, std::function<void()> close);
  // Lies over `area` of the window.
  void Place(const QRect& area);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<void()> close_;
};

// The rows of the help: what to press, where, and what it does.
struct KeyHelpRow {
  const char* keys;
  const char* where;
  const char* does;
};
extern const KeyHelpRow kKeyHelpRows[];
extern const int kKeyHelpRowCount;

}  // namespace hibi
