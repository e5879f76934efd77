// The state object the host hands to a command handler when it asks for a command's state
// itself; what the handler sets shows in the call log.
#pragma once

#include "platform/pendrel/commands.h"
#include "platform/win32/com_object.h"

namespace Tarn {

class HostCommandState final : public SimpleUnknownImp1<ITarnCommandState, 1> {
 public:
  HRESULT Enable(VARIANT_BOOL enable) override;
  HRESULT SetCheck(LONG check) override;
  HRESULT SetText(IQuorString* text) override;
};

}  // namespace Tarn
