// Texts that reach the host as string objects. The host keeps its own copies as UTF-16 and
// never holds on to the caller's object.
#pragma once

#include <string>
#include <string_view>

#include "core/iquor_string.h"
#include "host/framework/tarn_api.h"

namespace Tarn {

// The text of any string object; empty for null.
TARN_API std::u16string TextOf(IAutoQuorString* text);
TARN_API std::string Utf8(std::u16string_view text);
// The text of any string object as UTF-8: as it is, when the object hands out its text narrow.
TARN_API std::string Utf8Of(IAutoQuorString* text);

}  // namespace Tarn
