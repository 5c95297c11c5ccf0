// The sample game's balance, played headless with fixed seeds: a player who keeps
// visiting one character reaches that character's ending, and one who only wanders
// the three places reaches the ending for everybody.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <random>

#include "storage/numbers.h"
#include "game/system_random.h"
#include "mini_game.h"

namespace hibi::testing {
namespace {

constexpr int kSeeds = 50;
// Resting from above this keeps the next command's draw (at most 29) below 100.
constexpr double kTired = 70;
constexpr int kPlaces = -1;

void CopySampleGame(TempGame& game) {
  const QDir sample(QStringLiteral(HIBI_SAMPLE_DIR));
  QDirIterator files(sample.path(), QDir::Files, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    const QString from = files.next();
    QFile file(from);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << from.toStdString();
    game.WriteRaw(sample.relativeFilePath(from), file.readAll());
  }
}

// Plays one game from the title to the title again. `favourite` is the character
// to visit, or kPlaces to wander the three places. Returns the ending that opened:
// "end0".."end2", "end" for the ending for everybody, or empty if none did.
QString PlayOneGame(Harness& h, std::uint32_t seed, int favourite) {
  std::mt19937 fractions(seed);
  std::mt19937 player(seed + 1000u);
  h.random.script.clear();
  const qsizetype logStart = h.pictures.log.size();
  bool limitReached = false;

  h.StartGame("10");
  for (int action = 0; action < 200000 && !h.fom.controls.PicStt.visible; ++action) {
    while (h.random.script.size() < 8) {
      h.random.script.push_back(
          SystemRandom::FractionFromBits(static_cast<std::uint32_t>(fractions())));
    }
    Controls& c = h.fom.controls;
    if (!c.PicCom.visible) {
      h.fom.Lbl_MouseDown(kLeftButton);
      h.fom.Lbl_Click();
    } else if (c.TimHirou.enabled) {
      h.fom.TimHirou_Timer();
    } else if (ParseNumber(c.LblHirou.caption).value_or(0) > kTired) {
      h.fom.Com_Click(6);
    } else if (favourite == kPlaces) {
      h.fom.Com_Click(static_cast<std::int16_t>(player() % 3));
    } else {
      h.fom.Com_Click(static_cast<std::int16_t>(3 + favourite));
    }
    if (ParseNumber(c.LblDay.caption).value_or(0) >= h.fom.state.dayLimit) limitReached = true;
  }
  if (!h.fom.controls.PicStt.visible) return {};
  for (qsizetype i = logStart; i < h.pictures.log.size(); ++i) {
    for (const char* ending : {"end0", "end1", "end2"}) {
      if (h.pictures.log[i].contains(QStringLiteral("/img/%1.png").arg(ending))) return ending;
    }
  }
  return limitReached ? QStringLiteral("end") : QString();
}

struct StrategyRow {
  const char* name;
  int favourite;
  QString ending;
  int atLeast;  // games out of kSeeds that must reach it
};

void PrintTo(const StrategyRow& row, std::ostream* os) {
  *os << row.name;
}

class Balance : public ::testing::TestWithParam<StrategyRow> {};

TEST_P(Balance, AStrategyReachesItsEndingWithFixedSeeds) {
  const StrategyRow& row = GetParam();
  Harness h;
  CopySampleGame(h.game);
  h.Start();
  ASSERT_TRUE(h.dialogs.boxes.isEmpty());

  QStringList endings;
  for (int seed = 1; seed <= kSeeds; ++seed) {
    endings << PlayOneGame(h, static_cast<std::uint32_t>(seed), row.favourite);
    ASSERT_TRUE(h.dialogs.boxes.isEmpty()) << h.dialogs.boxes.join("|").toStdString();
  }

  EXPECT_GE(endings.count(row.ending), row.atLeast) << endings.join(" ").toStdString();
  EXPECT_EQ(endings.count(QString()), 0) << "games that never came back to the title";
}

INSTANTIATE_TEST_SUITE_P(
    SampleGame, Balance,
    ::testing::Values(StrategyRow{"VisitingYowaEndsWithYowa", 0, "end0", kSeeds * 8 / 10},
                      StrategyRow{"VisitingToomiyaEndsWithToomiya", 1, "end1", kSeeds * 8 / 10},
                      StrategyRow{"VisitingKoukiEndsWithKouki", 2, "end2", kSeeds * 8 / 10},
                      StrategyRow{"WanderingThePlacesEndsForEverybody", kPlaces, "end", kSeeds}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace hibi::testing
