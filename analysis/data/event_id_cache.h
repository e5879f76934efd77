// The last beat number given in each record, kept by the host with the data file, so that
// beat numbers stay the same whichever record the host reads first. The host stores it with
// the file through its IPersistStreamInit and makes it again, when it opens the file, through
// the class object the module registers for its type word.
#pragma once

#include <map>

#include "analysis/data/child_data_base.h"
#include "analysis/rhyth_guids.h"
#include "hostframework/class_object_list.h"
#include "hostframework/type_ids.h"
#include "platform/win32/persist_stream.h"

namespace Rhyth {

// The type word of the event-id cache among the host document's child data.
using EventIdCacheTypeId = TypeIdClass<&GUID_RhythDocumentObj, 3>;

struct IEventIdCache : IUnknown {
  PLATFORM_INTERFACE_ID("57e2a85f-bc6f-4d28-9475-1b0f085c74b4");
  using Base = IUnknown;
  virtual HRESULT Clear() = 0;
  virtual HRESULT IsEmpty(VARIANT_BOOL* empty) = 0;
  virtual HRESULT SetId(DWORD key, DWORD value) = 0;
  // S_FALSE (and 0) for a key that is not there.
  virtual HRESULT GetId(DWORD key, DWORD* value) = 0;

 protected:
  ~IEventIdCache() = default;
};

class EventIdCache final : public ChildDataBase<IEventIdCache, IPersistStreamInit> {
 public:
  HRESULT GetTypeId(DWORD* type) override;
  HRESULT Duplicate(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR,
                    IPendrelDataChildData** copy) override;

  HRESULT Clear() override;
  HRESULT IsEmpty(VARIANT_BOOL* empty) override;
  HRESULT SetId(DWORD key, DWORD value) override;
  HRESULT GetId(DWORD key, DWORD* value) override;

  // IPersistStreamInit: version 1, the count, then each (record, last number) pair. A stored
  // cache that is newer or ends early is refused and the cache keeps what it had.
  HRESULT GetClassID(CLSID* classId) override;
  HRESULT IsDirty() override { return m_dirty ? S_OK : S_FALSE; }
  HRESULT Load(IStream* stream) override;
  HRESULT Save(IStream* stream, BOOL clearDirty) override;
  HRESULT GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
  HRESULT InitNew() override { return Clear(); }

 private:
  std::map<DWORD, DWORD> m_ids;
  BYTE m_dirty = 0;
};

// The class object through which the host makes an event-id cache again when it opens a file
// that stored one. Static: it lives until the module unloads.
class EventIdCacheClass final : public ITarnClassObject,
                                public IPendrelChildDataClass,
                                public TarnClassObject {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
  HRESULT GetTypeId(DWORD* type) override;
  HRESULT GetCategoryId(GUID* category) override;
  HRESULT GetClassName(IQuorString** name) override;
  HRESULT IsCategory(REFGUID) override { return S_FALSE; }
  HRESULT CreateChildData(IPendrelDataChildData** data) override;
  ITarnClassObject* GetClassObjectInterface() override { return this; }
};

}  // namespace Rhyth
