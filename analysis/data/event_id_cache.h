// The last beat number given in each record, kept by the host with the data file, so that
// beat numbers stay the same whichever record the host reads first.
#pragma once

#include <map>

#include "analysis/data/child_data_base.h"
#include "analysis/rhyth_guids.h"
#include "hostframework/type_ids.h"

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

class EventIdCache final : public ChildDataBase<IEventIdCache> {
 public:
  HRESULT GetTypeId(DWORD* type) override;
  HRESULT Duplicate(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR,
                    IPendrelDataChildData** copy) override;

  HRESULT Clear() override;
  HRESULT IsEmpty(VARIANT_BOOL* empty) override;
  HRESULT SetId(DWORD key, DWORD value) override;
  HRESULT GetId(DWORD key, DWORD* value) override;

 private:
  std::map<DWORD, DWORD> m_ids;
};

}  // namespace Rhyth
