// Text that is not the module's own (a document name, the host's time texts, an error's
// description) made safe to place in an HTML page: the characters that markup gives meaning to
// are written as character references, so the text shows as written.
#pragma once

#include <string>
#include <string_view>

namespace Rhyth {

// `text` (UTF-8) with &, <, >, " and ' written as character references.
std::string EscapeHtml(std::string_view text);

}  // namespace Rhyth
