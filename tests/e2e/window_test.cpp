// One evening through the real window: input goes in through the platform's own
// event path (so routing to the stage, the label, the buttons and the window holds
// as on a desktop) and the real timers pace the text. The close: qt_window_test.
#include <gtest/gtest.h>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "qt/qt_app.h"
#include "support/harness.h"
#include "support/qstring_print.h"
#include "support/qt/widgets.h"

namespace hibi::testing {
namespace {

class Evening : public ::testing::Test {
 protected:
  template <class W = QWidget>
  W& Find(const QString& name) {
    return Child<W>(game.window(), name);
  }
  QString Text(const QString& label) { return Find<QLabel>(label).text(); }
  bool Shown(const QString& name) { return Find(name).isVisible(); }
  // A click on the middle of `target`, delivered to the window at that point: it
  // fails when something else would take it.
  void ClickOn(const QString& name, Qt::MouseButton button = Qt::LeftButton) {
    QWidget& target = Find(name);
    QWidget& top = game.window();
    const QPoint at = target.mapTo(&top, target.rect().center());
    ASSERT_EQ(top.childAt(at), &target) << name.toStdString() << " is covered";
    QTest::mouseClick(top.windowHandle(), button, Qt::NoModifier, at);
  }

  TempGame folder;
  FakeMidi midi;
  ScriptedRandom random;
  QtGame game{folder.folder(), midi, random};
};

TEST_F(Evening, FromTheTitleThroughAPagedSceneToTheButtons) {
  QStringList opening;
  for (int i = 1; i <= 12; ++i) opening << QString::number(i) + "行目";
  folder.WriteScript("opn", opening);
  game.Start();
  ASSERT_TRUE(RunUntil([&] { return game.window().windowHandle()->isExposed(); }));

  QStringList captions;
  for (int i = 0; i < 8; ++i) captions << Find<QPushButton>(QString("Com%1").arg(i)).text();
  EXPECT_EQ(captions.join(" "),
            "かえる公園 森林万樹 サガの店 よわのねぐら "
            "とおみやの家 こうきの部屋 休む メニュー");

  // A key on the title reaches the stage and shows the day-limit box; a click starts.
  ASSERT_TRUE(Shown("PicStt"));
  QTest::keyClick(game.window().windowHandle(), Qt::Key_A);
  EXPECT_TRUE(Shown("TxtDay"));
  ClickOn("PicStt");
  ASSERT_FALSE(Shown("PicStt"));
  EXPECT_EQ(Text("Lbl"), "\n1行目");

  // The pacing timer shows a line at a time and stops at the first page end.
  auto& timSay = Find<QTimer>("TimSay");
  ASSERT_TRUE(RunUntil([&] { return Text("Lbl").endsWith("▼") && !timSay.isActive(); }, 20000));
  EXPECT_TRUE(Text("Lbl").endsWith("8行目▼"));
  ClickOn("Lbl");
  EXPECT_EQ(Text("Lbl"), "\n9行目");
  // A right click fast-forwards to the end of the scene.
  ClickOn("Lbl", Qt::RightButton);
  ASSERT_TRUE(RunUntil([&] { return Shown("PicCom"); }, 20000));
  EXPECT_EQ(Text("Lbl") + (timSay.isActive() ? "pacing" : ""), "");
  EXPECT_TRUE(Find("Lbl").updatesEnabled()) << "painted once a frame while racing, at once after";

  // A button in command mode: rest takes the morning.
  EXPECT_EQ(Text("LblTime"), "早朝");
  ClickOn("Com6");
  EXPECT_EQ(Text("Lbl") + Text("LblTime"), "\nたっぷりやすんだよ朝");
}

}  // namespace
}  // namespace hibi::testing
