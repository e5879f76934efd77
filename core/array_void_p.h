// CArrayVoidP: a growable array of pointers with a grow-by step. The arrays built on it differ
// only in what happens to an element that leaves the array (DisposeRange): this base does
// nothing, the interface arrays release, the owning arrays delete.
#pragma once

#include <memory>

#include "platform/win32/types.h"

class CArrayVoidP {
 public:
  static constexpr DWORD kDefaultGrowBy = 8;

  CArrayVoidP() = default;
  CArrayVoidP& operator=(const CArrayVoidP&) = delete;
  virtual ~CArrayVoidP();

  // Makes the capacity n slots, keeping the first min(n, count) pointers. Elements beyond a
  // smaller n leave the array (DisposeRange) and the count drops to n.
  virtual void Reallocate(DWORD n);
  // Grows the count to n (never shrinks); new slots are null. A new capacity is the next
  // multiple of the grow-by step above n or, with the doubling flag, twice the old capacity
  // when that is larger.
  void SetSize(DWORD n);
  // The address of slot i, growing the array to i + 1 slots first when needed.
  void** ElementAtGrow(DWORD i);

  // Appends p and returns its index.
  DWORD Add(void* p);
  // Removes slot i (the element leaves the array), moving the following slots down.
  void RemoveAt(DWORD i);
  // Every element leaves the array; the capacity stays.
  void RemoveAll();
  // Index of the first slot holding p, or -1.
  int IndexOf(const void* p) const;

  DWORD GetCount() const { return m_count; }
  DWORD GetCapacity() const { return m_capacity; }
  void* operator[](DWORD i) const { return m_data[i]; }
  void SetGrowBy(DWORD growBy) { m_growBy = growBy ? growBy : 1; }
  void SetDoubling(bool doubling) { m_doubling = doubling; }

 protected:
  // A copy of the source's slots with the same capacity, the default step and both flags set.
  CArrayVoidP(const CArrayVoidP& source);

  // The elements of slots [from, to) leave the array. The slots stay; the count is unchanged.
  virtual void DisposeRange(DWORD /*from*/, DWORD /*to*/) {}

  DWORD m_capacity = 0;
  std::unique_ptr<void*[]> m_data;
  DWORD m_count = 0;
  DWORD m_growBy = kDefaultGrowBy;
  bool m_ownsElements = true;  // for owning arrays: whether an element leaving is deleted
  bool m_doubling = true;
};
