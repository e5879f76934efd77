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

namespace {

// Automation turns argument values into texts as the US locale writes them.
TEST(Variant, ChangeToTextWritesNumbersAndRefusesWhatHasNoText) {
  struct Case {
    VARTYPE vt;
    double value;
    const char16_t* text;  // null: refused
  } cases[] = {
      {VT_I4, -42, u"-42"}, {VT_UI1, 200, u"200"},   {VT_R8, 0.1, u"0.1"},
      {VT_R4, 2.5, u"2.5"}, {VT_BOOL, -1, u"-1"},    {VT_EMPTY, 0, u""},
      {VT_I8, 1e12, u"1000000000000"}, {VT_UNKNOWN, 0, nullptr}, {VT_ERROR, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.vt);
    VARIANT value;
    VariantInit(&value);
    value.vt = c.vt;
    switch (c.vt) {
      case VT_I4: value.lVal = LONG(c.value); break;
      case VT_UI1: value.bVal = BYTE(c.value); break;
      case VT_R8: value.dblVal = c.value; break;
      case VT_R4: value.fltVal = float(c.value); break;
      case VT_BOOL: value.boolVal = VARIANT_BOOL(c.value); break;
      case VT_I8: value.llVal = LONGLONG(c.value); break;
      default: break;
    }
    VARIANT text;
    VariantInit(&text);
    const HRESULT hr = VariantChangeTypeEx(&text, &value, kLocaleEnglishUS, 0, VT_BSTR);
    if (!c.text) {
      EXPECT_EQ(hr, DISP_E_TYPEMISMATCH);
      EXPECT_EQ(text.vt, VT_EMPTY);
      continue;
    }
    ASSERT_EQ(hr, S_OK);
    EXPECT_EQ(std::u16string(text.bstrVal, SysStringLen(text.bstrVal)), c.text);
    // In place, too.
    EXPECT_EQ(VariantChangeTypeEx(&value, &value, kLocaleEnglishUS, 0, VT_BSTR), S_OK);
    EXPECT_EQ(value.vt, VT_BSTR);
    VariantClear(&value);
    VariantClear(&text);
  }
}

}  // namespace
