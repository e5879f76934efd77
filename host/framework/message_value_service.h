// Host object type 0x80000007: makes the message objects that the module sends.
#pragma once

#include "platform/pendrel/messages.h"
#include "platform/win32/com_object.h"

namespace Tarn {

class MessageValueService final : public SimpleUnknownImp1<ITarnMessageValueService, 1> {
 public:
  // The process-wide service; the host's own reference keeps it for the life of the process.
  static MessageValueService& Instance();

  // With an object: E_INVALIDARG, and no message, for a block that is not a state record.
  HRESULT CreateMessage(DWORD id, DWORD flags, DWORD target, DWORD hasTarget, IUnknown* object,
                        const void* parameters, DWORD parameterBytes, IMessage** message) override;
};

}  // namespace Tarn
