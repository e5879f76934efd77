// Protocol text as it comes off the pipe may hold what a JSON reader refuses: bytes that are not
// UTF-8, or a \u escape of half a surrogate pair (a page's string with a lone surrogate). Such
// pieces become U+FFFD so that no message, whatever it carries, stops the reader.
#pragma once

#include <string>
#include <string_view>

namespace PendrelBrowser {

std::string WellFormedProtocolText(std::string_view text);

}  // namespace PendrelBrowser
