#include "host/framework/host_objects.h"

#include "host/framework/command_service.h"
#include "host/framework/data_adder_service.h"
#include "host/framework/framework_object.h"
#include "host/framework/menu_service.h"
#include "host/framework/message_value_service.h"
#include "host/framework/shared_service.h"
#include "platform/pendrel/framework_ids.h"

namespace Tarn {

IUnknown* HostObjectOfType(DWORD type) {
  switch (type) {
    case kTarnTypeMessageValueService:
      return static_cast<ITarnMessageValueService*>(&MessageValueService::Instance());
    case kTarnTypeSharedService:
      return static_cast<ITarnSharedService*>(&SharedService::Instance());
    case kTarnTypeMenuService:
      return static_cast<ITarnMenuService*>(&MenuService::Instance());
    case kTarnTypeCommandService:
      return static_cast<ITarnCommandService*>(&CommandService::Instance());
    default:
      break;
  }
  // Services of a GUID family have the type word of the GUID's id.
  if (type == DWORD(FrameworkObject::Instance().IdOf(GUID_TarnDataAdder)) << 16) {
    return static_cast<IPendrelDataAdder*>(&DataAdderService::Instance());
  }
  return nullptr;
}

}  // namespace Tarn
