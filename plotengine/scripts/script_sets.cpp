#include "plotengine/scripts/script_sets.h"

#include <algorithm>
#include <vector>

#include "plotengine/scripts/embedded_scripts.h"

namespace Quor {
namespace {

std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::vector<std::string> SplitDroppingEmpty(const std::string& text, char separator) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(separator, start);
    if (end == std::string::npos) end = text.size();
    if (end > start) pieces.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

void SetFlag(unsigned& flags, unsigned flag, bool on) {
  flags = on ? flags | flag : flags & ~flag;
}

}  // namespace

bool ParseScriptSetName(const std::string& name, unsigned& flags) {
  flags = kScriptSetDefault;
  const std::string lower = AsciiLower(name);
  const std::size_t dot = lower.find('.');
  if (dot == std::string::npos || lower.compare(dot, std::string::npos, ".js") != 0) return false;
  const std::vector<std::string> pieces = SplitDroppingEmpty(lower.substr(0, dot), '_');
  if (!pieces.empty() && pieces.front() != "etch") return false;
  bool negate = false;
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    const std::string& piece = pieces[i];
    if (piece == "no" || piece == "not") {
      negate = true;
      continue;
    }
    if (piece == "local") SetFlag(flags, kScriptRemote, negate);
    if (piece == "remote") SetFlag(flags, kScriptRemote, !negate);
    if (piece == "jquery") SetFlag(flags, kScriptJQuery, !negate);
    negate = false;
  }
  return true;
}

bool AssembleScriptSet(unsigned flags, std::string& buffer) {
  buffer.clear();
  std::vector<std::string> rest;
  ListEmbeddedScripts(rest);
  std::erase_if(rest, [](const std::string& name) {
    return name == "jquery.js" || name == "main.js" || name == "remote.js";
  });
  if (flags & kScriptJQuery) AppendEmbeddedScript("jquery.js", buffer);
  AppendEmbeddedScript("main.js", buffer);
  if (flags & kScriptRemote) AppendEmbeddedScript("remote.js", buffer);
  for (const std::string& name : rest) AppendEmbeddedScript(name, buffer);
  return true;
}

bool IsServableScriptName(const std::string& name) {
  unsigned flags;
  return ParseScriptSetName(name, flags) || FindEmbeddedScript(name);
}

bool GetMimeTypeForName(const std::string& name, std::string& mime) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  mime.clear();
  const std::string extension = name.substr(dot);
  if (extension == ".js") mime = "text/javascript";
  if (extension == ".html") mime = "text/html";
  return !mime.empty();
}

}  // namespace Quor
