#include "plotengine/bridge/v8_exceptions.h"

#include <string>

#include "platform/win32/last_error.h"

namespace Quor {

namespace {

// A call that failed without setting the thread's last error still fails: it must not reach the
// script as "The operation completed successfully.", so it reads as a bad parameter instead.
HRESULT LastErrorCode() {
  const LONG error = LONG(GetLastError());
  if (error == 0) return E_INVALIDARG;
  return error > 0 ? HRESULT(0x80070000u | (DWORD(error) & 0xFFFF)) : HRESULT(error);
}

String ArgumentMessage(DWORD index, const char* kindWanted) {
  return String("argument " + std::to_string(index + 1) + " must be " + kindWanted);
}

}  // namespace

BadV8ParamException::BadV8ParamException() : XQuor(LastErrorCode()) {}

BadV8ParamException::BadV8ParamException(DWORD index, const char* kindWanted)
    : XQuor(ArgumentMessage(index, kindWanted), kXQuorMessageIsReport) {}

}  // namespace Quor
