// Numbers in script source: the shortest text that reads back as the same double, and the
// script's own words for the values that have no digits. Stateless.
#pragma once

#include <string>

namespace Quor {

// "2147483647", "0.1", "1e-05", "-0"; "Infinity", "-Infinity" and "NaN".
std::string ScriptNumberText(double value);
void AppendScriptNumber(std::string& script, double value);

}  // namespace Quor
