// An evening with the sample game, played through the real window in chapters
// that follow each other: each starts where the one before left the game.
#pragma once

#include <gtest/gtest.h>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

#include "session.h"

namespace hibi::e2e {

inline const QStringList kSlotNames = {"", "早朝", "朝", "午前", "午後", "夕方", "夜", "深夜"};
inline const QString kMenuMessage = QStringLiteral("\nなにをしようかな・・");
// Memories of an earlier evening: one with a picture, one whose picture is gone.
inline const QStringList kEarlierMemories = {"hanabi", "夏祭り"};

// A caption read as the whole number it must be; fails the test otherwise.
int Number(const QString& caption);
QString NextSlotName(const QString& name);
// The three numbers of the "LOVE?" readout, or nullopt when the message is not one.
std::optional<std::array<int, 3>> Readout(const QString& message);

enum class Kind { Outing, Rest, Readout, Save, Load, Dismiss, Ending };
struct Row {
  int button;
  Kind kind;
  QString scene = {};  // the scene an outing opens
};

class PlayThrough : public ::testing::Test {
 protected:
  static constexpr std::uint32_t kSeed = 20260807;

  // The chapters, in the order they are played.
  void Title();
  void Opening();
  void FirstGame();
  void SecondGame();
  void CollapseAndRecovery();
  void Memories();
  void CloseAndStartAgain();

  // Clicks the row's button and checks what the player sees against its kind.
  void Play(const Row& row);

  Session session{kSeed};
  int dayLimit = 0;
  std::array<int, 3> lastReadout{};
  std::array<int, 3> savedReadout{};
  Captions saved;             // the status labels as the save wrote them
  QStringList scenePictures;  // event pictures of the scenes, in the order first opened
};

}  // namespace hibi::e2e
