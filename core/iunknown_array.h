// IUnknownArray: an array of COM interface pointers that holds one reference on each element.
// Adding an interface AddRefs it; an element leaving the array (RemoveAt, RemoveAll, a smaller
// Reallocate, destruction) is released. InterfaceArray<I> gives it a typed face for an
// interface I.
#pragma once

#include <type_traits>

#include "core/array_void_p.h"
#include "platform/win32/unknown.h"

class IUnknownArray : public CArrayVoidP {
 public:
  IUnknownArray() = default;
  IUnknownArray(const IUnknownArray& source);  // one more reference on each element
  ~IUnknownArray() override;

  // Appends p with a reference of the array's own and returns its index.
  DWORD Add(IUnknown* p);
  IUnknown* GetAt(DWORD i) const { return static_cast<IUnknown*>(m_data[i]); }

  // Releases the elements of slots [from, to), last first, and nulls their slots; returns the
  // result of the last Release (0 when nothing was released).
  ULONG ReleaseRange(DWORD from, DWORD to);

 protected:
  void DisposeRange(DWORD from, DWORD to) override { ReleaseRange(from, to); }
};

template <class I>
class InterfaceArrayBase : public IUnknownArray {
  static_assert(std::is_base_of_v<IUnknown, I>, "an interface array holds IUnknown faces");

 public:
  DWORD Add(I* p) { return IUnknownArray::Add(p); }
  I* GetAt(DWORD i) const { return static_cast<I*>(IUnknownArray::GetAt(i)); }
  I* operator[](DWORD i) const { return GetAt(i); }
  int IndexOf(const I* p) const { return CArrayVoidP::IndexOf(static_cast<const IUnknown*>(p)); }
};

// The array type that holders of interfaces declare.
template <class I>
class InterfaceArray : public InterfaceArrayBase<I> {};
