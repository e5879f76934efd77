#include "host/framework/call_arguments.h"

#include <cstdio>
#include <cstring>

#include "host/framework/host_text.h"

namespace Tarn {

std::string HexWord(DWORD value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}

// Built by appending: g++ 12 warns falsely about `"literal" + std::string` in optimised builds.
std::string Quoted(std::u16string_view text) {
  std::string quoted(1, '"');
  quoted += Utf8(text);
  quoted += '"';
  return quoted;
}

std::string QuotedText(IAutoQuorString* text) { return text ? Quoted(TextOf(text)) : "null"; }

std::string GuidText(REFGUID guid) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}",
                static_cast<unsigned>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                guid.Data4[6], guid.Data4[7]);
  return text;
}

std::string WordList(const void* block, DWORD bytes) {
  if (bytes % sizeof(DWORD) != 0 || (bytes > 0 && !block)) {
    std::string size(1, '<');
    size += std::to_string(bytes);
    return size + " bytes>";
  }
  std::string list = "[";
  for (DWORD offset = 0; offset < bytes; offset += sizeof(DWORD)) {
    DWORD word;
    std::memcpy(&word, static_cast<const char*>(block) + offset, sizeof word);
    if (offset > 0) list += ",";
    list += HexWord(word);
  }
  return list + "]";
}

std::string Presence(const void* object) { return object ? "set" : "null"; }

}  // namespace Tarn
