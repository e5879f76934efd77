// The two exceptions of a native method that script called. Quor::V8Exception: the method failed;
// its message becomes the script's exception. Quor::BadV8ParamException: the script passed a
// missing argument or one of the wrong kind; the call fails, with a message that names the
// argument and the kind wanted (the bridge puts the method's name before it).
#pragma once

#include "core/xquor.h"

namespace Quor {

class V8Exception : public XQuor {
 public:
  V8Exception(const String& message, HRESULT code) : XQuor(message, code) {}
};

class BadV8ParamException : public XQuor {
 public:
  // A call that could not be carried out at all: the code and text of the thread's last error.
  BadV8ParamException();
  // Argument `index` (from 0) is missing or not of the kind wanted ("a string", ...).
  BadV8ParamException(DWORD index, const char* kindWanted);
};

}  // namespace Quor
