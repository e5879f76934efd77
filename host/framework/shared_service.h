// Host object type 0x8000000A: makes the message objects of stored values and their keys.
#pragma once

#include "platform/pendrel/framework_services.h"
#include "platform/win32/com_object.h"

namespace Tarn {

class SharedService final : public SimpleUnknownImp1<ITarnSharedService, 1> {
 public:
  // The process-wide service; the host's own reference keeps it for the life of the process.
  static SharedService& Instance();

  HRESULT CreateMessageObject(DWORD type, IQuorString* name, REFGUID typeGuid,
                              IMessage** message) override;
  HRESULT CreateKeyMessage(DWORD type, DWORD parameter1, DWORD parameter2, IMessage** key) override;
};

}  // namespace Tarn
