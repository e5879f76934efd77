#include "host/framework/message_delivery.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_message.h"

namespace Tarn {

HRESULT MessageDelivery::DeliverMessage(IMessage* message, IMessageHandler* target) {
  return Guarded([&] {
    RecordCall("MessageService", "DeliverMessage",
               DescribeMessage(message) + ", target=" + Presence(target));
    if (!message || !target) return E_POINTER;
    return target->HandleMessage(message) != 0 ? S_OK : S_FALSE;
  });
}

}  // namespace Tarn
