#include "host/framework/host_command_state.h"

#include <string>

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"

namespace Tarn {

namespace {
constexpr const char* kService = "CommandState";
}

HRESULT HostCommandState::Enable(VARIANT_BOOL enable) {
  return Guarded([&] {
    RecordCall(kService, "Enable", "enable=" + std::to_string(enable));
    m_enabled = enable != VARIANT_FALSE;
    return S_OK;
  });
}

HRESULT HostCommandState::SetCheck(LONG check) {
  return Guarded([&] {
    RecordCall(kService, "SetCheck", "check=" + std::to_string(check));
    m_check = check;
    return S_OK;
  });
}

HRESULT HostCommandState::SetText(IQuorString* text) {
  return Guarded([&] {
    RecordCall(kService, "SetText", "text=" + QuotedText(text));
    m_text = TextOf(text);
    return S_OK;
  });
}

}  // namespace Tarn
