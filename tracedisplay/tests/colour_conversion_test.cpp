#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tracedisplay/drawers/colour_conversion.h"

using namespace PendrelDraw;

namespace {

struct ReferenceColour {
  double hue, saturation, value;
  double red, green, blue;
  COLORREF adjusted;
};

// A grid of colours: every component 0, 1, 37, 128, 200, 254 or 255.
std::vector<COLORREF> ColourGrid() {
  const int levels[] = {0, 1, 37, 128, 200, 254, 255};
  std::vector<COLORREF> grid;
  for (int r : levels)
    for (int g : levels)
      for (int b : levels) grid.push_back(RGB(r, g, b));
  return grid;
}

// colorsys's answers for the colours (the tests run in this folder).
std::vector<ReferenceColour> Reference(const std::vector<COLORREF>& colours, double amount) {
  std::string command = "/usr/bin/python3 colour_reference.py " + std::to_string(amount);
  for (COLORREF colour : colours) command += " " + std::to_string(colour);
  std::vector<ReferenceColour> found;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return found;
  ReferenceColour line{};
  unsigned long adjusted = 0;
  while (std::fscanf(pipe, "%lf %lf %lf %lf %lf %lf %lu", &line.hue, &line.saturation, &line.value,
                     &line.red, &line.green, &line.blue, &adjusted) == 7) {
    line.adjusted = COLORREF(adjusted);
    found.push_back(line);
  }
  pclose(pipe);
  return found;
}

TEST(ColourConversionTest, HsvBothWaysAgreesWithColorsys) {
  const std::vector<COLORREF> grid = ColourGrid();
  const std::vector<ReferenceColour> reference = Reference(grid, 0.0);
  ASSERT_EQ(reference.size(), grid.size()) << "python3 with colorsys is needed";
  for (std::size_t i = 0; i < grid.size(); ++i) {
    SCOPED_TRACE(testing::Message() << std::hex << grid[i]);
    HsvColour hsv = HsvColour::FromColour(grid[i]);
    EXPECT_NEAR(hsv.saturation, reference[i].saturation, 1e-12);
    EXPECT_NEAR(hsv.value, reference[i].value, 1e-12);
    // colorsys calls the hue of black 0; here it is undefined.
    EXPECT_NEAR(hsv.hue, hsv.value == 0.0 ? -1.0 : reference[i].hue, 1e-9);
    hsv.ToRgb();
    EXPECT_NEAR(hsv.red, reference[i].red, 1e-12);
    EXPECT_NEAR(hsv.green, reference[i].green, 1e-12);
    EXPECT_NEAR(hsv.blue, reference[i].blue, 1e-12);
  }
}

TEST(ColourConversionTest, AdjustBrightnessAgreesWithColorsysForEachAmount) {
  const std::vector<COLORREF> grid = ColourGrid();
  for (double amount : {-2.0, -1.0, 0.0, 0.15, 1.0, 2.0}) {
    const std::vector<ReferenceColour> reference = Reference(grid, amount);
    ASSERT_EQ(reference.size(), grid.size());
    for (std::size_t i = 0; i < grid.size(); ++i) {
      EXPECT_EQ(AdjustBrightness(grid[i], amount), reference[i].adjusted)
          << std::hex << grid[i] << " by " << amount;
    }
  }
}

TEST(ColourConversionTest, EdgesOfTheScale) {
  const HsvColour black = HsvColour::FromColour(RGB(0, 0, 0));
  EXPECT_EQ(black.hue, -1.0);
  EXPECT_EQ(black.saturation, 0.0);
  EXPECT_EQ(black.value, 0.0);
  EXPECT_EQ(AdjustBrightness(RGB(0, 0, 0), 0.0), RGB(0, 0, 0));
  // The divisor is 256: white never comes back whole.
  EXPECT_EQ(HsvColour::FromColour(0xFFFFFF).value, 0.99609375);
  EXPECT_EQ(AdjustBrightness(0xFFFFFF, 0.0), COLORREF(0xFEFEFE));
  EXPECT_EQ(HsvColour::FromColour(0xAB123456).topByte, 0xAB);
  EXPECT_EQ(AdjustBrightness(0xAB123456, 0.0) >> 24, 0u);
  for (COLORREF colour : ColourGrid()) {
    EXPECT_EQ(AdjustBrightness(colour, 2.0), AdjustBrightness(colour, 1.0));
    EXPECT_EQ(AdjustBrightness(colour, -2.0), AdjustBrightness(colour, 1.0));
  }
}

TEST(ColourConversionTest, PullTowardsLevel) {
  // d = trunc((3 x 240 - 255 - 0 - 0) x (50 / 180) / 3) = 43.
  EXPECT_EQ(PullTowardsLevel(RGB(255, 0, 0), 50.0 / 180.0, 240.0), RGB(240, 43, 43));
  EXPECT_EQ(PullTowardsLevel(RGB(240, 240, 240), 50.0 / 180.0, 240.0), RGB(240, 240, 240));
  // A negative pull: d = trunc((300 - 765) x 0.5 / 3) = -77.
  EXPECT_EQ(PullTowardsLevel(RGB(255, 255, 255), 0.5, 100.0), RGB(100, 100, 100));
  EXPECT_EQ(PullTowardsLevel(0xFF000000, 0.0, 240.0), RGB(0, 0, 0));
  for (double level : {240.0, 100.7, 0.0}) {
    for (COLORREF colour : ColourGrid()) {
      const COLORREF pulled = PullTowardsLevel(colour, 50.0 / 180.0, level);
      const int top = int(level);
      EXPECT_LE(GetRValue(pulled), top);
      EXPECT_LE(GetGValue(pulled), top);
      EXPECT_LE(GetBValue(pulled), top);
      EXPECT_EQ(pulled >> 24, 0u);
    }
  }
}

}  // namespace
