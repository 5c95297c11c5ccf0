#include "player.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

#include "game/game_state.h"

namespace hibi::e2e {
namespace {

// A scene has at most a few hundred pages; anything beyond is a hang.
constexpr int kMostClicksPerScene = 400;

QString Describe(const QWidget* widget) {
  if (!widget) return QStringLiteral("nothing");
  return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                        : widget->objectName();
}

// Presses a key on the popup's own window, where the platform sends keys while a
// menu is open.
void MenuKey(QMenu& menu, Qt::Key key) {
  QTest::keyClick(menu.windowHandle(), key);
}

}  // namespace

bool Player::Click(QWidget& target, Qt::MouseButton button) {
  return Click(target, button, target.rect().center());
}

bool Player::Click(QWidget& target, Qt::MouseButton button, QPoint local) {
  QWidget* top = target.window();
  const QPoint at = target.mapTo(top, local);
  QWidget* hit = top->childAt(at);
  if (!hit) hit = top;
  if (hit != &target) {
    ADD_FAILURE() << "a click meant for " << Describe(&target).toStdString() << " would hit "
                  << Describe(hit).toStdString();
    return false;
  }
  QTest::mouseClick(top->windowHandle(), button, Qt::NoModifier, at);
  return true;
}

void Player::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(window_.windowHandle(), key, modifiers);
}

void Player::Type(char character) {
  QTest::keyClick(window_.windowHandle(), character);
}

bool Player::WaitingAtPageEnd() const {
  return Message().endsWith(kPageEndMarker) && !Find<QTimer>(QStringLiteral("TimSay")).isActive();
}

std::optional<int> Player::PlayScene(Pace pace) {
  QLabel& message = Label(QStringLiteral("Lbl"));
  const auto over = [this] { return InCommandMode() || OnTitle(); };
  int clicks = 0;
  while (!over()) {
    if (clicks > kMostClicksPerScene) return std::nullopt;
    if (pace == Pace::FastForward) {
      // A jump to another scene brings back normal pacing, and the player
      // right-clicks again there.
      if (!Click(message, Qt::RightButton)) return std::nullopt;
      ++clicks;
      if (!RunUntil([&] { return over() || WaitingAtPageEnd(); }, 30000)) return std::nullopt;
      continue;
    }
    if (!RunUntil([&] { return over() || WaitingAtPageEnd(); })) return std::nullopt;
    if (over()) break;
    if (pace == Pace::Keys) {
      Key(Qt::Key_Return);
      Key(Qt::Key_Control);
      clicks += 2;
      if (!RunUntil([&] { return over() || WaitingAtPageEnd(); }, 30000)) return std::nullopt;
    } else {
      if (!Click(message)) return std::nullopt;
      ++clicks;
    }
  }
  return clicks;
}

ModalAnswers::ModalAnswers() {
  poll_.setInterval(1);
  QObject::connect(&poll_, &QTimer::timeout, [this] { Poll(); });
  poll_.start();
}

ModalAnswers::~ModalAnswers() {
  EXPECT_TRUE(picks_.empty()) << picks_.size() << " menu picks were never asked for";
}

void ModalAnswers::Poll() {
  if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
    if (!menu->isVisible() || !menu->windowHandle()) return;
    messageUnderMenu.clear();
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (auto* lbl = top->findChild<QLabel*>(QStringLiteral("Lbl")))
        messageUnderMenu = lbl->text();
    }
    menuCaptions.clear();
    for (const QAction* action : menu->actions()) {
      menuCaptions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    QString pick;  // empty: dismissed with Escape
    if (picks_.empty()) {
      ++unexpectedMenus;
    } else {
      pick = picks_.front();
      picks_.pop_front();
    }
    const auto onPick = [&] {
      return !pick.isEmpty() && menu->activeAction() && menu->activeAction()->text() == pick;
    };
    // Down the menu as a player would, one item at a time, then Enter.
    for (int step = 0; !pick.isEmpty() && !onPick() && step < menu->actions().size() * 2; ++step) {
      MenuKey(*menu, Qt::Key_Down);
    }
    if (!pick.isEmpty() && !onPick()) {
      ADD_FAILURE() << "the menu has no item " << pick.toStdString();
    }
    MenuKey(*menu, onPick() ? Qt::Key_Return : Qt::Key_Escape);
    return;
  }
  if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    if (!box->isVisible() || !box->windowHandle() || !ok || !ok->isVisible()) return;
    const QString text = box->text();
    QTest::mouseClick(box->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      ok->mapTo(box, ok->rect().center()));
    // A click that did not close the box is answered again at the next poll.
    if (!box->isVisible()) boxes << text;
  }
}

}  // namespace hibi::e2e
