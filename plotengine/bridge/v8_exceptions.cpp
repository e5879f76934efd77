#include "plotengine/bridge/v8_exceptions.h"

#include <string>

#include "platform/win32/last_error.h"

namespace Quor {

namespace {

HRESULT LastErrorCode() {
  const LONG error = LONG(GetLastError());
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
