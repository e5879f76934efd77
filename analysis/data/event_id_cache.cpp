#include "analysis/data/event_id_cache.h"

#include "core/com_call_guard.h"

namespace Rhyth {

HRESULT EventIdCache::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = EventIdCacheTypeId::Id();
  return S_OK;
}

HRESULT EventIdCache::Duplicate(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR,
                                IPendrelDataChildData** copy) {
  if (!copy) return E_POINTER;
  *copy = nullptr;
  return Quor::GuardedCall([&] {
    auto* duplicate = new EventIdCache;
    duplicate->m_ids = m_ids;
    duplicate->AddRef();
    *copy = duplicate;
    return S_OK;
  });
}

HRESULT EventIdCache::Clear() {
  m_ids.clear();
  return S_OK;
}

HRESULT EventIdCache::IsEmpty(VARIANT_BOOL* empty) {
  if (empty) *empty = m_ids.empty() ? VARIANT_TRUE : VARIANT_FALSE;
  return m_ids.empty() ? S_OK : S_FALSE;
}

HRESULT EventIdCache::SetId(DWORD key, DWORD value) {
  return Quor::GuardedCall([&] {
    m_ids[key] = value;
    return S_OK;
  });
}

HRESULT EventIdCache::GetId(DWORD key, DWORD* value) {
  const auto found = m_ids.find(key);
  const bool known = found != m_ids.end();
  if (value) *value = known ? found->second : 0;
  return known ? S_OK : S_FALSE;
}

}  // namespace Rhyth
