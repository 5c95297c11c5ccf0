#include "qt/qt_dialogs.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "support/qt/widgets.h"

namespace hibi {
namespace {

struct Dialogs : ::testing::Test {
  QWidget window;
  int rendered = 0;
  QtDialogs dialogs{window, QStringLiteral("なつやすみ、とおかかん"), [this] { ++rendered; },
                    [] { return QFont(QStringLiteral("IPAGothic"), 23); }};
};

TEST_F(Dialogs, AMessageBoxHasTheGameTitleNoIconAndOneOkButton) {
  QString seen;
  testing::AnswerModal answer([&](QWidget& modal) {
    auto& box = dynamic_cast<QMessageBox&>(modal);
    seen = QString("%1|%2|%3|%4|%5")
               .arg(box.windowTitle(), box.text())
               .arg(int(box.icon()))
               .arg(box.buttons().size())
               .arg(box.button(QMessageBox::Ok)->font().pointSize());
    box.button(QMessageBox::Ok)->click();
  });
  dialogs.MessageBox(QStringLiteral("SAVE　OK\r\n二行目"));
  EXPECT_EQ(rendered, 1) << "the window is brought up to date before the box opens";
  // No icon (0), one button, in the game's font at 23 points.
  EXPECT_EQ(seen, QStringLiteral("なつやすみ、とおかかん|SAVE　OK\n二行目|0|1|23"));
}

TEST_F(Dialogs, ThePopupMenuOffersSaveLoadAndLoveAndReportsTheChoice) {
  const std::pair<const char*, MenuChoice> rows[] = {// nullptr: dismissed with Escape
                                                     {"SAVE", MenuChoice::Save},
                                                     {"LOAD", MenuChoice::Load},
                                                     {"LOVE?", MenuChoice::Love},
                                                     {nullptr, MenuChoice::None}};
  for (const auto& [choose, expected] : rows) {
    SCOPED_TRACE(choose ? choose : "dismissed");
    QStringList captions;
    testing::AnswerModal answer([&](QWidget& popup) {
      auto& menu = dynamic_cast<QMenu&>(popup);
      captions << QString::number(menu.font().pointSize());
      for (QAction* action : menu.actions()) {
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        if (choose && action->text() == QLatin1String(choose)) menu.setActiveAction(action);
      }
      QKeyEvent key(QEvent::KeyPress, choose ? Qt::Key_Return : Qt::Key_Escape, Qt::NoModifier);
      QApplication::sendEvent(&menu, &key);
    });
    EXPECT_EQ(dialogs.PopupMenu(), expected);
    EXPECT_EQ(captions, QStringList({"23", "SAVE", "LOAD", "-", "LOVE?"}));
  }
}

}  // namespace
}  // namespace hibi
