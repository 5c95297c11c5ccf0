// One sitting at the game: the sample game in a temporary folder, the real window
// on it, a player at the mouse and keyboard, and the answers to every box and
// menu. A sitting may start the program several times on the same folder.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "player.h"
#include "sample_copy.h"
#include "support/fakes.h"
#include "qt/qt_app.h"
#include "qt/qt_picture_box.h"

namespace hibi::e2e {

// What the status labels of the command panel show.
struct Captions {
  QString day, time, fatigue;
};

// What one command button did, as the player saw it.
struct Outcome {
  Captions before;   // in command mode, before the click
  Captions atClick;  // right after the click was handled
  QString messageAtClick;
  bool sceneOpened = false;  // the command panel made way for a scene
  QImage pictureAtClick;     // the event-picture layer at that moment
  Captions after;            // once any scene is over
  QString messageAfter;
  QStringList boxes;  // message boxes answered meanwhile
};

class Session {
 public:
  explicit Session(std::uint32_t seed) : random_(seed) {}
  ~Session();

  // Starts the program on the folder: start-up, then the window shows the title.
  void Start();
  // Closes the window as the player does; true when the game shut down.
  bool Close();

  // Clicks command button `index` (with `pick` chosen from the menu of button 7)
  // and plays the scene it opens, if any, at the given pace.
  Outcome Command(int index, const QString& pick = {},
                  Player::Pace pace = Player::Pace::FastForward);

  Captions Now() const;
  QStringList MemoryList() const;  // the items of the memory list widget
  QImage EventPicture();

  SampleCopy copy;
  testing::FakeMidi midi;
  ModalAnswers modals;
  Player& player() { return *player_; }
  QtGame& game() { return *game_; }

 private:
  SeededRandom random_;
  std::optional<QtGame> game_;
  std::unique_ptr<Player> player_;
  bool closed_ = false;
};

}  // namespace hibi::e2e
