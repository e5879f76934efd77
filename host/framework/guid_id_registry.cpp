#include "host/framework/guid_id_registry.h"

#include <algorithm>

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"

namespace Tarn {

namespace {
constexpr std::size_t kIdCount = 0x10000 - GuidIdRegistry::kFirstId;
}

HRESULT GuidIdRegistry::GetGuidId(REFGUID guid, WORD* id) {
  return Guarded([&] {
    RecordCall("IdRegistry", "GetGuidId", "guid=" + GuidText(guid));
    if (!id) return E_POINTER;
    *id = IdOf(guid);
    return *id ? S_OK : E_OUTOFMEMORY;
  });
}

HRESULT GuidIdRegistry::GetGuidOfId(WORD id, GUID* guid) {
  return Guarded([&] {
    RecordCall("IdRegistry", "GetGuidOfId", "id=" + HexWord(id));
    if (!guid) return E_POINTER;
    if (GuidOf(id, guid)) return S_OK;
    *guid = GUID{};
    return E_INVALIDARG;
  });
}

WORD GuidIdRegistry::IdOf(REFGUID guid) {
  std::lock_guard lock(m_mutex);
  const auto known = std::find(m_guids.begin(), m_guids.end(), guid);
  const std::size_t index = std::size_t(known - m_guids.begin());
  if (known == m_guids.end()) {
    // Past the last id the words would wrap round into ids already given out.
    if (m_guids.size() == kIdCount) return 0;
    m_guids.push_back(guid);
  }
  return WORD(kFirstId + index);
}

bool GuidIdRegistry::GuidOf(WORD id, GUID* guid) {
  std::lock_guard lock(m_mutex);
  if (id < kFirstId || std::size_t(id - kFirstId) >= m_guids.size()) return false;
  *guid = m_guids[id - kFirstId];
  return true;
}

bool GuidIdRegistry::HasId(REFGUID guid) {
  std::lock_guard lock(m_mutex);
  return std::find(m_guids.begin(), m_guids.end(), guid) != m_guids.end();
}

}  // namespace Tarn
