// The two ways a native method called by the plot's script fails: a missing or ill-typed
// argument (the script sees the engine's own bad-call exception), or a failure with a message
// that the script receives as its exception text.
#pragma once

#include "core/xquor.h"

namespace Quor {

// Its code is the thread's last error as an HRESULT, its message that code's text.
class ScriptParamError : public XQuor {
 public:
  ScriptParamError();
};

class ScriptCallError : public XQuor {
 public:
  explicit ScriptCallError(const String& message, HRESULT code = kXQuorMessageIsReport)
      : XQuor(message, code) {}
};

}  // namespace Quor
