#include "plotengine/markup/js_string_literal.h"

namespace Quor {
namespace {

// The escape of one character, or null when it stands as it is.
const char* EscapeOf(char32_t c) {
  switch (c) {
    case '\'': return "\\'";
    case '\\': return "\\\\";
    case '\r': return "\\r";
    case '\n': return "\\n";
    case 0x2028: return "\\u2028";
    case 0x2029: return "\\u2029";
    default: return nullptr;
  }
}

template <class Char>
void AppendEscape(std::basic_string<Char>& script, const char* escape) {
  for (; *escape; ++escape) script += static_cast<Char>(*escape);
}

// U+2028 and U+2029 in UTF-8.
bool IsLineSeparatorAt(std::string_view text, std::size_t i) {
  return i + 2 < text.size() && text[i] == '\xE2' && text[i + 1] == '\x80' &&
         (text[i + 2] == '\xA8' || text[i + 2] == '\xA9');
}

}  // namespace

void AppendJsStringLiteral(std::string& script, std::string_view text) {
  script.reserve(script.size() + text.size() + 2);
  script += '\'';
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLineSeparatorAt(text, i)) {
      AppendEscape(script, EscapeOf(text[i + 2] == '\xA8' ? 0x2028 : 0x2029));
      i += 2;
    } else if (const char* escape = EscapeOf(static_cast<unsigned char>(text[i]))) {
      AppendEscape(script, escape);
    } else {
      script += text[i];
    }
  }
  script += '\'';
}

std::string JsStringLiteral(std::string_view text) {
  std::string script;
  AppendJsStringLiteral(script, text);
  return script;
}

void AppendJsStringLiteral(std::u16string& script, std::u16string_view text) {
  script.reserve(script.size() + text.size() + 2);
  script += u'\'';
  for (char16_t c : text) {
    if (const char* escape = EscapeOf(c)) {
      AppendEscape(script, escape);
    } else {
      script += c;
    }
  }
  script += u'\'';
}

}  // namespace Quor
