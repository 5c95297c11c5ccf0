// The window as a screen reader meets it. Every control says what it is: the title
// stage names the game and how to begin, the status labels their meaning and value
// ("疲労度 15"), the event picture which picture it shows, the face who speaks.
// Every line the message area shows is sent once, as text inserted into the message
// area, the line alone (read aloud too when the player asked for it). The focus
// follows the game: the message area in a scene, the first command at the panel.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <functional>

class QAccessibleEvent;
class QLabel;
class QWidget;

namespace hibi {

class Fom;
class QtPictures;
class QtWindow;
class ReadAloud;

// The event picture's name for a screen reader: the text on the first line of
// NAME.txt beside the picture file, when there is one, else NAME, the file's name
// without the game's picture suffix. Only the first kMostTitleBytes of the text
// file are read; characters that are no text are dropped.
inline constexpr std::size_t kMostTitleBytes = 1024;
QString PictureTitle(const QString& gameFolder, const QString& file, const QString& suffix);

class ScreenReader : public QObject {
 public:
  ScreenReader(QtWindow& window, Fom& fom, const QtPictures& pictures, const QString& title,
               ReadAloud& readAloud);

  // After every re-render of the window.
  void Update();
  // Where the events go: Qt's accessibility, which hands them to the desktop's screen
  // reader, unless a listener is put in its place.
  using Send = std::function<void(QAccessibleEvent&)>;
  void SetSend(Send send) { send_ = std::move(send); }

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Mode { kTitle, kScene, kCommands };
  void Name(QWidget* widget, const QString& name);
  void SendLines();
  void FollowMode();

  QtWindow& window_;
  Fom& fom_;
  const QtPictures& pictures_;
  ReadAloud& readAloud_;
  QLabel* lbl_;
  std::array<QLabel*, 3> status_;
  QWidget* pic_;
  QWidget* picKao_;
  QWidget* picCom_;
  QString caption_;  // the message as last sent
  QString picFile_;
  QString kaoFile_;
  Mode mode_ = Mode::kTitle;
  Send send_;
};

}  // namespace hibi
