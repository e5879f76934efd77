#include "analysis/data/user_event_data.h"

#include "core/com_call_guard.h"

namespace Rhyth {

HRESULT UserEventData::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = UserEventDataTypeId::Id();
  return S_OK;
}

HRESULT UserEventData::Duplicate(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR,
                                 IPendrelDataChildData** copy) {
  if (!copy) return E_POINTER;
  *copy = nullptr;
  return Quor::GuardedCall([&] {
    auto* duplicate = new UserEventData;
    duplicate->Assign(m_added, m_removed);
    duplicate->AddRef();
    *copy = duplicate;
    return S_OK;
  });
}

HRESULT UserEventData::Clear() {
  m_added.clear();
  m_removed.clear();
  return S_OK;
}

HRESULT UserEventData::IsEmpty(VARIANT_BOOL* empty) {
  const bool none = m_added.empty() && m_removed.empty();
  if (empty) *empty = none ? VARIANT_TRUE : VARIANT_FALSE;
  return none ? S_OK : S_FALSE;
}

HRESULT UserEventData::Add(const BeatPosition* position, BOOL removedSet) {
  if (!position) return E_FAIL;
  return Quor::GuardedCall([&] {
    Set(removedSet).insert(*position);
    return S_OK;
  });
}

HRESULT UserEventData::Remove(const BeatPosition* position, BOOL removedSet) {
  if (!position) return E_FAIL;
  Set(removedSet).erase(*position);
  return S_OK;
}

HRESULT UserEventData::Find(const BeatPosition* position, BOOL removedSet, BeatPosition* found) {
  if (!position || !found) return E_FAIL;
  const Positions& set = Set(removedSet);
  const auto at = set.lower_bound(*position);
  if (at == set.end()) {
    *found = kNoBeatPlace;
    return S_FALSE;
  }
  *found = *at;
  return S_OK;
}

void UserEventData::Assign(Positions added, Positions removed) {
  m_added = std::move(added);
  m_removed = std::move(removed);
}

}  // namespace Rhyth
