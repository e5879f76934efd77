#include "host/framework/data_adder_service.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"
#include "host/framework/host_unit_name.h"

namespace Tarn {

DataAdderService& DataAdderService::Instance() {
  static auto* service = new DataAdderService;
  return *service;
}

HRESULT DataAdderService::CreateUnitName(DWORD hostPrefix, IQuorString* name, DWORD,
                                         IUnitName** unit) {
  return Guarded([&] {
    RecordCall("DataAdder", "CreateUnitName",
               "prefix=" + HexWord(hostPrefix) + ", name=" + QuotedText(name));
    if (!unit) return E_INVALIDARG;
    *unit = new HostUnitName(HostUnitName::IndexOfHostPrefix(hostPrefix), TextOf(name));
    return S_OK;
  });
}

}  // namespace Tarn
