#include "plotengine/svg/svg_style.h"

#include <gtest/gtest.h>

#include "controls/gdiplus_starter.h"

namespace {

using Quor::SvgStyle;

class SvgStyles : public ::testing::Test {
 protected:
  // Family lookups go through GDI+.
  void SetUp() override { EnsureGdiplusStarter(); }
  void TearDown() override { ReleaseGdiplusStarter(); }
};

SvgStyle Styled(std::initializer_list<const char*> attributes) {
  SvgStyle style;
  for (const char* text : attributes) Quor::ApplySvgStyle(style, text);
  return style;
}

TEST_F(SvgStyles, ColoursAndOpacities) {
  const struct {
    std::vector<const char*> attributes;
    Gdiplus::ARGB fill, stroke;
  } cases[] = {
      {{"fill:#ff0000;fill-opacity:0.5"}, 0x7FFF0000, 0xFF000000},
      {{"fill:none", "fill:#ff0000"}, 0x00FF0000, 0xFF000000},  // the alpha of none stays
      {{"fill-opacity:1.5"}, 0xFF000000, 0xFF000000},
      {{"fill:#00ff00;fill-opacity:-0.2"}, 0x0000FF00, 0xFF000000},
      {{"stroke:rgba(0,0,0,1)"}, 0xFF000000, 0xFF000000},
      {{"stroke:rgba(10,20,30,0.2)"}, 0xFF000000, 0x330A141E},
      {{"stroke:#123456", "stroke:rgba(0, 0, 0, 1)"}, 0xFF000000, 0xFF123456},  // spaces: no colour
      {{"stroke:#123456", "stroke:rgba(256,0,0,1)"}, 0xFF000000, 0xFF000000},  // the low eight bits
      {{"stroke:#123456", "stroke:rgba(1,2,3,1.2.3)"}, 0xFF000000, 0xFF010203},  // leading number 1.2
      {{"stroke:#123456", "stroke:rgba(100000000000000000000,0,0,1)"}, 0xFF000000, 0xFF123456},
      {{"fill:#abc"}, 0xFF000000, 0xFF000000},
      {{"fill:color #0a0b0c"}, 0xFF0A0B0C, 0xFF000000},
      {{"stroke:#123456;stroke:none"}, 0xFF000000, 0xFF123456},
      {{"stroke:#123456;stroke-opacity:0.2"}, 0xFF000000, 0x33123456},
      {{"Fill:#ff0000"}, 0xFF000000, 0xFF000000},
      {{"fill:#ff0000;;bogus;fill-opacity:"}, 0xFFFF0000, 0xFF000000},  // empty and colon-less tokens
      {{"fill:#ff0000"}, 0xFFFF0000, 0xFF000000},
  };
  for (const auto& c : cases) {
    SvgStyle style;
    for (const char* text : c.attributes) Quor::ApplySvgStyle(style, text);
    EXPECT_EQ(style.fill, c.fill) << c.attributes.back();
    EXPECT_EQ(style.stroke, c.stroke) << c.attributes.back();
  }
}

TEST_F(SvgStyles, SizesWidthsFamiliesAndLaterDeclarationsWin) {
  EXPECT_EQ(Styled({"font-size:12px"}).fontSize, 12.0f);
  EXPECT_EQ(Styled({"stroke-width: 2.5 ; stroke-width:3"}).strokeWidth, 3.0f);
  EXPECT_EQ(Styled({"stroke-width:wide"}).strokeWidth, 0.0f);
  EXPECT_EQ(Styled({}).fontFamily, "Arial");
  EXPECT_EQ(Styled({"font-family:No Such Face, Arial"}).fontFamily, "Liberation Sans");
  EXPECT_EQ(Styled({"font-family:\"No Such Face\",'Arial',sans-serif"}).fontFamily, "Arial");
  EXPECT_EQ(Styled({"font-family:Unknown One, Unknown Two"}).fontFamily, "Arial");
  EXPECT_EQ(Styled({"font-family: \"Liberation Sans\""}).fontFamily, "Liberation Sans");
  // A quoted separator does not split a declaration.
  EXPECT_EQ(Styled({"font-family:\"a;b\", Arial;font-size:9"}).fontSize, 9.0f);
}

TEST_F(SvgStyles, DashArrays) {
  const struct {
    const char* text;
    std::vector<float> pattern;
  } cases[] = {
      {"4, 2", {4, 2}},
      {"5 5", {5}},
      {"3,x,1.5px", {3, 0, 1.5f}},
      {"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
  };
  for (const auto& c : cases) EXPECT_EQ(Quor::ParseDashArray(c.text), c.pattern) << c.text;
  EXPECT_EQ(Styled({"stroke-dasharray:4, 2"}).dashPattern, (std::vector<float>{4, 2}));
}

TEST_F(SvgStyles, StrayBackslashesArePlainCharacters) {
  const SvgStyle style = Styled({"fill:#ff0000;font-size:1\\2;stroke:#00ff00\\"});
  EXPECT_EQ(style.fill, 0xFFFF0000u);
  EXPECT_EQ(style.fontSize, 1.0f);
  EXPECT_EQ(style.stroke, 0xFF00FF00u);
  // A backslash before the separator escapes nothing: it stays, and the separator splits.
  EXPECT_EQ(Quor::SplitEscapedList("a\\;b;c\\\\;\"d;e\"", ';'), (std::vector<std::string>{"a\\", "b", "c\\", "d;e"}));
  EXPECT_EQ(Quor::SplitEscapedList("x\\q", ';'), (std::vector<std::string>{"x\\q"}));
}

TEST(SvgNumbers, LeadingNumbersAndFallbacks) {
  const struct {
    const char* text;
    float value;
  } cases[] = {{"12", 12}, {" 3.5px", 3.5f}, {"-2e1", -20}, {"+.5", 0.5f}, {"1.2.3", 1.2f}, {"px", 0},
               {"", 0},    {"inf", 0},       {"nan", 0},    {"--1", 0},   {"1e99", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(Quor::ParseFloat(c.text), c.value) << c.text;
    const double expected = c.text == std::string("1e99") ? 1e99 : double(c.value);
    EXPECT_NEAR(Quor::ParseDouble(c.text), expected, 1e-6 * std::max(1.0, expected)) << c.text;
  }
  EXPECT_EQ(Quor::ParseFloatClassic("abc", 1.0f), 1.0f);
  EXPECT_EQ(Quor::ParseFloatClassic("7,5", 1.0f), 7.0f);
}

}  // namespace
