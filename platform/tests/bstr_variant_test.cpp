#include <gtest/gtest.h>

#include "platform/win32/bstr.h"
#include "platform/win32/com_object.h"
#include "platform/win32/variant.h"

namespace {

TEST(Bstr, LengthPrefixAndTerminator) {
  BSTR s = SysAllocString(u"hello");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(SysStringLen(s), 5u);
  EXPECT_EQ(SysStringByteLen(s), 10u);
  EXPECT_EQ(s[5], 0);
  SysFreeString(s);

  BSTR withNul = SysAllocStringLen(u"a\0b", 3);
  EXPECT_EQ(SysStringLen(withNul), 3u);
  EXPECT_EQ(withNul[2], u'b');
  SysFreeString(withNul);

  BSTR blank = SysAllocStringLen(nullptr, 4);
  EXPECT_EQ(SysStringLen(blank), 4u);
  EXPECT_EQ(blank[0], 0);
  SysFreeString(blank);
}

TEST(Bstr, NullIsEmpty) {
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  SysFreeString(nullptr);
  BSTR s = nullptr;
  EXPECT_TRUE(SysReAllocString(&s, u"xy"));
  EXPECT_EQ(SysStringLen(s), 2u);
  SysFreeString(s);
}

struct ICounted : IUnknown {
  PLATFORM_INTERFACE_ID("11111111-2222-3333-4444-555555555555");
};

class Counted : public SimpleUnknownImp1<ICounted, 0> {
 public:
  explicit Counted(int* alive) : m_alive(alive) { ++*m_alive; }
  ~Counted() override { --*m_alive; }

 private:
  int* m_alive;
};

TEST(Variant, CopyDuplicatesTextsAndReferencesAndClearFreesThem) {
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocString(u"value");
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &text), S_OK);
  EXPECT_NE(copy.bstrVal, text.bstrVal);
  EXPECT_EQ(std::u16string(copy.bstrVal), u"value");
  VariantClear(&text);
  VariantClear(&copy);
  EXPECT_EQ(copy.vt, VT_EMPTY);

  int alive = 0;
  auto* object = new Counted(&alive);
  object->AddRef();
  VARIANT unknown;
  VariantInit(&unknown);
  unknown.vt = VT_UNKNOWN;
  unknown.punkVal = object;
  VARIANT second;
  VariantInit(&second);
  VariantCopy(&second, &unknown);
  VariantClear(&unknown);
  EXPECT_EQ(alive, 1);
  VariantClear(&second);
  EXPECT_EQ(alive, 0);
}

}  // namespace
