#include "simulation.h"

#include <QMap>
#include <vector>

#include "game/controls.h"
#include "headless_game.h"
#include "storage/settings.h"

namespace hibi::check {
namespace {

constexpr std::int16_t kRest = 6;
constexpr int kButtons = 8;
// Resting from above this keeps the next command's fatigue draw (at most 29) below
// the collapse at 100.
constexpr double kTired = 70;

struct Player {
  QString name;
  Chooser choose;
};

std::vector<Player> Players() {
  std::vector<Player> players;
  for (std::int16_t button = 0; button < kRest; ++button) {
    players.push_back(
        {QStringLiteral("favours ") + kCommandCaptions[static_cast<std::size_t>(button)],
         [button](double fatigue, std::mt19937&) { return fatigue > kTired ? kRest : button; }});
  }
  players.push_back(
      {QStringLiteral("wanders the three places"), [](double fatigue, std::mt19937& dice) {
         return fatigue > kTired ? kRest : static_cast<std::int16_t>(dice() % 3);
       }});
  players.push_back({QStringLiteral("presses any button"), [](double, std::mt19937& dice) {
                       return static_cast<std::int16_t>(dice() % kButtons);
                     }});
  return players;
}

void Print(std::FILE* out, const QString& line) {
  std::fputs((line + u'\n').toUtf8().constData(), out);
}

// The endings first, in the order of the characters, then wherever games stopped.
QString Tally(const QMap<QString, int>& outcomes) {
  QStringList parts;
  QMap<QString, int> rest = outcomes;
  for (const char* ending : {"end0", "end1", "end2", "end"}) {
    if (const int n = rest.take(QLatin1StringView(ending)); n > 0) {
      parts << QStringLiteral("%1 %2").arg(n).arg(QLatin1StringView(ending));
    }
  }
  for (auto it = rest.cbegin(); it != rest.cend(); ++it) {
    parts << QStringLiteral("%1 %2").arg(it.value()).arg(it.key());
  }
  return parts.join(QStringLiteral(", "));
}

struct BoxSeen {
  int games = 0;
  QString first;  // the player and seed that raised it first, to play it again
};

}  // namespace

bool Simulate(const QString& folder, int games, std::FILE* out) {
  std::unique_ptr<HeadlessGame> game;
  try {
    game = std::make_unique<HeadlessGame>(folder);
  } catch (const SettingsError& error) {
    Print(out, QStringLiteral("hibi-check: ") + error.report());
    return false;
  }
  Print(out, QStringLiteral("hibi-check: %1 games of %2 days for each player, seeds 1 to %1; "
                            "players who favour a button rest when fatigue is above %3")
                 .arg(games)
                 .arg(game->dayLimit())
                 .arg(kTired));

  QMap<QString, BoxSeen> boxes;
  for (const Player& player : Players()) {
    QMap<QString, int> outcomes;
    for (int seed = 1; seed <= games; ++seed) {
      const Outcome outcome = game->Play(static_cast<std::uint32_t>(seed), player.choose);
      ++outcomes[outcome.ending];
      QStringList seen = outcome.boxes;
      seen.removeDuplicates();
      for (const QString& text : seen) {
        BoxSeen& box = boxes[text];
        if (box.games++ == 0) box.first = QStringLiteral("%1, seed %2").arg(player.name).arg(seed);
      }
    }
    Print(out, player.name + QStringLiteral(": ") + Tally(outcomes));
  }
  for (auto it = boxes.cbegin(); it != boxes.cend(); ++it) {
    // The box's two lines on one.
    const QString text = it.key().split(QStringLiteral("\r\n")).join(u' ').simplified();
    Print(out, QStringLiteral("error: the box \"%1\" came up in %2 games (first: %3)")
                   .arg(text)
                   .arg(it.value().games)
                   .arg(it.value().first));
  }
  const int played = games * static_cast<int>(Players().size());
  Print(out, QStringLiteral("hibi-check: %1 games played, %2 %3")
                 .arg(played)
                 .arg(boxes.size())
                 .arg(boxes.size() == 1 ? "message box" : "message boxes"));
  return boxes.isEmpty();
}

}  // namespace hibi::check
