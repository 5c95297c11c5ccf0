// The reader's controls on the real window, offscreen: which keys reach the title,
// the volume and the settings as the device and the preferences file see them, the
// message window put aside, and the picture F12 writes.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QScopeGuard>
#include <QSettings>
#include <utility>

#include "qt/qt_app.h"
#include "support/harness.h"
#include "support/qt/widgets.h"

namespace hibi {
namespace {

// A key, or a key and its modifiers combined (QKeyCombination::toCombined).
void Key(QWidget& target, int combined) {
  const QKeyCombination key = QKeyCombination::fromCombined(combined);
  QKeyEvent event(QEvent::KeyPress, key.key(), key.keyboardModifiers());
  QApplication::sendEvent(&target, &event);
}

class Reader : public ::testing::Test {
 public:
  template <class W = QWidget>
  W& Find(const char* name) {
    return testing::Child<W>(game.window(), name);
  }
  QVariant Remembered(const char* key) {
    return QSettings(PreferencesFile(), QSettings::IniFormat).value(key);
  }
  // The choices live in one file for the whole run; other tests start from none.
  void TearDown() override {
    QSettings settings(PreferencesFile(), QSettings::IniFormat);
    for (const char* key : {"volume", "textSpeed", "skipEverything", "readAloud", "muted"}) {
      settings.remove(key);
    }
  }
  void StartScene() {
    folder.WriteScript("opn", {"-よわ＿1", "一行目", "二行目", "tugi"});
    game.Start();
    testing::Click(Find("PicStt"));
  }

  testing::TempGame folder;
  testing::FakeMidi midi;
  testing::ScriptedRandom random;
  QtGame game{folder.folder(), midi, random};
};

TEST_F(Reader, OnTheTitleOnlyTheFunctionKeysAreTheReadersAndF12WritesTheGameAtEightBySix) {
  QTemporaryDir pictures;
  QFile dirs(QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath("user-dirs.dirs"));
  ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
  dirs.write("XDG_PICTURES_DIR=\"" + pictures.filePath("shots").toUtf8() + "\"\n");
  dirs.close();
  const auto gone = qScopeGuard([&] { dirs.remove(); });
  folder.WriteScript("opn", {"a"});
  game.Start();
  bool shown = false;
  for (const int key : {Qt::Key_A, Qt::Key_H, Qt::Key_Minus, Qt::Key_Plus}) {
    Key(game.window(), key);
    shown = !shown;
    EXPECT_EQ(game.fom().controls.TxtDay.visible, shown) << key << " is the stage's any key";
  }
  for (const int key : {Qt::Key_F1, Qt::Key_Escape, Qt::Key_F12}) Key(game.window(), key);
  EXPECT_FALSE(game.fom().controls.TxtDay.visible);
  EXPECT_FALSE(Find("KeyHelp").isVisible());
  const QStringList shots = QDir(pictures.filePath("shots")).entryList(QDir::Files);
  ASSERT_EQ(shots.size(), 1);
  const QImage shot(pictures.filePath("shots/" + shots[0]));
  EXPECT_EQ(shot.width(), shot.height() * 4 / 3);
  EXPECT_NEAR(shot.height(), game.window().height(), 1) << "the whole game, no frame";
  EXPECT_TRUE(Find<QLabel>("Notice").text().endsWith(shots[0]));
}

TEST_F(Reader, VolumeStepsAndSettingsReachTheDeviceTheGameAndThePreferencesFile) {
  StartScene();
  const struct {
    int key, times;
    double volume;
    const char* sign;
  } steps[] = {{Qt::Key_Minus, 12, 0.0, "♪ 0%"},
               {Qt::Key_Plus, 15, 1.0, "♪ 100%"},
               {(Qt::ALT | Qt::Key_Minus).toCombined(), 1, 1.0, "♪ 100%"},
               {Qt::Key_M, 1, 0.0, "♪ muted"},
               {Qt::Key_Minus, 1, 0.0, "♪ muted"},
               {Qt::Key_M, 1, 0.9, "♪ 90%"}};
  for (const auto& step : steps) {
    for (int i = 0; i < step.times; ++i) Key(game.window(), step.key);
    EXPECT_DOUBLE_EQ(midi.volume, step.volume) << step.sign;
    EXPECT_EQ(Find<QLabel>("VolumeSign").text(), step.sign);
    EXPECT_TRUE(Find<QLabel>("VolumeSign").isVisible());
  }
  EXPECT_EQ(Remembered("volume"), 9);

  bool readAloud = false;
  game.reader().SetOnReadAloud([&](bool on) { readAloud = on; });
  Key(game.window(), Qt::Key_F2);
  ASSERT_TRUE(Find("Settings").isVisible());
  Key(game.window(), Qt::Key_A);
  EXPECT_FALSE(game.fom().AutoAdvancing()) << "the game waits under the settings";
  Find<QComboBox>("TextSpeed").setCurrentIndex(2);
  Find<QComboBox>("Skip").setCurrentIndex(1);
  Find<QCheckBox>("ReadAloud").setChecked(true);
  Find<QCheckBox>("FullScreen").setChecked(true);
  EXPECT_TRUE(game.window().isFullScreen());
  EXPECT_EQ(game.fom().controls.TimSay.interval, 40);
  EXPECT_TRUE(game.fom().reader.skipEverything);
  EXPECT_TRUE(readAloud);
  EXPECT_EQ(Remembered("textSpeed"), 2);
  EXPECT_EQ(Remembered("skipEverything"), true);
  EXPECT_EQ(Remembered("readAloud"), true);
  Key(Find("Settings"), Qt::Key_Escape);
  EXPECT_FALSE(Find("Settings").isVisible());
  EXPECT_FALSE(game.fom().InModal());
}

TEST_F(Reader, HOrAMiddleClickPutsTheMessageAsideAndAnyClickOrKeyBringsItBackUnturned) {
  StartScene();
  auto& lbl = Find<QLabel>("Lbl");
  ASSERT_TRUE(testing::RunUntil([&] { return lbl.text().endsWith(kPageEndMarker); }));
  const QString page = lbl.text();
  // Put aside by H or a middle click; brought back by a key, a left or a middle click.
  const std::pair<bool, Qt::MouseButton> rows[] = {
      {false, Qt::NoButton}, {true, Qt::LeftButton}, {false, Qt::MiddleButton}};
  for (const auto& [middle, back] : rows) {
    SCOPED_TRACE(back);
    middle ? testing::Click(lbl, Qt::MiddleButton) : Key(game.window(), Qt::Key_H);
    EXPECT_FALSE(lbl.isVisible() || Find("PicKao").isVisible());
    back == Qt::NoButton ? Key(game.window(), Qt::Key_Space) : testing::Click(game.window(), back);
    EXPECT_TRUE(lbl.isVisible() && Find("PicKao").isVisible());
    EXPECT_EQ(lbl.text(), page);
  }
  Key(game.window(), Qt::Key_A);
  EXPECT_TRUE(Find("AutoSign").isVisible());
  EXPECT_TRUE(testing::RunUntil([&] { return game.fom().controls.PicCom.visible; }, 20000));
  EXPECT_FALSE(Find("AutoSign").isVisible());
}

}  // namespace
}  // namespace hibi
