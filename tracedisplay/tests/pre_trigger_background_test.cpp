#include <gtest/gtest.h>

#include "tracedisplay/background/pre_trigger_background.h"
#include "tracedisplay/tests/drawing_canvas.h"

using namespace PendrelDraw;

namespace {

constexpr COLORREF kHatchWhite = RGB(255, 255, 255);

// The picture of a hatch of `height` drawn over `width` columns at a data position.
std::vector<COLORREF> HatchPicture(LONG height, LONG width, LONGLONG position) {
  DrawPreTriggerBackground hatch;
  hatch.Build(nullptr, height);
  DrawingCanvas surface(width, height);
  EXPECT_EQ(hatch.Draw(surface.Dc(), position, 0, width), S_OK);
  return surface.Pixels();
}

}  // namespace

TEST(PreTriggerBackgroundTest, TileWidthIsTheNextMultipleOfTwenty) {
  const struct {
    LONG height;
    LONG width;
  } cases[] = {{0, 20}, {1, 20}, {20, 20}, {21, 40}, {40, 40}, {41, 60}};
  for (const auto& c : cases) {
    EXPECT_EQ(PreTriggerTileWidth(c.height), c.width) << c.height;
    if (c.height == 0) continue;  // a fresh hatch is already built for height 0
    DrawPreTriggerBackground hatch;
    hatch.Build(nullptr, c.height);
    EXPECT_EQ(hatch.TileWidth(), c.width) << c.height;
  }
}

TEST(PreTriggerBackgroundTest, StripesTakeTheHatchColourAndLeaveTheRest) {
  const std::vector<COLORREF> pixels = HatchPicture(30, 80, 0);
  int hatched = 0, untouched = 0;
  for (COLORREF pixel : pixels) {
    if (pixel == kPreTriggerColour) ++hatched;
    else if (pixel == kHatchWhite) ++untouched;
    else ADD_FAILURE() << std::hex << pixel;
  }
  // 8-pixel stripes every 20 columns cover a bit less than half of the lane.
  EXPECT_GT(hatched, int(pixels.size()) / 4);
  EXPECT_GT(untouched, int(pixels.size()) / 4);
}

TEST(PreTriggerBackgroundTest, ThePhaseFollowsThePosition) {
  const LONG height = 25, width = 90, tile = 40;
  const std::vector<COLORREF> atZero = HatchPicture(height, width, 0);
  EXPECT_EQ(HatchPicture(height, width, 3 * tile), atZero);
  EXPECT_EQ(HatchPicture(height, width, -tile), atZero);
  // A position of p shows at column x what position 0 shows at column x + p.
  const std::vector<COLORREF> atSeven = HatchPicture(height, width, 7);
  const std::vector<COLORREF> atSevenMore = HatchPicture(height, width, 7 + 5 * tile);
  EXPECT_EQ(atSeven, atSevenMore);
  for (LONG y = 0; y < height; ++y) {
    for (LONG x = 0; x + 7 < width; ++x) {
      ASSERT_EQ(atSeven[std::size_t(y * width + x)], atZero[std::size_t(y * width + x + 7)])
          << x << "," << y;
    }
  }
}

TEST(PreTriggerBackgroundTest, OneBlitPerTileRun) {
  EXPECT_EQ(TileBlits(0, 20, 20, 0), (std::vector<TileBlit>{{0, 20, 0}}));
  EXPECT_EQ(TileBlits(0, 20, 20, 5), (std::vector<TileBlit>{{0, 15, 5}, {15, 5, 0}}));
  EXPECT_EQ(TileBlits(10, 55, 20, 0),
            (std::vector<TileBlit>{{10, 20, 0}, {30, 20, 0}, {50, 5, 0}}));
  EXPECT_TRUE(TileBlits(10, 10, 20, 3).empty());
}

TEST(PreTriggerBackgroundTest, NothingToDrawBeforeBuildOrOverNoColumns) {
  DrawingCanvas surface(40, 20);
  DrawPreTriggerBackground hatch;
  EXPECT_EQ(hatch.Draw(surface.Dc(), 0, 0, 40), S_OK);
  for (COLORREF pixel : surface.Pixels()) ASSERT_EQ(pixel, kHatchWhite);
  hatch.Build(nullptr, 20);
  EXPECT_EQ(hatch.Draw(surface.Dc(), 0, 5, 5), S_FALSE);
  EXPECT_EQ(hatch.Draw(surface.Dc(), 0, 6, 5), S_FALSE);
  // A height of 0 on a fresh hatch is the height it has: still no tile.
  DrawPreTriggerBackground flat;
  flat.Build(nullptr, 0);
  EXPECT_EQ(flat.Draw(surface.Dc(), 0, 0, 40), S_OK);
}
