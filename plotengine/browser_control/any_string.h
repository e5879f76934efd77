// Quor::COMString::detail::AnyString<std::string>: a string object over a caller's UTF-8 text,
// for passing a narrow text (the plot page's URL) where a string object is wanted. It refers to
// the caller's string without copying it and lives on the caller's stack for the one call it is
// passed to: its count starts at 1 and never deletes it. Its string operations work on a wide
// string made on first use; its second face hands the text out narrow or wide, each from a copy
// made on first use.
#pragma once

#include <optional>
#include <string>

#include "core/iquor_string.h"
#include "core/quor_string.h"

namespace Quor::COMString::detail {

template <class Text>
class AnyString;

template <>
class AnyString<std::string> : public IAutoQuorString, public IQuorStringText {
 public:
  explicit AnyString(const std::string& text) : m_text(text) {}
  AnyString(const AnyString&) = delete;
  AnyString& operator=(const AnyString&) = delete;
  ~AnyString() {
    if (m_wideFace) m_wideFace->Release();
  }

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return ULONG(++m_refCount); }
  ULONG Release() override { return ULONG(--m_refCount); }

  // The text belongs to the caller: it cannot be changed through this object.
  HRESULT Assign(BSTR) override { return E_NOTIMPL; }
  HRESULT GetBSTR(BSTR* out) override { return Wide()->GetBSTR(out); }
  HRESULT IsEmpty(VARIANT_BOOL* empty) override { return Wide()->IsEmpty(empty); }
  HRESULT GetLength(DWORD* length) override { return Wide()->GetLength(length); }
  HRESULT Compare(IAutoQuorString* other, VARIANT_BOOL* equal) override {
    return Wide()->Compare(other, equal);
  }
  HRESULT IsShared(VARIANT_BOOL* shared) override { return Wide()->IsShared(shared); }
  // Not this module's own representation: readers copy the text.
  LONG GetKind() override { return 1; }
  HRESULT CopyTo(int maxBytes, void* target) override { return Wide()->CopyTo(maxBytes, target); }
  HRESULT GetInfo(DWORD* length, DWORD* unitSize) override { return Wide()->GetInfo(length, unitSize); }
  HRESULT GetCapacity(DWORD* capacity) override { return Wide()->GetCapacity(capacity); }
  HRESULT CreateBuffer(int capacity, IAutoQuorString** out) override {
    return Wide()->CreateBuffer(capacity, out);
  }
  HRESULT GetVariant(VARIANT* out) override { return Wide()->GetVariant(out); }

  HRESULT GetNarrow(const char** text, DWORD* length) override;
  HRESULT GetWide(const WCHAR** text, DWORD* length) override;

 private:
  IQuorString* Wide();

  const std::string& m_text;
  LONG m_refCount = 1;
  IQuorString* m_wideFace = nullptr;
  std::optional<std::string> m_narrowCopy;
  std::optional<std::u16string> m_wideCopy;
};

}  // namespace Quor::COMString::detail
