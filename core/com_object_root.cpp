#include "core/com_object_root.h"

namespace Quor {

HRESULT SimpleMapEntry(void*, std::uintptr_t, REFIID, void**) { return E_UNEXPECTED; }

HRESULT RefuseMapEntry(void*, std::uintptr_t, REFIID, void** out) {
  *out = nullptr;
  return E_NOINTERFACE;
}

CComObjectRoot::~CComObjectRoot() {
  if (m_sectionInitialized) {
    DeleteCriticalSection(&m_section);
    m_sectionInitialized = false;
  }
}

void CComObjectRoot::InitializeLock() {
  if (!m_sectionInitialized) {
    InitializeCriticalSection(&m_section);
    m_sectionInitialized = true;
  }
}

void CComObjectRoot::Lock() { EnterCriticalSection(&m_section); }

void CComObjectRoot::Unlock() { LeaveCriticalSection(&m_section); }

HRESULT CComObjectRoot::InternalQueryInterface(void* object, const InterfaceMapEntry* map,
                                               REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!map || !map->function) return E_NOINTERFACE;
  auto answerSimple = [&](const InterfaceMapEntry& entry) {
    auto* face = reinterpret_cast<IUnknown*>(static_cast<unsigned char*>(object) + entry.data);
    face->AddRef();
    *out = face;
    return S_OK;
  };
  if (iid == IUnknown::iid && map->function == &SimpleMapEntry) return answerSimple(*map);
  for (const InterfaceMapEntry* entry = map; entry->function; ++entry) {
    if (entry->function == &SimpleMapEntry) {
      if (entry->iid && *entry->iid == iid) return answerSimple(*entry);
    } else if (!entry->iid || *entry->iid == iid) {
      const HRESULT hr = entry->function(object, entry->data, iid, out);
      if (SUCCEEDED(hr) || entry->iid) return hr;
    }
  }
  return E_NOINTERFACE;
}

}  // namespace Quor
