#include "qt/qt_accessibility.h"

#include <QAccessible>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "game/fom.h"
#include "qt/qt_accessible_widgets.h"
#include "qt/qt_pictures.h"
#include "qt/qt_speech.h"
#include "qt/qt_window.h"
#include "storage/game_names.h"
#include "storage/text_file.h"

namespace hibi {
namespace {

constexpr qsizetype kMostNameCharacters = 200;
const QString kBeginHint =
    QStringLiteral("。Ctrl+Enterではじめる。ほかのキーで日数の上限の欄を出し入れ");
const QString kStatusMeaning[] = {QStringLiteral("経過日数 "), QStringLiteral("時間 "),
                                  QStringLiteral("疲労度 ")};
const char* const kStatusLabels[] = {"LblDay", "LblTime", "LblHirou"};

// A name from a stranger's file: no control characters, no broken bytes, not long.
QString Printable(const QString& text) {
  QString clean;
  for (const QChar c : text) {
    if (c.isSurrogate() || c.category() == QChar::Other_Control ||
        c.category() == QChar::Other_Format || c == QChar::ReplacementCharacter) {
      continue;
    }
    clean.append(c);
    if (clean.size() >= kMostNameCharacters) break;
  }
  return clean.trimmed();
}

// The speaker of a face named like よわ＿2: the text before the "＿".
QString Speaker(const QString& file, const QString& suffix) {
  QString name = QFileInfo(file).fileName();
  if (!suffix.isEmpty() && name.endsWith(suffix)) name.chop(suffix.size());
  return Printable(name.section(QChar(0xFF3F), 0, 0));
}

}  // namespace

QString PictureTitle(const QString& gameFolder, const QString& file, const QString& suffix) {
  if (file.isEmpty()) return {};
  const QFileInfo info(file);
  QString name = info.fileName();
  if (!suffix.isEmpty() && name.endsWith(suffix)) {
    name.chop(suffix.size());
  } else {
    name = info.completeBaseName();
  }
  const auto lines =
      ReadFirstLines(gameFolder, info.path() + QLatin1Char('/') + name + QStringLiteral(".txt"), 1,
                     kMostTitleBytes);
  if (lines && !lines->isEmpty()) {
    const QString title = Printable(lines->first());
    if (!title.isEmpty()) return title;
  }
  return Printable(name);
}

ScreenReader::ScreenReader(QtWindow& window, Fom& fom, const QtPictures& pictures,
                           const QString& title, ReadAloud& readAloud)
    : QObject(&window),
      window_(window),
      fom_(fom),
      pictures_(pictures),
      readAloud_(readAloud),
      lbl_(window.findChild<QLabel*>(QStringLiteral("Lbl"))),
      pic_(window.findChild<QWidget*>(QStringLiteral("Pic"))),
      picKao_(window.findChild<QWidget*>(QStringLiteral("PicKao"))),
      picCom_(window.findChild<QWidget*>(QStringLiteral("PicCom"))),
      send_([](QAccessibleEvent& event) { QAccessible::updateAccessibility(&event); }) {
  InstallAccessibleWidgets();
  for (std::size_t i = 0; i < status_.size(); ++i) {
    status_[i] = window.findChild<QLabel*>(QLatin1String(kStatusLabels[i]));
  }
  // The window itself takes the focus from a click only: Tab and the arrows go round
  // the controls the player can use, never into the bare window.
  window.setFocusPolicy(Qt::ClickFocus);
  lbl_->setAccessibleName(kMessageName);
  lbl_->installEventFilter(this);
  window.findChild<QWidget*>(QStringLiteral("PicStt"))->setAccessibleName(title + kBeginHint);
  window.findChild<QWidget*>(QStringLiteral("LstIvent"))->setAccessibleName(QStringLiteral("記憶"));
  picCom_->setAccessibleName(QStringLiteral("コマンド"));
}

// A label given the focus lays its text out as a document of its own, which Qt reports
// to a screen reader whole, beside the line the game sends: the label never hears of
// its focus.
bool ScreenReader::eventFilter(QObject* watched, QEvent* event) {
  return watched == lbl_ && event->type() == QEvent::FocusIn;
}

void ScreenReader::Name(QWidget* widget, const QString& name) {
  if (widget->accessibleName() != name) widget->setAccessibleName(name);
}

void ScreenReader::Update() {
  for (std::size_t i = 0; i < status_.size(); ++i) {
    Name(status_[i], kStatusMeaning[i] + status_[i]->text());
  }
  const QString& suffix = fom_.state.settings.pictureSuffix;
  const QString& folder = fom_.state.folders.programFolder;
  if (const QString file = pictures_.DrawnFile(PictureTarget::Pic); file != picFile_) {
    picFile_ = file;
    Name(pic_, PictureTitle(folder, file, suffix));
  }
  if (const QString file = pictures_.DrawnFile(PictureTarget::PicKao); file != kaoFile_) {
    kaoFile_ = file;
    Name(picKao_, Speaker(file, suffix));
  }
  if (auto* txtDay = window_.findChild<QLineEdit*>(QStringLiteral("TxtDay"))) {
    Name(txtDay, kTxtDayTooltip);
  }
  SendLines();
  FollowMode();
}

// The label's text grows by a line at each step and starts afresh with a page; a
// remark of the command panel replaces it whole.
void ScreenReader::SendLines() {
  const QString caption = lbl_->text();
  if (caption == caption_) return;
  const bool grew = !caption_.isEmpty() && caption.startsWith(caption_);
  const QStringList added = ReadableRows(grew ? caption.mid(caption_.size()) : caption);
  int position = 0;
  if (grew) {
    position = static_cast<int>(ReadableText(ReadableRows(caption_)).size());
  } else if (const QString old = ReadableText(ReadableRows(caption_)); !old.isEmpty()) {
    QAccessibleTextRemoveEvent removed(lbl_, 0, old);
    send_(removed);
  }
  caption_ = caption;
  for (const QString& row : added) {
    const QString text = row + QLatin1Char('\n');
    QAccessibleTextInsertEvent inserted(lbl_, position, text);
    send_(inserted);
    position += static_cast<int>(text.size());
    readAloud_.Say(row);
  }
}

// The panel gives the focus to its first command (a scene gives it to the message
// once the focused command hides: the window's FixFocus).
void ScreenReader::FollowMode() {
  const Controls& controls = fom_.controls;
  const Mode mode = controls.PicStt.visible   ? Mode::kTitle
                    : controls.PicCom.visible ? Mode::kCommands
                                              : Mode::kScene;
  if (mode == mode_) return;
  mode_ = mode;
  if (mode != Mode::kCommands) return;
  for (auto* button : picCom_->findChildren<QPushButton*>()) {
    if (button->isVisible() && button->isEnabled()) {
      button->setFocus();
      return;
    }
  }
  lbl_->setFocus();
}

}  // namespace hibi
