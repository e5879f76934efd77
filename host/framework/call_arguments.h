// How call arguments read in the call log: words in hexadecimal with eight digits, texts in
// double quotes (null for a missing string object), GUIDs in their registry form, parameter
// blocks as their 32-bit words.
#pragma once

#include <string>
#include <string_view>

#include "core/iquor_string.h"
#include "host/framework/tarn_api.h"
#include "platform/win32/guid.h"

namespace Tarn {

TARN_API std::string HexWord(DWORD value);
TARN_API std::string Quoted(std::u16string_view text);
TARN_API std::string QuotedText(IAutoQuorString* text);
TARN_API std::string GuidText(REFGUID guid);
// "[0x00000001,0x00000002]"; a block that is not whole words reads "<n bytes>".
TARN_API std::string WordList(const void* block, DWORD bytes);
// "set" or "null": object pointers differ from run to run, so only their presence is logged.
TARN_API std::string Presence(const void* object);

}  // namespace Tarn
