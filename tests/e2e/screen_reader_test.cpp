#include "qt/qt_accessibility.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QWindow>
#include <filesystem>

#include "qt/qt_app.h"
#include "storage/text_file.h"
#include "support/harness.h"
#include "support/qstring_print.h"
#include "support/qt/widgets.h"

namespace hibi {
namespace {

QStringList heard;  // what each line event gave the message area, in order

void Listen(QAccessibleEvent& event) {
  if (event.type() == QAccessible::TextInserted && event.object()->objectName() == "Lbl") {
    heard << static_cast<QAccessibleTextInsertEvent&>(event).textInserted();
  }
}

QAccessibleInterface* Reader(QWidget& widget) {
  return QAccessible::queryAccessibleInterface(&widget);
}

// What the player reads of a scene, straight from the sample's script file.
QStringList Rows(const QString& folder, const QString& scene) {
  QStringList rows;
  const QStringList lines =
      ReadAllLines(folder, folder + "txt/" + scene + ".txt").value_or(QStringList{});
  for (const QString& line : lines) {
    if (line.isEmpty() || line == "-" || line.startsWith(">")) continue;
    rows << (line.startsWith("-") ? line.mid(1).section(u'＿', 0, 0) : line) + "\n";
  }
  return rows;
}

class ScreenReaderPlay : public ::testing::Test {
 public:
  ScreenReaderPlay() {
    std::filesystem::copy(HIBI_SAMPLE_DIR, dir.path().toStdString(),
                          std::filesystem::copy_options::recursive);
    game.screenReader().SetSend(Listen);
    heard.clear();
  }
  QWidget& Focus() { return *game.window().focusWidget(); }
  QString FocusName() { return Reader(Focus())->text(QAccessible::Name); }
  QString Name(const char* name) { return Reader(Find(name))->text(QAccessible::Name); }
  QWidget& Find(const char* name) { return testing::Child(game.window(), name); }
  void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
    const QString text = key > 32 && key < 127 ? QString(QChar(key)).toLower() : QString();
    for (auto action : {QTest::Press, QTest::Release}) {
      QTest::sendKeyEvent(action, game.window().windowHandle(), Qt::Key(key), text, modifiers);
    }
  }
  // The accessible children of the window, by name: what a screen reader can reach.
  QStringList Reachable() {
    QStringList names;
    QAccessibleInterface* window = Reader(game.window());
    for (int i = 0; i < window->childCount(); ++i)
      names << window->child(i)->object()->objectName();
    return names;
  }

  QTemporaryDir dir;
  QString folder = dir.path() + "/";
  testing::FakeMidi midi;
  testing::ScriptedRandom random;
  QtGame game{folder, midi, random};
};

TEST_F(ScreenReaderPlay, TheOpeningWithKeysAloneIsHeardLineByLineAndEveryControlSaysWhatItIs) {
  game.Start();
  ASSERT_TRUE(testing::RunUntil([&] { return game.window().focusWidget(); }));
  EXPECT_EQ(FocusName(),
            kGameTitle + "。Ctrl+Enterではじめる。ほかのキーで日数の上限の欄を出し入れ");
  EXPECT_FALSE(Reachable().contains("LstIvent")) << "the hidden memory list";

  // Any key shows the day-limit box, Tab enters it, Enter in it begins with the limit typed.
  Key(Qt::Key_A);
  Key(Qt::Key_Tab);
  ASSERT_EQ(Focus().objectName(), "TxtDay");
  Key(Qt::Key_A, Qt::ControlModifier);
  Key(Qt::Key_3);
  Key(Qt::Key_Return);
  EXPECT_EQ(game.fom().state.dayLimit, 3);

  // Each line once, alone; Enter at every page end, until a command has the focus.
  QSet<QString> speakers;
  for (int turns = 0; !qobject_cast<QPushButton*>(&Focus()); ++turns) {
    ASSERT_LT(turns, 100) << "never at the commands";
    ASSERT_EQ(Focus().objectName(), "Lbl");
    QAccessible::State state = Reader(Focus())->state();
    EXPECT_TRUE(state.focused && state.readOnly) << "the message area in a scene";
    if (Find("PicKao").isVisible()) speakers << Name("PicKao");
    testing::RunUntil([&] { return game.fom().state.pageMarker == "▼"; }, 3000);
    Key(Qt::Key_Return);
  }
  EXPECT_EQ(heard, Rows(folder, "opn"));
  EXPECT_EQ(speakers, (QSet<QString>{"よわ", "とおみや", "こうき"}));
  EXPECT_EQ(Name("Lbl"), "メッセージ");

  const struct {
    const char* label;
    QString name;
  } status[] = {{"LblDay", "経過日数 0"}, {"LblTime", "時間 早朝"}, {"LblHirou", "疲労度 0"}};
  for (const auto& row : status) EXPECT_EQ(Name(row.label), row.name);

  // The arrows to 休む, Enter; G opens the memory list, the arrows and Enter pick.
  for (int i = 0; i < 6; ++i) Key(Qt::Key_Right);
  ASSERT_EQ(FocusName(), "休む");
  heard.clear();
  Key(Qt::Key_Return);
  EXPECT_EQ(heard, QStringList{"たっぷりやすんだよ\n"});
  EXPECT_EQ(Name("LblTime"), "時間 朝");
  Key(Qt::Key_G);
  ASSERT_TRUE(Reachable().contains("LstIvent"));
  ASSERT_EQ(Focus().objectName(), "LstIvent");
  Key(Qt::Key_Down);
  const QString picked =
      testing::Child<QListWidget>(game.window(), "LstIvent").currentItem()->text();
  Key(Qt::Key_Return);
  EXPECT_EQ(Name("Pic"), picked);
  EXPECT_FALSE(Reachable().contains("LstIvent"));
  ASSERT_EQ(Focus().objectName(), "Com6") << "back where the player was";

  // V reads every line aloud from then on, and is remembered; V again stops. The
  // visit to こうき opens his first scene.
  QStringList spoken;
  game.readAloud().SetVoice([&](const QString& line) { spoken << line + "\n"; });
  Key(Qt::Key_V);
  EXPECT_TRUE(QSettings(PreferencesFile(), QSettings::IniFormat).value("readAloud").toBool());
  Key(Qt::Key_Left);
  Key(Qt::Key_Return);
  Key(Qt::Key_V);
  Key(Qt::Key_Return);
  EXPECT_EQ(spoken, Rows(folder, "021").mid(0, 1));
  EXPECT_FALSE(QSettings(PreferencesFile(), QSettings::IniFormat).value("readAloud").toBool());
}

// The picture's name comes from NAME.txt beside it when that holds text, and only
// from what the game can read of it at once; else from the file's name. A FIFO or a
// folder in its place is the hostile-files table's (storage).
TEST(PictureTitle, TheTextBesideThePictureNamesItWhenItCanBeReadElseTheFileName) {
  const struct {
    QByteArray bytes;  // what stands as img/abc.txt; null: nothing
    QString title;
  } rows[] = {
      {QByteArray(), "abc"},
      {QByteArray::fromStdString(EncodeCp932("夕立の空")) + "\r\n2", "夕立の空"},
      {"\x1b]0;x\x07ok\r\n", "]0;xok"},                // no control characters
      {QByteArray(kMostTitleBytes + 10, 'a'), "abc"},  // read no further than the bound
      {" \r\n", "abc"},
  };
  for (const auto& row : rows) {
    testing::TempGame game;
    game.TouchPicture("img/abc.png");
    if (!row.bytes.isNull()) game.WriteRaw("img/abc.txt", row.bytes);
    EXPECT_EQ(PictureTitle(game.folder(), game.path("img/abc.png"), ".png"), row.title)
        << row.bytes.toStdString();
  }
}

}  // namespace
}  // namespace hibi
