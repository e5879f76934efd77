// The one way native code writes a text into script source: a single-quoted JavaScript string
// literal in which the quote, the backslash, CR, LF, U+2028 and U+2029 are escaped, so that no
// text can end the literal or the line early. Stateless.
#pragma once

#include <string>
#include <string_view>

namespace Quor {

// `text` is UTF-8 (other bytes are copied as they are).
void AppendJsStringLiteral(std::string& script, std::string_view text);
std::string JsStringLiteral(std::string_view text);

// `text` is UTF-16.
void AppendJsStringLiteral(std::u16string& script, std::u16string_view text);

}  // namespace Quor
