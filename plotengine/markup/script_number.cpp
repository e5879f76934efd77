#include "plotengine/markup/script_number.h"

#include <charconv>
#include <cmath>

namespace Quor {

void AppendScriptNumber(std::string& script, double value) {
  if (std::isnan(value)) {
    script += "NaN";
  } else if (std::isinf(value)) {
    script += value > 0 ? "Infinity" : "-Infinity";
  } else {
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    script.append(digits, result.ptr);
  }
}

std::string ScriptNumberText(double value) {
  std::string script;
  AppendScriptNumber(script, value);
  return script;
}

}  // namespace Quor
