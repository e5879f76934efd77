#include "core/unit_prefix.h"

#include <gtest/gtest.h>

#include "core/unit_with_prefix.h"

namespace {

TEST(UnitPrefix, LettersGiveExponentsFactorsAndScales) {
  struct Case {
    WCHAR letter;
    int exponent;
    double factor;
    double scale;
  } cases[] = {
      {u'E', 18, 1e18, 1e-18},   {u'P', 15, 1e15, 1e-15}, {u'T', 12, 1e12, 1e-12},
      {u'G', 9, 1e9, 1e-9},      {u'M', 6, 1e6, 1e-6},    {u'k', 3, 1e3, 1e-3},
      {u'm', -3, 1e-3, 1e3},     {u'u', -6, 1e-6, 1e6},   {kMicroSign, -6, 1e-6, 1e6},
      {u'n', -9, 1e-9, 1e9},     {u'p', -12, 1e-12, 1e12}, {u'f', -15, 1e-15, 1e15},
      {u'a', -18, 1e-18, 1e18},
      // Known to the exponent alone.
      {u'Y', 24, 1.0, 0.0},      {u'Z', 21, 1.0, 0.0},    {u'z', -21, 1.0, 0.0},
      {u'y', -24, 1.0, 0.0},
      // No prefix, and characters that are none.
      {0, 0, 1.0, 1.0},          {u'\u00A0', 0, 1.0, 1.0}, {u'x', 0, 1.0, 0.0},
      {u'K', 0, 1.0, 0.0},       {u'\u0165', 0, 1.0, 0.0}, {u'@', 0, 1.0, 0.0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UnitPrefixExponent(c.letter), c.exponent) << int(c.letter);
    EXPECT_EQ(UnitPrefixFactor(c.letter), c.factor) << int(c.letter);
    EXPECT_EQ(UnitPrefixScale(c.letter), c.scale) << int(c.letter);
  }
}

TEST(UnitPrefix, HostValuesMapBothWays) {
  const std::u16string letters = u"afpn\u00B5m kMG";
  for (DWORD value = 2; value <= 11; ++value) {
    const WCHAR letter = letters[value - 2] == u' ' ? 0 : letters[value - 2];
    EXPECT_EQ(UnitPrefixFromHostValue(value), letter) << value;
    if (letter) {
      EXPECT_EQ(UnitPrefixHostValue(letter), value) << value;
    }
  }
  EXPECT_EQ(UnitPrefixHostValue(0), kHostUnitPrefixNone);
  EXPECT_EQ(UnitPrefixHostValue(u'u'), 6u);
  for (WCHAR letter : {u'T', u'P', u'E', u'x'}) EXPECT_EQ(UnitPrefixHostValue(letter), 0u);
  for (DWORD value : {0u, 1u, 8u, 12u, 0xFFFFFFFFu}) EXPECT_EQ(UnitPrefixFromHostValue(value), 0);
}

TEST(UnitPrefix, IndexLettersCoverTheTableAndMarkTheRest) {
  EXPECT_EQ(std::u16string(1, UnitPrefixLetter(0)), u"?");
  EXPECT_EQ(UnitPrefixLetter(1), 0);
  EXPECT_EQ(UnitPrefixLetter(7), u'm');
  EXPECT_EQ(UnitPrefixLetter(8), 0);
  EXPECT_EQ(UnitPrefixLetter(14), u'E');
  EXPECT_EQ(UnitPrefixLetter(15), u'?');
  EXPECT_EQ(UnitPrefixLetter(0xFFFFFFFF), u'?');
}

TEST(UnitWithPrefix, TextAndHostValue) {
  UnitWithPrefix unit{u"s", 0};
  EXPECT_EQ(unit.Text(), u"s");
  EXPECT_EQ(unit.HostPrefixValue(), 1u);
  unit.SetPrefix(7);
  EXPECT_EQ(unit.Text(), u"ms");
  EXPECT_EQ(unit.HostPrefixValue(), 7u);
  for (DWORD none : {1u, 8u, 12u}) {
    unit.SetPrefix(none);
    EXPECT_EQ(unit.Text(), u"s") << none;
  }
}

}  // namespace
