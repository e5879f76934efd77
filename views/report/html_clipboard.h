// The report on the clipboard in the registered "HTML Format": a header of byte offsets, then
// the page wrapped as one fragment of an HTML document, as UTF-8 with a closing NUL. Pasting
// applications read the offsets to find the page and the fragment.
#pragma once

#include <string>
#include <string_view>

namespace Rhyth {

// The clipboard text of a page (UTF-8), with its closing NUL.
std::string HtmlClipboardText(std::string_view page);

// Puts the clipboard text of the page on the clipboard under "HTML Format", opening it without
// an owner window; nothing when the clipboard cannot be opened.
void CopyHtmlToClipboard(std::string_view page);

}  // namespace Rhyth
