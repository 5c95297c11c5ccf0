#include "layout/layout.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/harness.h"

namespace hibi {
namespace {

struct LayoutRow {
  const char* name;
  double width, height;         // of the window, in twips, on a 19200 x 14400 twip screen
  std::optional<Placement> at;  // nullopt: left where it is
  int fontUnit, dayFontSize;    // 0: not laid out
  bool sizable = true;          // false: maximised, the platform's to size
};

const LayoutRow kLayoutRows[] = {
    {"design width: 1297.5 rounds to the even 1298", 10380, 6720, {{7788, 4410, 3306}}, 9, 18},
    {"start-up width on a 19200 twip screen", 13440, 9000, {{10080, 2880, 2160}}, 12, 24},
    {"13.5 eighths round up to the even 14", 108, 0, {{84, 9546, 7158}}, 0, 0},
    {"widest window whose height fits 16 bits", 43690, 500, {{32766, -12245, -9183}}, 34, 68},
    {"5461.5 eighths round to 5462: six of them overflow", 43692, 7000, {}, 9, 18},
    {"overflow: an 800 twip high window is laid out", 50000, 800, {}, 2, 4},
    {"overflow: a 799.9 twip high window is left alone", 50000, 799.9, {}, 0, 0},
    {"an eighth beyond 16 bits", 262200, 9000, {}, 11, 22},
    {"798 twips high: too low to lay out", 1064, 9000, {{798, 9068, 6801}}, 0, 0},
    {"804 twips high: laid out", 1068, 9000, {{804, 9066, 6798}}, 2, 4},
    {"maximised: left as it is, fonts from its real height", 19200, 12000, {}, 14, 28, false},
};

TEST(Layout, TheWindowKeepsItsShapeAndTheFontsFollowItsHeight) {
  for (const LayoutRow& row : kLayoutRows) {
    SCOPED_TRACE(row.name);
    const Layout layout = ComputeLayout({row.width, row.height, 19200, 14400, row.sizable}, 0);
    ASSERT_EQ(layout.placement.has_value(), row.at.has_value());
    if (row.at) {
      EXPECT_DOUBLE_EQ(layout.placement->height, row.at->height);
      EXPECT_DOUBLE_EQ(layout.placement->left, row.at->left);
      EXPECT_DOUBLE_EQ(layout.placement->top, row.at->top);
    }
    EXPECT_EQ(layout.laidOut, row.fontUnit != 0);
    if (row.fontUnit != 0) {
      EXPECT_EQ(layout.fontUnit, row.fontUnit);
      EXPECT_EQ(layout.dayFontSize, row.dayFontSize);
    }
  }
}

TEST(Layout, TheDaysTooltipNamesTheLimitOfTheGame) {
  EXPECT_EQ(ComputeLayout({13440, 10080, 19200, 14400}, 0).dayTooltip,
            QStringLiteral("経過日数。0でエンディング。"));
  EXPECT_EQ(ComputeLayout({13440, 10080, 19200, 14400}, 25).dayTooltip,
            QStringLiteral("経過日数。25でエンディング。"));
}

TEST(Layout, TheGridPutsEachControlInItsPlaceOnAWindowOf820By620Pixels) {
  // 100 pixels a unit, with the 0.1 unit margin making the origin (10, 10).
  const QSizeF area(820, 620);
  struct Row {
    const char* name;
    GridRect rect;
    QRect pixels;
  };
  const Row rows[] = {
      {"stage covers the inner area", kPicSttRect, {0, 0, 820, 620}},
      {"memory list over the picture's left third", kLstIventRect, {10, 10, 200, 400}},
      {"event picture", kPicRect, {10, 10, 600, 400}},
      {"face", kPicKaoRect, {10, 410, 200, 200}},
      {"message", kLblRect, {210, 410, 400, 200}},
      {"outline round face and message", kShpKRect, {10, 410, 600, 200}},
      {"command panel", kPicComRect, {660, 10, 150, 600}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ToPixels(row.rect, kWindowGrid, area), row.pixels);
  }
}

TEST(Layout, ElevenPanelRowsHoldThreeLabelsAndEightButtonsWithoutGaps) {
  const QSizeF panel(150, 605);
  int bottom = 0;
  for (int row = 0; row < 11; ++row) {
    SCOPED_TRACE(row);
    const QRect cell = ToPixels(PanelRow(row), kPanelGrid, panel);
    EXPECT_EQ(cell.top(), bottom);
    EXPECT_EQ(cell.width(), 150);
    EXPECT_EQ(cell.height(), 55);
    bottom = cell.top() + cell.height();
  }
  EXPECT_EQ(bottom, 605);
  EXPECT_EQ(kFirstCommandRow + 7, 10);
}

struct ResizeRow {
  const char* name;
  bool stageVisible;
  double windowHeight;
  double windowWidth;
  const char* shownOnStage;  // relative to the game folder, "" for nothing
  const char* shownOnPic;
};

TEST(FormResize, RedrawsTheTitleOnlyWhileTheStageShowsAndAlwaysTheEventPicture) {
  const ResizeRow rows[] = {
      {"title showing", true, 10080, 13440, "img/ttl.png", "img/ttl.png"},
      {"in play: the last picture is redrawn", false, 10080, 13440, "", "img/005.png"},
      {"too low to lay out: nothing is drawn", true, 700, 50000, "", ""},
  };
  for (const ResizeRow& row : rows) {
    SCOPED_TRACE(row.name);
    testing::Harness h;
    h.game.TouchPicture("img/ttl.png");
    h.game.TouchPicture("img/005.png");
    h.fom.state.folders.pictureFolder = h.game.path("img/");
    h.fom.state.settings.pictureSuffix = ".png";
    h.pictures.Load(PictureBuffer::E, h.game.path("img/005.png"));
    h.pictures.log.clear();
    h.fom.controls.PicStt.visible = row.stageVisible;
    h.shell.metrics = {row.windowWidth, row.windowHeight, 19200, 14400};

    h.fom.Form_Resize();

    ASSERT_EQ(h.shell.layouts.size(), 1u);
    const QString stage = *row.shownOnStage ? h.game.path(row.shownOnStage) : QString();
    const QString pic = *row.shownOnPic ? h.game.path(row.shownOnPic) : QString();
    EXPECT_EQ(h.pictures.shownPicStt, stage);
    EXPECT_EQ(h.pictures.shownPic, pic);
    EXPECT_EQ(h.fom.controls.LstIvent.items.size(), 0) << "a redraw remembers nothing";
  }
}

}  // namespace
}  // namespace hibi
