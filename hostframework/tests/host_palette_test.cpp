#include "hostframework/host_palette.h"

#include <gtest/gtest.h>

#include "platform/win32/screen.h"

namespace {

class Palette : public ::testing::Test {
 protected:
  void TearDown() override {
    win32::SetScreenForTesting({});
    SelectHostPalette(false);
  }
};

TEST_F(Palette, ColourDepthAndKindChooseThePalette) {
  win32::SetScreenForTesting({});
  SelectHostPalette(false);
  EXPECT_FALSE(GetHostPalette().basic);
  EXPECT_EQ(GetHostPalette().orderCount, 18);
  SelectHostPalette(true);
  EXPECT_TRUE(GetHostPalette().basic);
  EXPECT_EQ(GetHostPalette().size, 20);

  win32::ScreenDescription lowColour;
  lowColour.bitsPerPixel = 8;
  win32::SetScreenForTesting(lowColour);
  SelectHostPalette(false);
  EXPECT_EQ(GetHostPalette().size, 12);
  EXPECT_TRUE(GetHostPalette().basic);
}

TEST_F(Palette, DefaultColourWithoutASourceUsesTheBasicPalette) {
  win32::SetScreenForTesting({});
  EXPECT_EQ(GetDefaultTraceColour(nullptr, 0x10015), 0xFF0000u);  // 0x15 mod 20 = 1
  EXPECT_EQ(GetDefaultTraceColour(nullptr, 0), 0x0000FFu);
  EXPECT_EQ(GetDefaultTraceColour(nullptr, 19), 0xC08080u);
}

TEST_F(Palette, TracesFollowTheRichOrder) {
  win32::SetScreenForTesting({});
  SelectHostPalette(false);
  EXPECT_EQ(GetTraceOrderColour(0), 0x0000D5u);
  EXPECT_EQ(GetTraceOrderColour(1), 0xFF4000u);  // rich order entry 10
  EXPECT_EQ(GetTraceOrderColour(18), 0x0000D5u);
}

}  // namespace
