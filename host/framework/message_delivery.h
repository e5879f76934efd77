// The message service: hands a message to its target handler.
#pragma once

#include "platform/pendrel/messages.h"

namespace Tarn {

// One face of the framework object, which answers IUnknown for it.
class MessageDelivery : public ITarnMessageService {
 public:
  HRESULT DeliverMessage(IMessage* message, IMessageHandler* target) override;

 protected:
  MessageDelivery() = default;
  ~MessageDelivery() = default;
};

}  // namespace Tarn
