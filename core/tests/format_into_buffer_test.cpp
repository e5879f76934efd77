#include "core/format_into_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FormatIntoBuffer32, FormatsNumbersAndCutsWhatDoesNotFit) {
  WCHAR buffer[32];
  EXPECT_EQ(Quor::FormatIntoBuffer32(buffer, u"%0*.*lf", 2, 0, 7.0), 2);
  EXPECT_EQ(std::u16string(buffer), u"07");
  EXPECT_EQ(Quor::FormatIntoBuffer32(buffer, u"%d:%02d \u00e9", 5, 3), 6);
  EXPECT_EQ(std::u16string(buffer), u"5:03 \u00e9");

  // Two hundred digits: the first 31 are kept and the text ends there.
  EXPECT_EQ(Quor::FormatIntoBuffer32(buffer, u"%0*d", 200, 1), 31);
  EXPECT_EQ(std::u16string(buffer), std::u16string(31, u'0'));

  // A cut never splits a surrogate pair.
  EXPECT_EQ(Quor::FormatIntoBuffer32(buffer, u"%029d\U0001F600", 1), 31);
  EXPECT_EQ(std::u16string(buffer), std::u16string(28, u'0') + u"1\U0001F600");
  EXPECT_EQ(Quor::FormatIntoBuffer32(buffer, u"%030d\U0001F600", 1), 30);
  EXPECT_EQ(std::u16string(buffer), std::u16string(29, u'0') + u"1");
}

}  // namespace
