#include "controls/fonts/font_services.h"

#include <gtest/gtest.h>

namespace {

TEST(FontServices, CharacterSizesAndTheDialogFontCache) {
  const FontCharSize normal = GetFontCharSize(GadgetWindowFont());
  const FontCharSize bold = GetFontCharSize(BoldGadgetWindowFont());
  EXPECT_GT(normal.averageWidth, 3);
  EXPECT_GT(normal.height, 10);
  EXPECT_GE(bold.averageWidth, normal.averageWidth);

  DPIFontMap& fonts = DPIFontMap::Instance();
  const HFONT at96 = fonts.Get(8, 96);
  EXPECT_EQ(fonts.Get(8, 96), at96) << "made once";
  const HFONT at192 = fonts.Get(8, 192);
  EXPECT_NE(at192, at96);
  LOGFONTW small{}, large{};
  GetObjectW(at96, sizeof small, &small);
  GetObjectW(at192, sizeof large, &large);
  EXPECT_EQ(small.lfHeight, -11);
  EXPECT_EQ(large.lfHeight, -21);
  EXPECT_EQ(std::u16string(large.lfFaceName), u"MS Shell Dlg 2");
  EXPECT_GT(GetFontCharSize(at192).height, GetFontCharSize(at96).height);
}

}  // namespace
