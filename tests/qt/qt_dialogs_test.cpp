#include "qt/qt_dialogs.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "qt_testing.h"

namespace hibi {
namespace {

struct DialogsFixture : ::testing::Test {
  QWidget window;
  int rendered = 0;
  QtDialogs dialogs{window, QStringLiteral("なつやすみ、とおかかん"), [this] { ++rendered; }};
};

TEST_F(DialogsFixture, AMessageBoxHasTheGameTitleNoIconAndOneOkButton) {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::Warning;
  qsizetype buttons = 0;
  testing::AnswerModal answer([&](QWidget& modal) {
    auto& box = dynamic_cast<QMessageBox&>(modal);
    title = box.windowTitle();
    text = box.text();
    icon = box.icon();
    buttons = box.buttons().size();
    box.button(QMessageBox::Ok)->click();
  });

  dialogs.MessageBox(QStringLiteral("SAVE　OK\r\n二行目"));

  EXPECT_EQ(rendered, 1) << "the window is brought up to date before the box opens";
  EXPECT_EQ(title, QStringLiteral("なつやすみ、とおかかん"));
  EXPECT_EQ(text, QStringLiteral("SAVE　OK\n二行目"));
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_EQ(buttons, 1);
}

TEST_F(DialogsFixture, ThePopupMenuOffersSaveLoadAndLoveAndReportsTheChoice) {
  struct Row {
    const char* choose;  // nullptr: dismissed with Escape
    MenuChoice expected;
  };
  const Row rows[] = {{"SAVE", MenuChoice::Save},
                      {"LOAD", MenuChoice::Load},
                      {"LOVE?", MenuChoice::Love},
                      {nullptr, MenuChoice::None}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.choose ? row.choose : "dismissed");
    QStringList captions;
    testing::AnswerModal answer([&](QWidget& popup) {
      auto& menu = dynamic_cast<QMenu&>(popup);
      for (QAction* action : menu.actions()) {
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        if (row.choose && action->text() == QLatin1String(row.choose)) menu.setActiveAction(action);
      }
      QKeyEvent key(QEvent::KeyPress, row.choose ? Qt::Key_Return : Qt::Key_Escape, Qt::NoModifier);
      QApplication::sendEvent(&menu, &key);
    });
    EXPECT_EQ(dialogs.PopupMenu(), row.expected);
    EXPECT_EQ(captions, QStringList({"SAVE", "LOAD", "-", "LOVE?"}));
  }
}

}  // namespace
}  // namespace hibi
