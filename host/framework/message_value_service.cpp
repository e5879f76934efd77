#include "host/framework/message_value_service.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_message.h"
#include "host/framework/state_message.h"

namespace Tarn {

MessageValueService& MessageValueService::Instance() {
  static auto* service = new MessageValueService;
  return *service;
}

HRESULT MessageValueService::CreateMessage(DWORD id, DWORD flags, DWORD target,
                                           DWORD hasTarget, IUnknown* object,
                                           const void* parameters, DWORD parameterBytes,
                                           IMessage** message) {
  return Guarded([&] {
    RecordCall("MessageValueService", "CreateMessage",
               "id=" + HexWord(id) + ", flags=" + HexWord(flags) + ", target=" +
                   HexWord(target) + "/" + HexWord(hasTarget) + ", object=" + Presence(object) +
                   ", data=" + WordList(parameters, parameterBytes));
    if (!message) return E_POINTER;
    *message = nullptr;
    if (!parameters && parameterBytes > 0) return E_INVALIDARG;
    if (object) {
      auto record = ReadStateRecord(parameters, parameterBytes);
      if (!record) return E_INVALIDARG;
      *message = new StateMessage(id, flags, std::move(*record), object);
      return S_OK;
    }
    if (hasTarget) flags |= kTarnMessageHasTarget;
    *message = new HostMessage(id, flags, parameters, parameterBytes, hasTarget ? target : 0);
    return S_OK;
  });
}

}  // namespace Tarn
