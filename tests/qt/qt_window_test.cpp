#include "qt/qt_window.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QWheelEvent>
#include <thread>

#include "qt/qt_app.h"
#include "qt/qt_full_screen.h"
#include "support/harness.h"
#include "support/qt/widgets.h"

namespace hibi {
namespace {

void Press(QWidget& target, int key, Qt::KeyboardModifiers modifiers = {},
           QEvent::Type type = QEvent::KeyPress, bool repeat = false) {
  const QString text = key < 128 && key > 32 ? QString(QChar(key)).toLower() : "";
  QKeyEvent event(type, key, modifiers, text, repeat);
  QApplication::sendEvent(&target, &event);
}
// A key held down after its press: the platform repeats it as a release and a press.
void HoldDown(QWidget& target, int key, Qt::KeyboardModifiers modifiers = {}) {
  Press(target, key, modifiers, QEvent::KeyRelease, true);
  Press(target, key, modifiers, QEvent::KeyPress, true);
}
void Wheel(QWidget& target, int delta) {
  QWheelEvent event(QPointF(5, 5), target.mapToGlobal(QPointF(5, 5)), {}, {0, delta}, Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&target, &event);
}
void Wait(int ms) {
  testing::RunUntil([] { return false; }, ms);
}

class Window : public ::testing::Test {
 public:
  template <class W = QWidget>
  W& Find(const char* name) {
    return testing::Child<W>(game.window(), name);
  }
  Controls& controls() { return game.fom().controls; }
  void StartWithLines(int lines) {
    QStringList script;
    for (int i = 1; i <= lines; ++i) script << QStringLiteral("%1行目").arg(i);
    folder.WriteScript("opn", script << "tugi");
    game.Start();
  }
  bool FullScreenRemembered() {
    return QSettings(PreferencesFile(), QSettings::IniFormat).value("fullScreen").toBool();
  }

  testing::TempGame folder;
  testing::FakeMidi midi;
  testing::ScriptedRandom random;
  QtGame game{folder.folder(), midi, random};
};

TEST_F(Window, TheFirstShowStartsANewGameAndALaterActivationChangesNothing) {
  for (const char* day : {"0", "4"}) {  // the first show, then an activation and a re-show
    controls().LblDay.caption = "4";
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&game.window(), &activate);
    game.window().hide();
    game.window().show();
    EXPECT_EQ(controls().LblDay.caption, day);
  }
  EXPECT_TRUE(controls().PicStt.visible);
}

// The watchdog waits for the device's word: it runs at once on a notice, keeps a
// slow safety tick only while a tune is open, and never ticks without one.
TEST_F(Window, TheMusicWatchdogRunsOnTheDevicesNoticeAndNeverWithoutATune) {
  game.Start();
  auto& bgmTim = Find<QTimer>("BgmTim");
  ASSERT_TRUE(midi.notice);
  const struct {
    bool open;
    QByteArray mode;
    bool restarts, ticking;
  } steps[] = {{true, "stopped", true, true},      // a tune that has ended
               {true, "playing", false, true},     // a tune that plays
               {false, "stopped", false, false}};  // the tune closed
  for (const auto& step : steps) {
    SCOPED_TRACE((step.mode + (step.open ? " open" : " closed")).toStdString());
    midi.open = step.open;
    midi.mode = step.mode;
    midi.log.clear();
    // The notice comes on the audio thread.
    std::thread([&] { midi.notice(); }).join();
    QCoreApplication::processEvents();
    EXPECT_EQ(midi.log.contains("play from start"), step.restarts);
    EXPECT_EQ(bgmTim.isActive(), step.ticking);
    EXPECT_TRUE(!step.ticking || bgmTim.interval() >= 200) << "a few safety ticks a second";
  }
}

// Keys as X delivers them: a held key repeats as release and press pairs marked
// auto-repeat. Steps: D Ctrl down, r one repeat of Ctrl 60 ms later, c C with Ctrl,
// U Ctrl up, F the window loses the focus, w 400 ms pass, f the text has run on since
// Ctrl went down. Every row starts at a page end with Ctrl up.
TEST_F(Window, CtrlHeldAloneFastForwardsUntilLetGoOrTheFocusGoes) {
  StartWithLines(20000);
  // None of these lines was read before: Ctrl runs over them only when told to.
  game.fom().SetReaderOptions({TextSpeed::Game, 1500, true});
  testing::Click(Find("PicStt"));
  QtWindow& window = game.window();
  auto& lbl = Find<QLabel>("Lbl");
  QFocusEvent lost(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QString atDown;
  const struct {
    const char* steps;
    bool runsOn;
  } rows[] = {{"UDw", true},   {"UDcw", false},  {"UDrrrrrrrrrf", true},
              {"UDUw", false}, {"UDwUw", false}, {"UDwFw", false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.steps);
    for (const char step : std::string(row.steps)) {
      if (step == 'D') atDown = lbl.text();
      if (step == 'D') Press(window, Qt::Key_Control, Qt::ControlModifier);
      EXPECT_TRUE(step != 'f' || lbl.text() != atDown) << "ran on while held";
      if (step == 'r') Wait(60);
      if (step == 'r') HoldDown(window, Qt::Key_Control, Qt::ControlModifier);
      if (step == 'c') Press(window, Qt::Key_C, Qt::ControlModifier);
      if (step == 'U') Press(window, Qt::Key_Control, {}, QEvent::KeyRelease);
      if (step == 'U') testing::RunUntil([&] { return lbl.text().endsWith(kPageEndMarker); });
      if (step == 'F') QApplication::sendEvent(&window, &lost);
      if (step == 'w') Wait(400);
    }
    testing::RunUntil([&] { return lbl.text().endsWith(kPageEndMarker); }, 1000);
    const QString page = lbl.text();
    EXPECT_EQ(testing::RunUntil([&] { return lbl.text() != page; }, 600), row.runsOn);
  }
}

TEST_F(Window, ADoubleClickIsOneClickOnTheTitleAndOnTheMessage) {
  StartWithLines(9);
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

// A close asked for while the menu (or a box: the same wait) is up must not shut the
// game down under it: the window closes, and keeps the memories, once the menu is
// dismissed.
TEST_F(Window, ACloseUnderTheMenuWaitsUntilItIsDismissed) {
  StartWithLines(0);
  testing::Click(Find("PicStt"));
  ASSERT_TRUE(testing::RunUntil([&] { return controls().PicCom.visible; }));
  testing::AnswerModal answer([&](QWidget& menu) {
    EXPECT_FALSE(game.window().close());
    EXPECT_FALSE(folder.Exists("sys/lstphoto.dat")) << "shut down under the menu";
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&menu, &escape);
  });
  testing::Click(Find("Com7"));
  EXPECT_TRUE(testing::RunUntil([&] { return !game.window().isVisible(); })) << "once dismissed";
  EXPECT_EQ(folder.ReadRaw("sys/lstphoto.dat"), "ttl\r\n");
}

TEST_F(Window, FullScreenKeepsEightBySixWithBlackBarsAndGivesTheWindowBack) {
  game.Start();
  QtWindow& window = game.window();
  ASSERT_TRUE(testing::RunUntil([&] { return window.isVisible(); }));
  const QRect before = window.geometry();
  for (const auto& [key, modifiers] :
       {std::pair{Qt::Key_F11, Qt::NoModifier}, std::pair{Qt::Key_Return, Qt::AltModifier}}) {
    const bool box = controls().TxtDay.visible;
    Press(Find("PicStt"), key, modifiers);
    HoldDown(Find("PicStt"), key, modifiers);
    ASSERT_TRUE(window.isFullScreen() && FullScreenRemembered());
    EXPECT_EQ(controls().TxtDay.visible, box) << "the key never reached the stage";
    ASSERT_TRUE(testing::RunUntil([&] { return window.size() == window.screen()->size(); }));
    const QRect game43 = window.GameArea();
    EXPECT_EQ(game43, QRect(240, 0, 1440, 1080)) << "the test screen is 1920 x 1080";
    EXPECT_EQ(Find("PicStt").geometry(), game43) << "the stage covers the game, not the bars";
    EXPECT_EQ(Find("Lbl").font().pointSize(), 18) << "1080 rows are 16200 twips: 16 + 2 points";
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(2, window.height() / 2), Qt::black);
    EXPECT_EQ(shot.pixelColor(window.width() - 3, 2), Qt::black);
    EXPECT_NE(shot.pixelColor(game43.center()), Qt::black);

    Press(Find("PicStt"), key == Qt::Key_F11 ? Qt::Key_Escape : key, modifiers);
    EXPECT_FALSE(window.isFullScreen() || FullScreenRemembered());
    EXPECT_TRUE(testing::RunUntil([&] { return window.geometry() == before; }));
  }
}

TEST_F(Window, AWiderWindowIsTheLargestThatFitsAndAMaximiseIsDrawnEightBySixAndGivenBack) {
  game.Start();
  QtWindow& window = game.window();
  ASSERT_TRUE(testing::RunUntil([&] { return window.isVisible(); }));
  window.resize(1920, 1000);  // wider than 8:6 of the test screen's 1080 rows allow
  EXPECT_TRUE(testing::RunUntil([&] {
    return window.frameGeometry() == QRect(240, 0, 1440, 1080);
  })) << "frame and all on the 1920 x 1080 screen, not "
      << window.frameGeometry().height();
  window.move(10, 20);
  ASSERT_TRUE(testing::RunUntil([&] { return window.pos() == QPoint(10, 20); }));
  const QRect before = window.geometry();
  window.showMaximized();
  // The test platform keeps a 2 pixel frame round a maximised window too.
  ASSERT_TRUE(testing::RunUntil([&] { return window.size() == QSize(1916, 1076); }));
  EXPECT_EQ(window.GameArea(), QRect(241, 0, 1434, 1076));
  EXPECT_EQ(Find("PicStt").geometry(), QRect(241, 0, 1434, 1076)) << "drawn 8:6, not stretched";
  EXPECT_EQ(window.grab().toImage().pixelColor(2, 540), Qt::black);
  window.showNormal();
  EXPECT_TRUE(testing::RunUntil([&] { return window.geometry() == before; }))
      << "the size and place from before, not " << window.geometry().x();
}

TEST(FullScreen, TheGameIsTheLargestEightBySixOnScreensOfEveryShapeWithFontsFromItsHeight) {
  const struct {
    QRect screen, game;
    int fontUnit;
  } rows[] = {
      {{0, 0, 1280, 1024}, {0, 32, 1280, 960}, 16},    // 5:4
      {{0, 0, 2560, 1080}, {560, 0, 1440, 1080}, 18},  // 21:9
      {{0, 0, 1080, 1920}, {0, 555, 1080, 810}, 14},   // portrait
      {{0, 0, 1366, 768}, {171, 0, 1024, 768}, 13},    // a laptop's 16:9
  };
  for (const auto& row : rows) {
    const QRect game = FitEightBySix(row.screen);
    EXPECT_EQ(game, row.game);
    const double twips = 15;  // at 96 dpi
    const WindowMetrics full{game.width() * twips, game.height() * twips, 0, 0, false};
    EXPECT_EQ(ComputeLayout(full, 0).fontUnit, row.fontUnit) << row.screen.width();
  }
}

TEST_F(Window, TheWheelOpensTheHistoryAndTheGameGoesOnAsIfItHadNotBeenRead) {
  folder.WriteScript("opn", {"-よわ", "1行目", "", "2行目", "3行目", "tugi"});
  game.Start();
  testing::Click(Find("PicStt"));  // shows the first row; the pacing timer runs
  auto& lbl = Find<QLabel>("Lbl");
  const QString first = lbl.text();
  auto& history = Find("History");
  const std::function<void()> closers[] = {[&] { Press(history, Qt::Key_Escape); },
                                           [&] { testing::Click(history, Qt::RightButton); },
                                           [&] { Wheel(history, -120); }};
  for (const auto& close : closers) {
    Wheel(game.window(), 120);
    ASSERT_TRUE(history.isVisible());
    EXPECT_EQ(Find<QPlainTextEdit>("HistoryText").toPlainText(), "\n■よわ");
    for (int key : {Qt::Key_Return, Qt::Key_PageUp}) Press(history, key);
    Wait(250);  // the pacing timer ticks meanwhile
    EXPECT_EQ(lbl.text(), first);
    close();
    EXPECT_FALSE(history.isVisible() || game.fom().InModal());
  }
  EXPECT_EQ(Find<QTimer>("TimSay").interval(), 100) << "the right click only closed";
  testing::Click(lbl);
  EXPECT_EQ(lbl.text(), "\n■よわ\n1行目▼") << "the next click shows the next row at once";
}

// Many pages read, so the rows run past the view: it opens on the newest and the wheel
// and keys move through them. (The wheel turned down at the newest closes it: above.)
TEST_F(Window, TheHistoryOpensOnTheNewestRowAndScrollsByRowsPagesAndWheelSteps) {
  StartWithLines(64);
  testing::Click(Find("PicStt"));
  testing::Click(Find("Lbl"), Qt::RightButton);  // runs the scene to its end
  ASSERT_TRUE(testing::RunUntil([&] { return controls().PicCom.visible; }));
  auto& history = Find("History");
  Press(game.window(), Qt::Key_PageUp);
  ASSERT_TRUE(history.isVisible());
  QScrollBar& bar = *Find<QPlainTextEdit>("HistoryText").verticalScrollBar();
  const int newest = bar.maximum();
  ASSERT_GT(newest, 20) << "most rows lie above the view";
  EXPECT_EQ(bar.value(), newest);
  const struct {
    std::function<void()> act;
    int back;  // rows above the newest afterwards
  } steps[] = {{[&] { Press(history, Qt::Key_Up); }, 1},
               {[&] { Wheel(history, 120); }, 4},
               {[&] { Press(history, Qt::Key_Down); }, 3},
               {[&] { Wheel(history, -120); }, 0},
               {[&] { Press(history, Qt::Key_PageUp); }, bar.pageStep()},
               {[&] { Press(history, Qt::Key_PageDown); }, 0}};
  for (const auto& step : steps) {
    step.act();
    EXPECT_EQ(newest - bar.value(), step.back);
    EXPECT_TRUE(history.isVisible()) << "a wheel step down closes it only at the newest";
  }
}

// Both choices are how the next run starts.
TEST_F(Window, MSilencesTheTuneWithoutStoppingItAndMuteAndFullScreenAreRemembered) {
  game.Start();
  const QStringList played = midi.log;
  Press(Find("PicStt"), Qt::Key_M);
  HoldDown(Find("PicStt"), Qt::Key_M);
  EXPECT_EQ(midi.volume, 0);
  EXPECT_FALSE(controls().TxtDay.visible) << "M is the window's, not the stage's";
  EXPECT_EQ(midi.log, played) << "silenced, not stopped";
  for (const bool full : {true, false}) {
    QSettings(PreferencesFile(), QSettings::IniFormat).setValue("fullScreen", full);
    testing::FakeMidi next;
    QtGame run(folder.folder(), next, random);
    EXPECT_EQ(next.volume, 0) << "muted in the next run";
    run.Start();
    ASSERT_TRUE(testing::RunUntil([&] { return run.window().isVisible(); }));
    EXPECT_EQ(run.window().isFullScreen(), full);
  }
  Press(Find("PicStt"), Qt::Key_M);
  EXPECT_EQ(midi.volume, 1);
}

// A step of many thousand commands goes on from the event loop between its slices,
// not only on the pacing timer's ticks.
TEST_F(Window, ALongStepGoesOnFromTheEventLoop) {
  QStringList script;
  for (int i = 0; i < 3 * kStepSliceLines; ++i) script << ">img p" + QString::number(i);
  folder.WriteScript("opn", script << "b");
  game.Start();
  testing::Click(Find("PicStt"));
  ASSERT_TRUE(game.fom().StepUnfinished());
  Find<QTimer>("TimSay").stop();
  EXPECT_TRUE(testing::RunUntil([&] { return !game.fom().StepUnfinished(); }));
  EXPECT_EQ(Find<QLabel>("Lbl").text(), "\nb▼");
}

// The choices take a few bytes: a file past 1 MiB is neither read nor rewritten.
TEST_F(Window, PreferencesPastOneMebibyteAreIgnoredWithANote) {
  for (const int size : {1 << 20, (1 << 20) + 1}) {
    const bool read = size == 1 << 20;
    QByteArray bytes = "[General]\nmuted=true\n";
    bytes += QByteArray(size - bytes.size() - 1, ';') + "\n";
    QDir().mkpath(QFileInfo(PreferencesFile()).path());
    QFile file(PreferencesFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == size);
    file.close();
    ::testing::internal::CaptureStderr();
    testing::FakeMidi next;
    QtGame played(folder.folder(), next, random);
    played.keys().ToggleMute();
    played.reader().StepVolume(0);  // the reader's choices go to the same file
    const bool noted =
        ::testing::internal::GetCapturedStderr().find("larger than 1 MiB") != std::string::npos;
    EXPECT_EQ(std::pair(next.volume, noted), std::pair(read ? 1.0 : 0.0, !read)) << size;
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll() == bytes, !read) << "the ignored file is never rewritten";
  }
}

}  // namespace
}  // namespace hibi
