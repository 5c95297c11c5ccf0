#include "layout/layout.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include "support/harness.h"

namespace hibi {
namespace {

TEST(Layout, TheWindowKeepsItsShapeAndTheFontsFollowItsHeight) {
  // The window's size in twips on a 19200 x 14400 twip screen; where it goes (nullopt:
  // left where it is); its fonts (0: not laid out); sizable false: maximised, the platform's.
  const struct {
    const char* name;
    double width, height;
    std::optional<Placement> at;
    int fontUnit, dayFontSize;
    bool sizable = true;
  } rows[] = {
      {"design width: 1297.5 rounds to the even 1298", 10380, 6720, {{7788, 4410, 3306}}, 9, 18},
      {"widest window whose height fits 16 bits", 43690, 500, {{32766, -12245, -9183}}, 34, 68},
      {"5461.5 eighths round to 5462: six of them overflow", 43692, 7000, {}, 9, 18},
      {"overflow: an 800 twip high window is laid out", 50000, 800, {}, 2, 4},
      {"overflow: a 799.9 twip high window is left alone", 50000, 799.9, {}, 0, 0},
      {"798 twips high: too low to lay out", 1064, 9000, {{798, 9068, 6801}}, 0, 0},
      {"maximised: left as it is, fonts from its real height", 19200, 12000, {}, 14, 28, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Layout layout = ComputeLayout({row.width, row.height, 19200, 14400, row.sizable}, 0);
    const auto place = [](const std::optional<Placement>& p) {  // nullopt: height -1
      return p ? std::tuple(p->height, p->left, p->top) : std::tuple(-1., 0., 0.);
    };
    EXPECT_EQ(place(layout.placement), place(row.at));
    const bool on = layout.laidOut;
    EXPECT_EQ(std::tuple(on, on ? layout.fontUnit : 0, on ? layout.dayFontSize : 0),
              std::tuple(row.fontUnit != 0, row.fontUnit, row.dayFontSize));
  }
  EXPECT_EQ(ComputeLayout({13440, 10080, 19200, 14400}, 25).dayTooltip,
            QStringLiteral("経過日数。25でエンディング。"));
}

TEST(Layout, AWindowNeverOutgrowsTheUsableScreenAndIsCentredOnIt) {
  // Twips at 15 a pixel; the usable area leaves out the panels. (A window wider than the
  // screen allows: the window's own test.)
  const struct {
    const char* name;
    double width;
    TwipRect usable;
    Placement at;
  } rows[] = {
      {"fits: kept, centred", 20160, {0, 0, 28800, 16200}, {15120, 4320, 540, 20160}},
      {"a panel above: below it", 28800, {0, 600, 28800, 15600}, {15600, 4000, 600, 20800}},
      {"portrait: as wide as the screen", 20000, {0, 0, 16200, 28800}, {12150, 0, 8325, 16200}},
      {"on a second screen to the right",
       40000,
       {28800, 0, 19200, 15360},
       {14400, 28800, 480, 19200}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::optional<Placement> at =
        PlaceWindow({row.width, 9000, 28800, 16200, true, row.usable});
    ASSERT_TRUE(at);
    EXPECT_EQ(std::tuple(at->width, at->height, at->left, at->top),
              std::tuple(row.at.width, row.at.height, row.at.left, row.at.top));
  }
}

TEST(Layout, TheGridPutsEachControlInItsPlaceAndElevenPanelRowsFillThePanel) {
  // At 704 x 509 pixels (85.9 a unit across, 82.1 down, the 0.1 unit margin first) no
  // edge lies on a whole pixel, yet neighbours meet: the list's bottom is the face's top
  // (337), the face's right the label's left (180).
  const std::pair<GridRect, QRect> rows[] = {{kPicSttRect, {0, 0, 704, 509}},
                                             {kLstIventRect, {9, 8, 171, 329}},
                                             {kPicKaoRect, {9, 337, 171, 164}},
                                             {kLblRect, {180, 337, 344, 164}},
                                             {kPicComRect, {567, 8, 128, 493}}};
  for (const auto& [rect, px] : rows) EXPECT_EQ(ToPixels(rect, kWindowGrid, {704, 509}), px);
  // 600 pixels over eleven rows: every edge lies where its share rounds to.
  const int edges[] = {0, 55, 109, 164, 218, 273, 327, 382, 436, 491, 545, 600};
  for (int row = 0; row < 11; ++row) {
    EXPECT_EQ(ToPixels(PanelRow(row), kPanelGrid, {150, 600}),
              QRect(0, edges[row], 150, edges[row + 1] - edges[row]))
        << row;
  }
}

TEST(FormResize, RedrawsTheTitleOnlyWhileTheStageShowsAndAlwaysTheEventPicture) {
  // What the stage and the picture show, relative to the game folder, "" for nothing.
  const struct {
    const char* name;
    bool stageVisible;
    double windowHeight, windowWidth;
    const char *shownOnStage, *shownOnPic;
  } rows[] = {{"title showing", true, 10080, 13440, "img/ttl.png", "img/ttl.png"},
              {"in play: the last picture is redrawn", false, 10080, 13440, "", "img/005.png"},
              {"too low to lay out: nothing is drawn", true, 700, 50000, "", ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    testing::Harness h;
    for (const char* file : {"img/ttl.png", "img/005.png"}) h.game.TouchPicture(file);
    h.fom.state.folders = MakeFolders(h.game.folder());
    h.fom.state.settings.pictureSuffix = ".png";
    h.pictures.Load(PictureBuffer::E, h.game.path("img/005.png"));
    h.fom.controls.PicStt.visible = row.stageVisible;
    h.shell.metrics = {row.windowWidth, row.windowHeight, 19200, 14400};

    h.fom.Form_Resize();

    ASSERT_EQ(h.shell.layouts.size(), 1u);
    const auto path = [&](const char* file) { return *file ? h.game.path(file) : QString(); };
    EXPECT_EQ(h.pictures.shownPicStt, path(row.shownOnStage));
    EXPECT_EQ(h.pictures.shownPic, path(row.shownOnPic));
    EXPECT_EQ(h.fom.controls.LstIvent.items.size(), 0) << "a redraw remembers nothing";
  }
}

}  // namespace
}  // namespace hibi
