// Quor::UnitEntry: the unit object the module hands to the host, persisted as the prefix index
// (i32), the name's string record and the flag (i32).
#pragma once

#include "core/unit_info.h"
#include "platform/pendrel/bin_streams.h"
#include "platform/pendrel/persist_object.h"
#include "platform/pendrel/unit_name.h"
#include "platform/win32/com_object.h"

namespace Quor {

class UnitEntry : public SimpleUnknownImp2<IUnitName, IPersistObject, 0>, public UnitInfo {
 public:
  UnitEntry() = default;
  explicit UnitEntry(const UnitInfo& info) : UnitInfo(info) {}

  static DWORD TypeId();

  HRESULT GetPrefix(DWORD* index) override;
  HRESULT GetText(VARIANT_BOOL withPrefix, IQuorString** text) override;
  HRESULT GetFlag(DWORD* flag) override;
  // An index outside 0 to 14 is refused with E_INVALIDARG: it has no letter.
  HRESULT SetPrefix(DWORD index) override;
  HRESULT SetName(IAutoQuorString* name) override;
  HRESULT SetFlag(DWORD flag) override;
  HRESULT Clone(IUnitName** copy) override;

  // Changes nothing unless the whole entry was read. A damaged name record gives
  // kXQuorBadStringRecord, an index outside 0 to 14 E_FAIL.
  HRESULT Load(IBinInStream* stream) override;
  HRESULT Save(IBinOutStream* stream) override;
  HRESULT GetTypeId(DWORD* type) override;
};

}  // namespace Quor
