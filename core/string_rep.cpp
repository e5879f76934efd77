#include "core/string_rep.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/win32/bstr.h"
#include "platform/win32/interlocked.h"

namespace QuorString {

namespace {

StringRep* Self(StringRepBase* base) { return static_cast<StringRep*>(base); }

bool UnitsEqual(const WCHAR* a, DWORD aLength, const WCHAR* b, DWORD bLength) {
  return aLength == bLength && std::equal(a, a + aLength, b);
}

// Holds the process's own reference on the empty representation and gives it up at exit.
struct EmptyHolder {
  StringRep* rep;
  EmptyHolder() : rep(StringRep::Create(9)) {}
  ~EmptyHolder() { rep->Release(); }
};

}  // namespace

void* StringRep::operator new(std::size_t size, DWORD capacity) {
  return ::operator new(size + std::size_t(capacity) * sizeof(WCHAR));
}

StringRep* StringRep::Create(DWORD capacity) {
  StringRep* rep = new (capacity) StringRep(capacity);
  std::memset(rep->Text(), 0, std::size_t(capacity) * sizeof(WCHAR));
  return rep;
}

StringRep* StringRep::SharedEmpty() {
  static EmptyHolder holder;
  holder.rep->AddRef();
  return holder.rep;
}

StringRep::~StringRep() { FreeNarrowCopy(); }

bool StringRep::Shared() const { return __atomic_load_n(&refCount, __ATOMIC_ACQUIRE) > 1; }

void StringRep::FreeNarrowCopy() {
  delete[] narrow;
  narrow = nullptr;
  narrowValid = 0;
}

HRESULT StringRepBase::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (win32::InterfaceAnswers<IQuorString>(iid)) {
    *object = static_cast<IQuorString*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG StringRepBase::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&Self(this)->refCount)); }

ULONG StringRepBase::Release() {
  const LONG count = InterlockedDecrement(&Self(this)->refCount);
  if (count == 0) delete this;
  return static_cast<ULONG>(count);
}

HRESULT StringRepBase::Assign(BSTR text) {
  StringRep* rep = Self(this);
  if (rep->Shared()) return E_FAIL;
  if (!text) {
    rep->Text()[0] = 0;
    rep->length = 1;
    rep->narrowValid = 0;
    return S_OK;
  }
  const UINT n = SysStringLen(text);
  if (n >= rep->capacity) return E_FAIL;
  rep->narrowValid = 0;
  std::memcpy(rep->Text(), text, std::size_t(n) * sizeof(WCHAR));
  rep->Text()[n] = 0;
  rep->length = n + 1;
  return S_OK;
}

HRESULT StringRepBase::GetBSTR(BSTR* out) {
  if (!out) return E_FAIL;
  SysFreeString(*out);
  *out = nullptr;
  StringRep* rep = Self(this);
  if (rep->Characters() > 0) *out = SysAllocStringLen(rep->Text(), rep->Characters());
  return S_OK;
}

HRESULT StringRepBase::IsEmpty(VARIANT_BOOL* empty) {
  if (!empty) return E_POINTER;
  *empty = Self(this)->length <= 1 ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT StringRepBase::GetLength(DWORD* length) {
  if (!length) return E_POINTER;
  *length = Self(this)->Characters();
  return S_OK;
}

HRESULT StringRepBase::Compare(IAutoQuorString* other, VARIANT_BOOL* equal) {
  if (!equal) return E_POINTER;
  StringRep* rep = Self(this);
  bool same = false;
  if (other == static_cast<IAutoQuorString*>(this)) {
    same = true;
  } else if (!other) {
    same = false;
  } else if (other->GetKind() == kQuorStringKind) {
    auto* mine = static_cast<IQuorString*>(other);
    const WCHAR* theirs = mine->GetBuffer();
    same = UnitsEqual(rep->Text(), rep->Characters(), theirs, mine->Length());
  } else {
    BSTR text = nullptr;
    other->GetBSTR(&text);
    if (!text) {
      same = rep->Characters() == 0;
    } else {
      same = rep->Characters() > 0 &&
             UnitsEqual(rep->Text(), rep->Characters(), text, SysStringLen(text));
    }
    SysFreeString(text);
  }
  *equal = same ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT StringRepBase::IsShared(VARIANT_BOOL* shared) {
  if (!shared) return E_POINTER;
  *shared = Self(this)->Shared() ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT StringRepBase::CopyTo(int maxBytes, void* target) {
  StringRep* rep = Self(this);
  const std::size_t bytes = std::size_t(rep->length) * sizeof(WCHAR);
  if (!target || maxBytes < 0 || std::size_t(maxBytes) < bytes) return E_FAIL;
  std::memcpy(target, rep->Text(), bytes);
  return S_OK;
}

HRESULT StringRepBase::GetInfo(DWORD* length, DWORD* unitSize) {
  if (!length || !unitSize) return E_POINTER;
  *length = Self(this)->Characters();
  *unitSize = sizeof(WCHAR);
  return S_OK;
}

HRESULT StringRepBase::GetCapacity(DWORD* capacity) {
  if (!capacity) return E_POINTER;
  *capacity = Self(this)->capacity - 1;
  return S_OK;
}

HRESULT StringRepBase::CreateBuffer(int capacity, IAutoQuorString** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (capacity < 0) return E_INVALIDARG;
  try {
    *out = StringRep::Create(std::max<DWORD>(DWORD(capacity) + 1, StringRep::kMinimumCapacity));
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT StringRepBase::GetVariant(VARIANT* out) {
  if (!out) return E_POINTER;
  StringRep* rep = Self(this);
  VariantInit(out);
  out->vt = VT_BSTR;
  out->bstrVal = rep->Characters() ? SysAllocStringLen(rep->Text(), rep->Characters()) : nullptr;
  return S_OK;
}

DWORD StringRepBase::Length() { return Self(this)->Characters(); }

void StringRepBase::Destroy() { delete this; }

WCHAR* StringRepBase::GetBuffer() { return Self(this)->Text(); }

}  // namespace QuorString
