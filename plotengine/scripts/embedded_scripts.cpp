#include "plotengine/scripts/embedded_scripts.h"

#include <cstring>

namespace Quor {

const EmbeddedScript* FindEmbeddedScript(const std::string& name) {
  for (const EmbeddedScript* script = kEmbeddedScriptTable; script->name; ++script) {
    if (name == script->name) return script;
  }
  return nullptr;
}

void ListEmbeddedScripts(std::vector<std::string>& names) {
  names.clear();
  for (const EmbeddedScript* script = kEmbeddedScriptTable; script->name; ++script) {
    names.emplace_back(script->name);
  }
}

std::size_t GetScriptChunkLengths(const EmbeddedScript& script, std::vector<std::size_t>& lengths) {
  lengths.clear();
  std::size_t total = 0;
  for (const char* const* chunk = script.chunks; *chunk; ++chunk) {
    lengths.push_back(std::strlen(*chunk));
    total += lengths.back();
  }
  return total;
}

bool AppendEmbeddedScript(const std::string& name, std::string& buffer) {
  const EmbeddedScript* script = FindEmbeddedScript(name);
  if (!script) return false;
  std::vector<std::size_t> lengths;
  const std::size_t total = GetScriptChunkLengths(*script, lengths);
  if (total == 0) return false;
  buffer.reserve(buffer.size() + total + 2);
  for (std::size_t i = 0; i < lengths.size(); ++i) buffer.append(script->chunks[i], lengths[i]);
  buffer += "\r\n";
  return true;
}

}  // namespace Quor
