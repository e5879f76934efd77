// String resources with branding tokens: texts that name the host, the hardware or the maker
// through capitalised tokens get the configured names when they are loaded.
#pragma once

#include <utility>
#include <vector>

#include "core/quor_string.h"

namespace Quor {

// (token, value) pairs in replacement order: a longer token comes before a shorter one that
// begins it.
using BrandingTokenTable = std::vector<std::pair<String, String>>;

const BrandingTokenTable& GetBrandingTokenTable();

// Replaces every token of the table in the text, in table order, case-sensitively.
void ReplaceBrandingTokens(String& text);

// Loads string `id` of `module` (null: the executable that started the process). Id 0, a
// missing or an empty entry give the empty string.
void LoadResourceStringInto(String& out, HMODULE module, UINT id, bool replaceBranding);
String LoadResourceString(HMODULE module, UINT id, bool replaceBranding);

}  // namespace Quor
