#include "qt/qt_window.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QWheelEvent>
#include <sstream>
#include <thread>
#include <utility>

#include "qt_testing.h"
#include "support/harness.h"
#include "qt/qt_app.h"
#include "qt/qt_full_screen.h"

namespace hibi {
namespace {

void Press(QWidget& target, int key, Qt::KeyboardModifiers modifiers = {}) {
  QKeyEvent event(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(&target, &event);
}

class Window : public ::testing::Test {
 public:
  template <class W = QWidget>
  W& Find(const char* name, QObject* in = nullptr) {
    W* widget = (in ? in : &game.window())->findChild<W*>(QLatin1String(name));
    if (!widget) throw std::runtime_error(name);
    return *widget;
  }
  bool Shown(const char* name) { return !Find(name).isHidden(); }
  Controls& controls() { return game.fom().controls; }

  testing::TempGame folder;
  testing::FakeMidi midi;
  testing::ScriptedRandom random;
  QtGame game{folder.folder(), midi, random};
};


TEST_F(Window, TheFirstShowStartsANewGameAndALaterActivationChangesNothing) {
  controls().LblDay.caption = "7";
  game.fom().state.affection = {5, 6, 7};
  game.window().show();
  EXPECT_EQ(controls().LblDay.caption, "0");
  EXPECT_EQ(game.fom().state.affection[0], 0);
  EXPECT_TRUE(Shown("PicStt"));

  controls().LblDay.caption = "4";
  game.fom().state.affection = {9, 0, 0};
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&game.window(), &activate);
  game.window().hide();
  game.window().show();
  EXPECT_EQ(controls().LblDay.caption, "4");
  EXPECT_EQ(game.fom().state.affection[0], 9);
}


// The watchdog waits for the device's word: it runs at once on a notice, keeps a
// slow safety tick only while a tune is open, and never ticks without one.
TEST_F(Window, TheMusicWatchdogRunsOnTheDevicesNoticeAndNeverWithoutATune) {
  game.Start();
  auto& bgmTim = Find<QTimer>("BgmTim");
  ASSERT_TRUE(midi.notice);
  struct Step {
    const char* name;
    bool open;
    QByteArray mode;
    bool restarts, ticking;
  };
  const Step steps[] = {{"no tune", false, "stopped", false, false},
                        {"a tune that has ended", true, "stopped", true, true},
                        {"a tune that plays", true, "playing", false, true},
                        {"the tune closed", false, "stopped", false, false}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    midi.open = step.open;
    midi.mode = step.mode;
    midi.log.clear();
    std::thread([&] { midi.notice(); }).join();  // as from the audio thread
    QCoreApplication::processEvents();
    EXPECT_EQ(midi.log.contains("play from start"), step.restarts);
    EXPECT_EQ(bgmTim.isActive(), step.ticking);
    if (step.ticking) {
      EXPECT_GE(bgmTim.interval(), 200) << "at most a few safety ticks a second";
    }
  }
}


TEST_F(Window, KeysGoToTheStageOnTheTitleAndToTheMessageAreaInAScene) {
  QStringList script;
  for (int i = 1; i <= 20; ++i) script << QStringLiteral("%1行目").arg(i);
  folder.WriteScript("opn", script << "tugi");
  game.Start();
  QtWindow& window = game.window();
  auto press = [&](QWidget& target, int key, Qt::KeyboardModifiers modifiers = {},
                   QEvent::Type type = QEvent::KeyPress) {
    const QString text = key < 128 && key > 32 ? QString(QChar(key)).toLower() : QString();
    QKeyEvent event(type, key, modifiers, text);
    QApplication::sendEvent(&target, &event);
  };
  auto& stage = Find("PicStt");
  auto& box = Find<QLineEdit>("TxtDay");

  press(stage, Qt::Key_A);
  EXPECT_TRUE(controls().TxtDay.visible) << "any key shows the day-limit box";
  box.setFocus();
  box.selectAll();
  press(box, Qt::Key_5);
  press(box, Qt::Key_Return);
  EXPECT_EQ(controls().TxtDay.text, "5") << "typing goes into the box, not to the stage";
  EXPECT_TRUE(controls().TxtDay.visible);
  stage.setFocus();
  press(stage, Qt::Key_B);
  EXPECT_FALSE(controls().TxtDay.visible) << "the next key hides it again";

  testing::Click(stage);
  EXPECT_EQ(game.fom().state.dayLimit, 5);
  const QString firstLine = Find<QLabel>("Lbl").text();
  press(window, Qt::Key_Return);
  EXPECT_GT(Find<QLabel>("Lbl").text().size(), firstLine.size()) << "Enter advances";
  auto& lbl = Find<QLabel>("Lbl");
  ASSERT_TRUE(testing::RunUntil([&] { return lbl.text().endsWith(kPageEndMarker); }));
  const QString pageEnd = lbl.text();
  press(window, Qt::Key_Control, Qt::ControlModifier);
  press(window, Qt::Key_C, Qt::ControlModifier);
  press(window, Qt::Key_C, Qt::ControlModifier, QEvent::KeyRelease);
  testing::RunUntil([] { return false; }, 400);
  press(window, Qt::Key_Control, {}, QEvent::KeyRelease);
  EXPECT_EQ(lbl.text(), pageEnd) << "Ctrl+C is a shortcut, not the game's";

  press(window, Qt::Key_Control, Qt::ControlModifier);
  EXPECT_TRUE(testing::RunUntil([&] { return !lbl.text().contains(QStringLiteral("8行目")); }))
      << "Ctrl held on its own fast-forwards";
  press(window, Qt::Key_Control, {}, QEvent::KeyRelease);
  EXPECT_TRUE(game.fom().state.stopAtPageEnd) << "and letting go of it ends that";
  EXPECT_EQ(Find<QTimer>("TimSay").interval(), 100);
}

TEST_F(Window, ADoubleClickIsOneClickOnTheTitleAndOnTheMessage) {
  QStringList script;
  for (int i = 1; i <= 9; ++i) script << QStringLiteral("%1行目").arg(i);
  folder.WriteScript("opn", script << "tugi");
  game.Start();
  auto doubleClick = [](QWidget& on, QWidget& second) {
    testing::Click(on);
    testing::SendMouse(second, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton);
    testing::SendMouse(second, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
  };
  doubleClick(Find("PicStt"), Find("Pic"));  // the stage is gone by the second press
  EXPECT_FALSE(controls().LstIvent.visible) << "no memory list over the opening";
  auto& lbl = Find<QLabel>("Lbl");
  ASSERT_TRUE(testing::RunUntil([&] { return lbl.text().endsWith(kPageEndMarker); }));
  doubleClick(lbl, lbl);
  EXPECT_EQ(lbl.text(), "\n9行目" + kPageEndMarker) << "one page turned, one line shown";
}

TEST_F(Window, FullScreenKeepsEightBySixWithBlackBarsAndGivesTheWindowBack) {
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
    EXPECT_TRUE(QSettings(PreferencesFile(), QSettings::IniFormat).value("fullScreen").toBool());
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
    EXPECT_FALSE(QSettings(PreferencesFile(), QSettings::IniFormat).value("fullScreen").toBool());
  }
}

TEST_F(Window, TheWheelOpensTheHistoryAndTheGameGoesOnAsIfItHadNotBeenRead) {
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

TEST_F(Window, MSilencesTheTuneWithoutStoppingItAndIsRemembered) {
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
  QtGame again(folder.folder(), next, random);
  EXPECT_EQ(next.volume, 0) << "muted from the start of the next run";
  Press(Find("PicStt"), Qt::Key_M);
  EXPECT_EQ(midi.volume, 1);
}


}  // namespace
}  // namespace hibi
