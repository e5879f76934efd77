#include "core/xquor.h"

#include <gtest/gtest.h>

#include "core/tests/quor_string_printer.h"

#include <cstring>

#include "platform/win32/resources.h"

HMODULE CoreTestResources();

namespace {

using Quor::String;

class XQuorTexts : public ::testing::Test {
 protected:
  // These tests' own string table stands in for the host executable's.
  void SetUp() override { win32::SetExecutableModule(CoreTestResources()); }
  void TearDown() override { win32::SetExecutableModule(nullptr); }
};

TEST_F(XQuorTexts, ModuleCodesTakeTheHostTexts) {
  struct Case {
    std::uint32_t code;
    const char16_t* text;
  } cases[] = {
      {0xA0048200, u"The analysis module reported an unexpected error."},
      {0xA0048203, u"The stored data is damaged: a text could not be read."},
      {0xA0048205, u"The stored data was written by a newer version of Pendrel."},
      {0x80030105, u"The stored data was written by a newer version of Pendrel."},
      {0xA0048206, u"The stored data holds a block of an unknown version."},
      {0xA004821A, u"The file could not be read."},
      {0xA004820A, u""},
      {0xA004820F, u""},  // silent: the user has been told
      {0xA0048210, u""},
      {0xA0048211, u""},
      {0xA004821C, u""},
      {0xA0048207, u""},  // a text the host does not have
  };
  for (const Case& c : cases) {
    EXPECT_EQ(XQuor(MakeHResult(c.code)).GetMessage(), String(c.text)) << std::hex << c.code;
  }
}

TEST_F(XQuorTexts, SystemCodesTakeTheSystemTextWithAFullStop) {
  EXPECT_EQ(XQuor(E_OUTOFMEMORY).GetMessage(),
            String(u"Not enough memory resources are available to complete this operation."));
  EXPECT_EQ(XQuor(E_FAIL).GetMessage(), String(u"Unspecified error."));
  EXPECT_EQ(XQuor(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)).GetMessage(), String(u"Access is denied."));
  EXPECT_TRUE(XQuor(MakeHResult(0x8123ABCD)).GetMessage().IsEmpty());
}

TEST_F(XQuorTexts, ContextComesFirstAndWholeReportCodesAddNothing) {
  EXPECT_EQ(XQuor(String(u"Saving failed."), E_FAIL).GetMessage(),
            String(u"Saving failed.\nUnspecified error."));
  for (std::uint32_t code : {0u, 0xA0048210u, 0xA0048211u}) {
    EXPECT_EQ(XQuor(String(u"The whole report."), MakeHResult(code)).GetMessage(),
              String(u"The whole report."));
  }
}

TEST_F(XQuorTexts, WhatIsStableAndCopiesShareTheMessage) {
  const XQuor error(String(u"Caf\u00e9 failed."), 0);
  const char* first = error.what();
  const char* second = error.what();
  EXPECT_EQ(first, second);
  EXPECT_STREQ(first, "Caf\xE9 failed.");
  const XQuor copy(error);
  EXPECT_EQ(copy.GetMessage().c_str(), error.GetMessage().c_str());
  EXPECT_EQ(copy.Code(), 0);
  try {
    throw XQuor(kXQuorBadStringRecord);
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "The stored data is damaged: a text could not be read.");
  }
}

class DerivedMessage : public XQuor {
 public:
  DerivedMessage() : XQuor(E_FAIL) {}
  String GetMessage() const override { return String(u"derived text"); }
};

TEST_F(XQuorTexts, WhatAsksTheDerivedMessage) {
  const DerivedMessage error;
  EXPECT_STREQ(error.what(), "derived text");
}

}  // namespace
