#include "host/framework/shared_service.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_message.h"
#include "host/framework/host_text.h"

namespace Tarn {

namespace {
constexpr const char* kService = "SharedService";
}

SharedService& SharedService::Instance() {
  static auto* service = new SharedService;
  return *service;
}

HRESULT SharedService::CreateMessageObject(DWORD type, IQuorString* name, REFGUID typeGuid,
                                           IMessage** message) {
  return Guarded([&] {
    RecordCall(kService, "CreateMessageObject",
               "type=" + HexWord(type) + ", name=" + QuotedText(name) + ", guid=" + GuidText(typeGuid));
    if (!message) return E_POINTER;
    *message = NewMessageObject(type, TextOf(name));
    return S_OK;
  });
}

HRESULT SharedService::CreateKeyMessage(DWORD type, DWORD parameter1, DWORD parameter2,
                                        IMessage** key) {
  return Guarded([&] {
    RecordCall(kService, "CreateKeyMessage",
               "type=" + HexWord(type) + ", parameters=" + HexWord(parameter1) + "/" + HexWord(parameter2));
    if (!key) return E_POINTER;
    const DWORD parameters[] = {parameter1, parameter2};
    *key = new HostMessage(type, 0, parameters, sizeof parameters);
    return S_OK;
  });
}

}  // namespace Tarn
