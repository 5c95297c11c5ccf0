#include "qt/qt_dialogs.h"

#include <QCursor>
#include <QMenu>
#include <QMessageBox>

namespace hibi {

QtDialogs::QtDialogs(QWidget& parent, QString title, std::function<void()> beforeModal,
                     std::function<QFont()> font)
    : parent_(parent),
      title_(std::move(title)),
      beforeModal_(std::move(beforeModal)),
      font_(std::move(font)) {}

void QtDialogs::MessageBox(const QString& text) {
  if (beforeModal_) beforeModal_();
  QMessageBox box(QMessageBox::NoIcon, title_, QString(text).replace(QStringLiteral("\r\n"), "\n"),
                  QMessageBox::Ok, &parent_);
  box.setTextFormat(Qt::PlainText);
  if (font_) box.setFont(font_());
  box.exec();
}

MenuChoice QtDialogs::PopupMenu() {
  if (beforeModal_) beforeModal_();
  QMenu menu(&parent_);
  menu.setObjectName(QStringLiteral("menu"));
  if (font_) menu.setFont(font_());
  const QAction* save = menu.addAction(QStringLiteral("SAVE"));
  const QAction* load = menu.addAction(QStringLiteral("LOAD"));
  menu.addSeparator();
  const QAction* love = menu.addAction(QStringLiteral("LOVE?"));
  const QAction* chosen = menu.exec(QCursor::pos());
  if (chosen == save) return MenuChoice::Save;
  if (chosen == load) return MenuChoice::Load;
  if (chosen == love) return MenuChoice::Love;
  return MenuChoice::None;
}

}  // namespace hibi
