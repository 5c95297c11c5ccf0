#include "session.h"

#include <gtest/gtest.h>
#include <QListWidget>
#include <QWindow>

namespace hibi::e2e {

Session::~Session() {
  if (game_ && !closed_) game_->window().close();
}

void Session::Start() {
  if (game_ && !closed_) game_->window().close();
  player_.reset();
  game_.reset();
  closed_ = false;
  game_.emplace(copy.folder(), midi, random_);
  player_ = std::make_unique<Player>(game_->window());
  game_->window().SetOnClosed([this] { closed_ = true; });
  game_->Start();
  // The fake device reports whatever it is told; a real one plays once asked to.
  midi.mode = "playing";
  EXPECT_TRUE(RunUntil([this] {
    const QWindow* handle = game_->window().windowHandle();
    return handle && handle->isExposed();
  })) << "the window never showed";
}

bool Session::Close() {
  game_->window().close();
  return closed_;
}

Captions Session::Now() const {
  return {player_->Label(QStringLiteral("LblDay")).text(),
          player_->Label(QStringLiteral("LblTime")).text(),
          player_->Label(QStringLiteral("LblHirou")).text()};
}

QStringList Session::MemoryList() const {
  QStringList items;
  const auto& list = player_->Find<QListWidget>(QStringLiteral("LstIvent"));
  for (int i = 0; i < list.count(); ++i) items << list.item(i)->text();
  return items;
}

QImage Session::EventPicture() {
  return game_->window().pic().drawing();
}

Outcome Session::Command(int index, const QString& pick, Player::Pace pace) {
  Outcome outcome;
  outcome.before = Now();
  const qsizetype boxesBefore = modals.boxes.size();
  if (index == 7) modals.PickFromMenu(pick);
  if (!player_->Click(player_->Button(index))) return outcome;

  outcome.atClick = Now();
  outcome.messageAtClick = player_->Message();
  outcome.sceneOpened = !player_->InCommandMode() && !player_->OnTitle();
  outcome.pictureAtClick = EventPicture();
  if (outcome.sceneOpened) {
    EXPECT_TRUE(player_->PlayScene(pace)) << "the scene never ended";
  }
  outcome.after = Now();
  outcome.messageAfter = player_->Message();
  outcome.boxes = modals.boxes.mid(boxesBefore);
  return outcome;
}

}  // namespace hibi::e2e
