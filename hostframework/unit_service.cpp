#include "hostframework/unit_service.h"

#include "core/quor_string.h"
#include "hostframework/registry_service.h"
#include "platform/pendrel/framework_ids.h"

IPendrelDataAdder* GetDataAdderHostService() {
  static RegistryService<IPendrelDataAdder> service(
      [] { return DWORD(GetTarnGuidId(GUID_TarnDataAdder)) << 16; });
  return service.Get();
}

HRESULT CreateUnitName(const UnitWithPrefix& unit, IUnitName** out) {
  if (!out) return E_INVALIDARG;
  if (*out) (*out)->Release();
  *out = nullptr;
  IPendrelDataAdder* adder = GetDataAdderHostService();
  if (!adder) return E_FAIL;
  IQuorString* name = Quor::String(unit.name).GetInterface();
  const HRESULT hr = adder->CreateUnitName(unit.HostPrefixValue(), name, 0, out);
  name->Release();
  return hr;
}
