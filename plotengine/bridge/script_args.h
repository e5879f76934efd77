// Typed readers of a script call's arguments: GetScriptArg<kind, index> reads the argument at a
// fixed position into a native variable. A position the array does not hold, or a value of
// another kind, throws Quor::BadV8ParamException naming the argument and the kind wanted; a null
// entry (the empty entry after the last argument, or undefined) leaves the variable unchanged, so
// a method whose last argument is omitted reads its default.
#pragma once

#include <vector>

#include "core/iunknown_array.h"
#include "core/quor_string.h"
#include "platform/pendrel/script_bridge.h"
#include "plotengine/bridge/v8_exceptions.h"

namespace Quor {

enum class ScriptArgKind { String, Double, Boolean, DoubleArray };

HRESULT V8VariantToString(IQuorV8Variant* value, String& out);
HRESULT V8VariantToDoubles(IQuorV8Variant* value, std::vector<double>& out);

template <ScriptArgKind kind>
struct ScriptArgType;
template <>
struct ScriptArgType<ScriptArgKind::String> {
  using Type = String;
  static constexpr const char* kWanted = "a string";
  static HRESULT Read(IQuorV8Variant* value, String& out) { return V8VariantToString(value, out); }
};
template <>
struct ScriptArgType<ScriptArgKind::Double> {
  using Type = double;
  static constexpr const char* kWanted = "a number";
  static HRESULT Read(IQuorV8Variant* value, double& out) { return value->GetDouble(&out); }
};
template <>
struct ScriptArgType<ScriptArgKind::Boolean> {
  using Type = bool;
  static constexpr const char* kWanted = "a boolean";
  static HRESULT Read(IQuorV8Variant* value, bool& out) {
    VARIANT_BOOL flag = VARIANT_FALSE;
    const HRESULT hr = value->GetBool(&flag);
    out = flag != VARIANT_FALSE;
    return hr;
  }
};
template <>
struct ScriptArgType<ScriptArgKind::DoubleArray> {
  using Type = std::vector<double>;
  static constexpr const char* kWanted = "an array of numbers";
  static HRESULT Read(IQuorV8Variant* value, std::vector<double>& out) {
    return V8VariantToDoubles(value, out);
  }
};

template <ScriptArgKind kind, DWORD index>
void GetScriptArg(const InterfaceArray<IQuorV8Variant>& arguments,
                  typename ScriptArgType<kind>::Type& out) {
  static_assert(index <= 8, "script methods read at most nine arguments");
  using Reader = ScriptArgType<kind>;
  if (arguments.GetCount() <= index) throw BadV8ParamException(index, Reader::kWanted);
  IQuorV8Variant* value = arguments[index];
  if (!value) return;
  if (Reader::Read(value, out) != S_OK) throw BadV8ParamException(index, Reader::kWanted);
}

}  // namespace Quor
