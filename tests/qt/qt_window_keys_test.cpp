// The window's extras: full screen, the history and mute, on the real widgets.
#include <gtest/gtest.h>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>
#include <QWheelEvent>

#include "qt/qt_app.h"
#include "qt/qt_full_screen.h"
#include "qt_testing.h"
#include "support/harness.h"

namespace hibi {
namespace {

void Press(QWidget& target, int key, Qt::KeyboardModifiers modifiers = {}) {
  QKeyEvent event(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(&target, &event);
}

class Extras : public ::testing::Test {
 public:
  template <class W = QWidget>
  W& Find(const char* name) {
    return *game.window().findChild<W*>(QLatin1String(name));
  }
  testing::TempGame folder;
  testing::FakeMidi midi;
  testing::ScriptedRandom random;
  QString prefs = folder.path("config/hibi.conf");
  QtGame game{folder.folder(), midi, random, prefs};
};

TEST_F(Extras, FullScreenKeepsEightBySixWithBlackBarsAndGivesTheWindowBack) {
  game.Start();
  QtWindow& window = game.window();
  ASSERT_TRUE(testing::RunUntil([&] { return window.isVisible(); }));
  const QRect before = window.geometry();
  const std::pair<int, Qt::KeyboardModifiers> toggles[] = {{Qt::Key_F11, Qt::NoModifier},
                                                           {Qt::Key_Return, Qt::AltModifier}};
  for (const auto& [key, modifiers] : toggles) {
    const bool box = game.fom().controls.TxtDay.visible;
    Press(Find("PicStt"), key, modifiers);
    ASSERT_TRUE(window.isFullScreen());
    EXPECT_EQ(game.fom().controls.TxtDay.visible, box) << "the key never reached the stage";
    EXPECT_TRUE(QSettings(prefs, QSettings::IniFormat).value("fullScreen").toBool());
    ASSERT_TRUE(testing::RunUntil([&] { return window.size() == window.screen()->size(); }));
    const QRect game43 = GameArea(window);
    EXPECT_EQ(game43, QRect(240, 0, 1440, 1080)) << "the test screen is 1920 x 1080";
    EXPECT_EQ(Find("PicStt").geometry(), game43) << "the stage covers the game, not the bars";
    const Layout layout = ComputeLayout(window.MetricsTwips(), 0);
    EXPECT_EQ(Find("Lbl").font().pointSize(), layout.fontUnit) << "fonts at the game's size";
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, window.height() / 2), Qt::black);
    EXPECT_EQ(shot.pixelColor(window.width() - 3, 2), Qt::black);
    EXPECT_NE(shot.pixelColor(game43.center()), Qt::black);

    Press(Find("PicStt"), key == Qt::Key_F11 ? Qt::Key_Escape : key, modifiers);
    EXPECT_FALSE(window.isFullScreen());
    EXPECT_TRUE(testing::RunUntil([&] { return window.geometry() == before; }));
    EXPECT_FALSE(QSettings(prefs, QSettings::IniFormat).value("fullScreen").toBool());
  }
}

TEST_F(Extras, TheWheelOpensTheHistoryAndTheGameGoesOnAsIfItHadNotBeenRead) {
  folder.WriteScript("opn", {"-よわ", "1行目", "", "2行目", "3行目", "tugi"});
  game.Start();
  testing::Click(Find("PicStt"));  // shows the first row; the pacing timer runs
  auto& lbl = Find<QLabel>("Lbl");
  const QString first = lbl.text();
  auto& history = Find("History");
  auto wheel = [&](QWidget& target, int delta) {
    QWheelEvent event(QPointF(5, 5), target.mapToGlobal(QPointF(5, 5)), {}, {0, delta},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&target, &event);
  };
  const std::function<void()> closers[] = {
      [&] { Press(history, Qt::Key_Escape); },
      [&] { testing::Click(history, Qt::RightButton); },
      [&] { wheel(history, -120); },
  };
  for (const auto& close : closers) {
    wheel(game.window(), 120);
    ASSERT_TRUE(history.isVisible());
    EXPECT_EQ(Find<QPlainTextEdit>("HistoryText").toPlainText(), "\n■よわ");
    Press(history, Qt::Key_Return);
    Press(history, Qt::Key_PageUp);
    testing::RunUntil([] { return false; }, 250);  // the pacing timer ticks meanwhile
    EXPECT_EQ(lbl.text(), first);
    close();
    EXPECT_FALSE(history.isVisible());
    EXPECT_FALSE(game.fom().InModal());
  }
  EXPECT_EQ(Find<QTimer>("TimSay").interval(), 100) << "the right click only closed";
  testing::Click(lbl);
  EXPECT_EQ(lbl.text(), "\n■よわ\n1行目▼") << "the next click shows the next row at once";
}

TEST_F(Extras, MSilencesTheTuneWithoutStoppingItAndIsRemembered) {
  game.Start();
  const QStringList played = midi.log;
  Press(Find("PicStt"), Qt::Key_M);
  EXPECT_EQ(midi.volume, 0);
  EXPECT_FALSE(game.fom().controls.TxtDay.visible) << "M is the window's, not the stage's";
  midi.open = true;
  midi.mode = "stopped";
  game.fom().BgmTim_Timer();
  EXPECT_EQ(midi.log, played + QStringList({"rewind", "play from start"}))
      << "muted, the watchdog still restarts the tune";
  testing::FakeMidi next;
  QtGame again(folder.folder(), next, random, prefs);
  EXPECT_EQ(next.volume, 0) << "muted from the start of the next run";
  Press(Find("PicStt"), Qt::Key_M);
  EXPECT_EQ(midi.volume, 1);
}

}  // namespace
}  // namespace hibi
