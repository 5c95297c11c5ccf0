// Playing with the keyboard alone, added to the keys the game has (Enter and Space
// turn the text, Ctrl held fast-forwards, any key on the title shows or hides the
// day-limit box). On the title, where every plain key is the stage's, only these
// begin the game: Ctrl+Enter anywhere on it, and Enter in the day-limit box. Outside
// the title: G shows or hides the memory list (as a click on the picture does),
// whose pictures are chosen with the arrows and Enter or Space, and which Escape
// closes; V turns reading aloud on and off; Enter or Space presses the command
// that has the focus, and Tab and the arrows move between the commands. Nothing
// here acts while a box, the menu or the history is open.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QKeyEvent;
class QListWidget;

namespace hibi {

class Fom;
class QtWindow;
class ReadAloud;

class KeyboardPlay : public QObject {
 public:
  KeyboardPlay(QtWindow& window, Fom& fom, ReadAloud& readAloud);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool TitleKey(const QKeyEvent& key);
  bool GameKey(const QKeyEvent& key);
  bool ListKey(const QKeyEvent& key);
  void CloseList(const std::function<void(Fom&)>& handler);

  QtWindow& window_;
  Fom& fom_;
  ReadAloud& readAloud_;
  QListWidget* lstIvent_;
  // Where the focus was when G opened the list, given back when it closes.
  QPointer<QWidget> beforeList_;
};

}  // namespace hibi
