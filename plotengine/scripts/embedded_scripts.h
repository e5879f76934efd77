// Look-ups in the embedded script table: a script by its file name, the names in table order,
// and a script's text appended to a byte buffer. Stateless; the texts are the module's constant
// data.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "plotengine/scripts/embedded_script_table.h"

namespace Quor {

// The script whose name equals `name` byte for byte, or null.
const EmbeddedScript* FindEmbeddedScript(const std::string& name);

// Every name, in table order.
void ListEmbeddedScripts(std::vector<std::string>& names);

// The lengths of the script's chunks, in order; returns their sum.
std::size_t GetScriptChunkLengths(const EmbeddedScript& script, std::vector<std::size_t>& lengths);

// Appends the script's text and CR LF to `buffer`. False, with nothing appended, for an unknown
// name or an empty script.
bool AppendEmbeddedScript(const std::string& name, std::string& buffer);

}  // namespace Quor
