// The root of the COM objects that answer QueryInterface from a static interface map (views,
// comments, documents).
#pragma once

#include <cstdint>

#include "platform/win32/critical_section.h"
#include "platform/win32/unknown.h"

namespace Quor {

struct InterfaceMapEntry;

// Answers one map entry: delegation to a member's QueryInterface, chaining to a base map, or
// a refusal.
using InterfaceMapFunction = HRESULT (*)(void* object, std::uintptr_t data, REFIID iid, void** out);

struct InterfaceMapEntry {
  const IID* iid;
  std::uintptr_t data;  // the face's offset in the object, or data for the function
  InterfaceMapFunction function;  // null closes the map
};

// Marks an entry answered with the object's address plus the entry's offset.
HRESULT SimpleMapEntry(void*, std::uintptr_t, REFIID, void**);
// Refuses the interface of its entry.
HRESULT RefuseMapEntry(void*, std::uintptr_t, REFIID, void** out);

// The offset of face I inside an object of class T.
template <class T, class I>
std::uintptr_t InterfaceOffset() {
  alignas(T) static unsigned char probe[sizeof(T)];
  T* object = reinterpret_cast<T*>(probe);
  return reinterpret_cast<std::uintptr_t>(static_cast<I*>(object)) -
         reinterpret_cast<std::uintptr_t>(object);
}

class CComObjectRoot {
 public:
  CComObjectRoot() = default;
  CComObjectRoot(const CComObjectRoot&) = delete;
  CComObjectRoot& operator=(const CComObjectRoot&) = delete;
  virtual ~CComObjectRoot();

  // Set when the count reaches zero, so that calls made while the object goes cannot delete it
  // a second time.
  static constexpr ULONG kDestroyingCount = 0xC0000001;

  // The interlocked count: the new value. At zero Release leaves kDestroyingCount behind and
  // answers 0, and the caller deletes the object.
  ULONG InternalAddRef() { return __atomic_add_fetch(&m_refCount, 1, __ATOMIC_SEQ_CST); }
  ULONG InternalRelease() {
    const ULONG count = __atomic_sub_fetch(&m_refCount, 1, __ATOMIC_SEQ_CST);
    if (count == 0) m_refCount = kDestroyingCount;
    return count;
  }

  // The object's own lock; the root never takes it itself.
  void InitializeLock();
  void Lock();
  void Unlock();

  // Walks `map`: IUnknown is answered with the first entry.
  static HRESULT InternalQueryInterface(void* object, const InterfaceMapEntry* map, REFIID iid,
                                        void** out);

 protected:
  ULONG m_refCount = 0;
  CRITICAL_SECTION m_section{};
  bool m_sectionInitialized = false;
};

}  // namespace Quor
