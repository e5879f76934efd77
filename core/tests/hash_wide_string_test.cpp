#include "core/hash_wide_string.h"

#include <gtest/gtest.h>

namespace {

TEST(HashWideString, ElfHashOverUtf16Units) {
  struct Case {
    const char16_t* text;
    DWORD hash;
  } cases[] = {
      {nullptr, 0},
      {u"", 0},
      {u"A", 0x41},
      {u"\u20ac", 0x20ac},
      // Long enough for the high nibble to fold back; the reference is an independent
      // computation of the same hash.
      {u"Rhyth_Analyze", 0x0f48af65},
      {u"Zeit \u00e4\U0001F600", 0x0c153fd0},
  };
  for (const Case& c : cases) EXPECT_EQ(Quor::HashWideString(c.text), c.hash);
}

}  // namespace
