#include "plotengine/proxy/script_call_errors.h"

#include "platform/win32/last_error.h"

namespace Quor {
namespace {

HRESULT LastErrorCode() {
  const auto error = static_cast<HRESULT>(GetLastError());
  return error > 0 ? static_cast<HRESULT>(0x80070000u | (DWORD(error) & 0xFFFFu)) : error;
}

}  // namespace

ScriptParamError::ScriptParamError() : XQuor(LastErrorCode()) {}

}  // namespace Quor
