// The string's COM face, against this module's representation and a foreign string object.
#include <gtest/gtest.h>

#include "core/tests/quor_string_printer.h"

#include <cstring>
#include <string>

#include "core/quor_string.h"
#include "platform/win32/bstr.h"
#include "platform/win32/com_object.h"

namespace {

using Quor::String;

// A string object of another component: narrow (unit size 1) or wide, never kind 9.
class ForeignString : public SimpleUnknownImp1<IAutoQuorString, 1> {
 public:
  ForeignString(std::u16string text, bool narrow) : m_text(std::move(text)), m_narrow(narrow) {}
  HRESULT Assign(BSTR) override { return E_NOTIMPL; }
  HRESULT GetBSTR(BSTR* out) override {
    SysFreeString(*out);
    *out = m_text.empty() ? nullptr : SysAllocStringLen(m_text.data(), UINT(m_text.size()));
    return S_OK;
  }
  HRESULT IsEmpty(VARIANT_BOOL* e) override {
    *e = m_text.empty() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
  HRESULT GetLength(DWORD* n) override {
    *n = DWORD(m_text.size());
    return S_OK;
  }
  HRESULT Compare(IAutoQuorString*, VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT IsShared(VARIANT_BOOL*) override { return E_NOTIMPL; }
  LONG GetKind() override { return 1; }
  HRESULT CopyTo(int maxBytes, void* target) override {
    if (m_narrow) {
      std::string bytes;
      for (char16_t c : m_text) bytes.push_back(char(c));
      if (maxBytes < int(bytes.size() + 1)) return E_FAIL;
      std::memcpy(target, bytes.c_str(), bytes.size() + 1);
    } else {
      if (maxBytes < int(2 * (m_text.size() + 1))) return E_FAIL;
      std::memcpy(target, m_text.c_str(), 2 * (m_text.size() + 1));
    }
    return S_OK;
  }
  HRESULT GetInfo(DWORD* n, DWORD* unit) override {
    *n = DWORD(m_text.size());
    *unit = m_narrow ? 1 : 2;
    return S_OK;
  }
  HRESULT GetCapacity(DWORD*) override { return E_NOTIMPL; }
  HRESULT CreateBuffer(int, IAutoQuorString**) override { return E_NOTIMPL; }
  HRESULT GetVariant(VARIANT*) override { return E_NOTIMPL; }

 private:
  std::u16string m_text;
  bool m_narrow;
};

TEST(QuorStringCom, OwnRepresentationIsSharedForeignOnesAreCopied) {
  const String original(u"mine");
  IQuorString* face = original.GetInterface();
  const String shared(face);
  EXPECT_EQ(shared.c_str(), original.c_str());
  face->Release();

  auto* wide = new ForeignString(u"wide text", false);
  const String fromWide(wide);
  EXPECT_EQ(fromWide, String(u"wide text"));
  auto* narrow = new ForeignString(u"caf\u00e9", true);  // the bytes are read as the ANSI page
  String fromNarrow;
  fromNarrow.Attach(narrow);  // releases the foreign object
  EXPECT_EQ(fromNarrow, String(u"caf\u00e9"));
  wide->Release();
}

TEST(QuorStringCom, AdoptTakesOverTheReference) {
  const String source(u"adopted");
  String target;
  target.Adopt(source.GetInterface());
  EXPECT_EQ(target.c_str(), source.c_str());
  EXPECT_EQ(QuorString::StringRep::FromText(source.c_str())->refCount, 2);
}

TEST(QuorStringCom, AssignFailsOnASharedRepresentation) {
  String s(u"text");
  String copy = s;
  IQuorString* face = s.GetInterface();
  BSTR value = SysAllocString(u"new");
  EXPECT_EQ(face->Assign(value), E_FAIL);
  EXPECT_EQ(s, String(u"text"));
  face->Release();
  copy = String();
  face = s.GetInterface();
  face->Release();
  face = const_cast<QuorString::StringRep*>(QuorString::StringRep::FromText(s.c_str()));
  EXPECT_EQ(face->Assign(value), S_OK);
  EXPECT_EQ(s, String(u"new"));
  EXPECT_EQ(face->Assign(nullptr), S_OK);
  EXPECT_TRUE(s.IsEmpty());
  BSTR tooLong = SysAllocString(u"12345678");  // 8 units do not fit in capacity 8
  EXPECT_EQ(face->Assign(tooLong), E_FAIL);
  SysFreeString(tooLong);
  SysFreeString(value);
}

TEST(QuorStringCom, TextAccessors) {
  const String s(u"abc");
  IQuorString* face = s.GetInterface();
  BSTR text = SysAllocString(u"stale");
  ASSERT_EQ(face->GetBSTR(&text), S_OK);
  EXPECT_EQ(std::u16string(text), u"abc");
  SysFreeString(text);
  EXPECT_EQ(face->GetBSTR(nullptr), E_FAIL);

  WCHAR room[4];
  EXPECT_EQ(face->CopyTo(8, room), S_OK);
  EXPECT_EQ(std::u16string(room), u"abc");
  EXPECT_EQ(face->CopyTo(7, room), E_FAIL);

  DWORD n = 0, unit = 0;
  face->GetInfo(&n, &unit);
  EXPECT_EQ(n, 3u);
  EXPECT_EQ(unit, 2u);
  face->GetCapacity(&n);
  EXPECT_EQ(n, 7u);
  EXPECT_EQ(face->Length(), 3u);
  EXPECT_EQ(face->GetKind(), 9);
  EXPECT_EQ(face->Reserved(), 0);

  VARIANT v;
  VariantInit(&v);
  face->GetVariant(&v);
  EXPECT_EQ(v.vt, VT_BSTR);
  EXPECT_EQ(std::u16string(v.bstrVal), u"abc");
  VariantClear(&v);

  IAutoQuorString* buffer = nullptr;
  ASSERT_EQ(face->CreateBuffer(20, &buffer), S_OK);
  buffer->GetCapacity(&n);
  EXPECT_EQ(n, 20u);
  buffer->Release();

  void* other = nullptr;
  EXPECT_EQ(face->QueryInterface(IAutoQuorString::iid, &other), S_OK);
  static_cast<IUnknown*>(other)->Release();
  face->Release();

  IQuorString* empty = String().GetInterface();
  text = nullptr;
  empty->GetBSTR(&text);
  EXPECT_EQ(text, nullptr);
  empty->Release();
}

TEST(QuorStringCom, CompareWithOwnAndForeignObjects) {
  const String a(u"same"), b(u"same"), c(u"other");
  IQuorString* fa = a.GetInterface();
  IQuorString* fb = b.GetInterface();
  IQuorString* fc = c.GetInterface();
  VARIANT_BOOL equal = VARIANT_FALSE;
  fa->Compare(fa, &equal);
  EXPECT_EQ(equal, VARIANT_TRUE);
  fa->Compare(fb, &equal);
  EXPECT_EQ(equal, VARIANT_TRUE);
  fa->Compare(fc, &equal);
  EXPECT_EQ(equal, VARIANT_FALSE);

  auto* foreign = new ForeignString(u"same", false);
  fa->Compare(foreign, &equal);
  EXPECT_EQ(equal, VARIANT_TRUE);
  auto* foreignEmpty = new ForeignString(u"", false);
  IQuorString* empty = String().GetInterface();
  empty->Compare(foreignEmpty, &equal);
  EXPECT_EQ(equal, VARIANT_TRUE);
  fa->Compare(foreignEmpty, &equal);
  EXPECT_EQ(equal, VARIANT_FALSE);
  foreign->Release();
  foreignEmpty->Release();
  for (IQuorString* f : {fa, fb, fc, empty}) f->Release();
}

}  // namespace
