// The shared, reference-counted representation of a Quor::String: a header directly followed by
// the UTF-16 text, in one allocation. The representation is itself the COM string object.
#pragma once

#include "core/iquor_string.h"

namespace QuorString {

class StringRepBase : public IQuorString {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT Assign(BSTR text) override;
  HRESULT GetBSTR(BSTR* out) override;
  HRESULT IsEmpty(VARIANT_BOOL* empty) override;
  HRESULT GetLength(DWORD* length) override;
  HRESULT Compare(IAutoQuorString* other, VARIANT_BOOL* equal) override;
  HRESULT IsShared(VARIANT_BOOL* shared) override;
  LONG GetKind() override { return kQuorStringKind; }
  HRESULT CopyTo(int maxBytes, void* target) override;
  HRESULT GetInfo(DWORD* length, DWORD* unitSize) override;
  HRESULT GetCapacity(DWORD* capacity) override;
  HRESULT CreateBuffer(int capacity, IAutoQuorString** out) override;
  HRESULT GetVariant(VARIANT* out) override;
  DWORD Length() override;
  void Destroy() override;
  LONG Reserved() override { return 0; }
  WCHAR* GetBuffer() override;

  virtual ~StringRepBase() = default;
};

class StringRep final : public StringRepBase {
 public:
  // Every representation made by a string operation has at least this capacity.
  static constexpr DWORD kMinimumCapacity = 8;

  // A new representation with reference count 1, length 1 and all text units 0.
  static StringRep* Create(DWORD capacity);
  // The process-wide empty representation, with one more reference for the caller.
  static StringRep* SharedEmpty();

  static StringRep* FromText(WCHAR* text) { return reinterpret_cast<StringRep*>(text) - 1; }
  static const StringRep* FromText(const WCHAR* text) {
    return reinterpret_cast<const StringRep*>(text) - 1;
  }

  WCHAR* Text() { return reinterpret_cast<WCHAR*>(this + 1); }
  const WCHAR* Text() const { return reinterpret_cast<const WCHAR*>(this + 1); }
  DWORD Characters() const { return length - 1; }
  bool Shared() const;
  void FreeNarrowCopy();

  static void operator delete(void* memory) { ::operator delete(memory); }

  char* narrow = nullptr;
  DWORD narrowValid = 0;
  volatile LONG refCount = 1;
  DWORD capacity;
  DWORD length = 1;

 private:
  explicit StringRep(DWORD capacity) : capacity(capacity) {}
  ~StringRep() override;
  static void* operator new(std::size_t size, DWORD capacity);
  static void operator delete(void* memory, DWORD) { ::operator delete(memory); }
};

static_assert(sizeof(StringRep) % sizeof(WCHAR) == 0);

}  // namespace QuorString
