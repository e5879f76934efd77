// CIArray<T, P>: an array of T pointers whose policy P decides what happens to an element that
// leaves it. CIArray_CallDelete<T> deletes it (through T's virtual destructor) while the array's
// owns flag is set; CIArray_NeverCallDeleteAtRuntime<T> never deletes, for arrays that only
// refer to elements owned elsewhere.
#pragma once

#include <algorithm>

#include "core/array_void_p.h"

template <class T>
struct CIArray_CallDelete {
  static void Dispose(T* element) { delete element; }
};

template <class T>
struct CIArray_NeverCallDeleteAtRuntime {
  static void Dispose(T* /*element*/) {}
};

template <class T, class P = CIArray_CallDelete<T>>
class CIArray : public CArrayVoidP {
 public:
  CIArray() = default;
  CIArray(const CIArray&) = delete;
  ~CIArray() override { DeleteRange(0, m_count); }

  DWORD Add(T* p) { return CArrayVoidP::Add(p); }
  T* GetAt(DWORD i) const { return static_cast<T*>(m_data[i]); }
  T* operator[](DWORD i) const { return GetAt(i); }
  int IndexOf(const T* p) const { return CArrayVoidP::IndexOf(p); }

  // While the owns flag is set, the elements of slots [from, to) are disposed of by the policy,
  // last first, and their slots nulled; the count is unchanged.
  void DeleteRange(DWORD from, DWORD to) {
    if (!m_ownsElements) return;
    for (DWORD i = std::min(to, m_count); i > from; --i) {
      if (T* element = GetAt(i - 1)) {
        m_data[i - 1] = nullptr;
        P::Dispose(element);
      }
    }
  }

  bool OwnsElements() const { return m_ownsElements; }
  void SetOwnsElements(bool owns) { m_ownsElements = owns; }

 protected:
  void DisposeRange(DWORD from, DWORD to) override { DeleteRange(from, to); }
};
