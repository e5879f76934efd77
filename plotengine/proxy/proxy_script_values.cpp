#include "plotengine/proxy/proxy_script_values.h"

namespace Quor {
namespace {

// The entry at `index`, or null for an empty one.
const EtchScriptValue* Entry(const EtchScriptArgs& args, std::size_t index) {
  if (index >= args.size()) throw ScriptParamError();
  return args[index] ? &*args[index] : nullptr;
}

template <class T>
void ReadKind(const EtchScriptArgs& args, std::size_t index, T& out) {
  const EtchScriptValue* value = Entry(args, index);
  if (!value) return;
  const T* held = std::get_if<T>(value);
  if (!held) throw ScriptParamError();
  out = *held;
}

}  // namespace

void ReadScriptArg(const EtchScriptArgs& args, std::size_t index, String& out) {
  ReadKind(args, index, out);
}

void ReadScriptArg(const EtchScriptArgs& args, std::size_t index, double& out) {
  const EtchScriptValue* value = Entry(args, index);
  if (!value) return;
  if (const auto* number = std::get_if<double>(value)) {
    out = *number;
  } else if (const auto* integer = std::get_if<std::int32_t>(value)) {
    out = *integer;
  } else {
    throw ScriptParamError();
  }
}

void ReadScriptArg(const EtchScriptArgs& args, std::size_t index, bool& out) {
  ReadKind(args, index, out);
}

void ReadScriptArg(const EtchScriptArgs& args, std::size_t index, std::vector<double>& out) {
  ReadKind(args, index, out);
}

}  // namespace Quor
