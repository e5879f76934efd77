// What the proxy needs of the script value bridge, in its smallest form: a script value of the
// bridge's eight kinds, the argument array of one call (ending with one empty entry, as the
// bridge hands it over), the typed readers with the bridge's rules, and the page context
// through which script text runs. The bridge converts its own values to and from these.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <variant>
#include <vector>

#include "core/iquor_string.h"
#include "core/quor_string.h"
#include "plotengine/proxy/script_call_errors.h"

namespace Quor {

using EtchScriptObject = std::map<String, String>;

// Empty, integer, double, boolean, string, array of doubles, object, array of strings.
using EtchScriptValue = std::variant<std::monostate, std::int32_t, double, bool, String,
                                     std::vector<double>, EtchScriptObject, std::vector<String>>;

// In script order; an empty entry stands for a value the script did not pass.
using EtchScriptArgs = std::vector<std::optional<EtchScriptValue>>;

// The page of the call in progress: script text run through it runs before the call returns.
struct IEtchScriptContext : IUnknown {
  PLATFORM_INTERFACE_ID("d4c8a1f2-6e39-4b07-9a5d-3f81e2c6b790");
  using Base = IUnknown;
  virtual HRESULT ExecuteScript(IQuorString* script) = 0;

 protected:
  ~IEtchScriptContext() = default;
};

// Reads argument `index` into `out`: a position the array does not hold, or a value of another
// kind, throws ScriptParamError; an empty entry leaves `out` at its starting value. Numbers
// read as doubles whichever numeric kind the bridge gave them.
void ReadScriptArg(const EtchScriptArgs& args, std::size_t index, String& out);
void ReadScriptArg(const EtchScriptArgs& args, std::size_t index, double& out);
void ReadScriptArg(const EtchScriptArgs& args, std::size_t index, bool& out);
void ReadScriptArg(const EtchScriptArgs& args, std::size_t index, std::vector<double>& out);

}  // namespace Quor
