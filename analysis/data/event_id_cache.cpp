#include "analysis/data/event_id_cache.h"

#include "analysis/settings/stream_fields.h"
#include "core/com_call_guard.h"
#include "core/quor_string.h"
#include "core/storage_bin_streams.h"

namespace Rhyth {

namespace {

constexpr LONG kCacheVersion = 1;

// Linked into the module's class objects at load.
EventIdCacheClass cacheClass;

}  // namespace

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
    m_dirty = 1;
    return S_OK;
  });
}

HRESULT EventIdCache::GetId(DWORD key, DWORD* value) {
  const auto found = m_ids.find(key);
  const bool known = found != m_ids.end();
  if (value) *value = known ? found->second : 0;
  return known ? S_OK : S_FALSE;
}

HRESULT EventIdCache::GetClassID(CLSID* classId) {
  if (!classId) return E_POINTER;
  *classId = GUID_RhythDocumentObj;
  return S_OK;
}

HRESULT EventIdCache::Load(IStream* stream) {
  return Quor::GuardedCall([&]() -> HRESULT {
    Quor::StorageBinIStreamLite in(stream);
    LONG version = 0;
    ReadField(in, version);
    if (!in.Good()) return kXQuorDataTruncated;
    // Compared as unsigned, as every stored version is: a negative word is newer still.
    if (DWORD(version) > DWORD(kCacheVersion)) return kXQuorNewerVersion;
    if (version < 1) return kXQuorBadBlockVersion;
    DWORD count = 0;
    ReadField(in, count);
    // Pair by pair: a count that claims more than the stream holds ends in a failed read,
    // never in a large allocation.
    std::map<DWORD, DWORD> ids;
    for (DWORD i = 0; i < count && in.Good(); ++i) {
      DWORD key = 0, value = 0;
      ReadField(in, key);
      ReadField(in, value);
      if (in.Good()) ids[key] = value;
    }
    if (!in.Good()) return kXQuorDataTruncated;
    m_ids = std::move(ids);
    m_dirty = 0;
    return S_OK;
  });
}

HRESULT EventIdCache::Save(IStream* stream, BOOL clearDirty) {
  return SaveRecord(stream, clearDirty, m_dirty, [this](Quor::BinOStream& out) {
    WriteField(out, kCacheVersion);
    WriteField(out, DWORD(m_ids.size()));
    for (const auto& [key, value] : m_ids) {
      WriteField(out, key);
      WriteField(out, value);
    }
  });
}

HRESULT EventIdCacheClass::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IUnknown::iid || iid == ITarnClassObject::iid) {
    *object = static_cast<ITarnClassObject*>(this);
  } else if (iid == IPendrelChildDataClass::iid) {
    *object = static_cast<IPendrelChildDataClass*>(this);
  } else {
    return E_NOINTERFACE;
  }
  return S_OK;
}

HRESULT EventIdCacheClass::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = EventIdCacheTypeId::Id();
  return S_OK;
}

HRESULT EventIdCacheClass::GetCategoryId(GUID* category) {
  if (!category) return E_POINTER;
  *category = GUID{};
  return S_OK;
}

HRESULT EventIdCacheClass::GetClassName(IQuorString** name) {
  if (!name) return E_POINTER;
  *name = Quor::String(u"RhythEventIdCache").GetInterface();
  return S_OK;
}

HRESULT EventIdCacheClass::CreateChildData(IPendrelDataChildData** data) {
  if (!data) return E_POINTER;
  *data = nullptr;
  return Quor::GuardedCall([&] {
    auto* cache = new EventIdCache;
    cache->AddRef();
    *data = cache;
    return S_OK;
  });
}

}  // namespace Rhyth
