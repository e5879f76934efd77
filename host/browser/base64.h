// Base64, as the debugging protocol carries bodies and PDF data.
#pragma once

#include <string>
#include <string_view>

namespace PendrelBrowser {

std::string Base64Encode(std::string_view bytes);
// Characters outside the alphabet are skipped; decoding stops at the first '='.
std::string Base64Decode(std::string_view text);

}  // namespace PendrelBrowser
