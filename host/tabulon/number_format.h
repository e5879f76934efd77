// How the host's table shows a measurement's value in the number format the measurement names:
// "General" (integers as they are, reals to ten significant digits), "0.0###" (one to four
// decimals) and "HH:mm:ss.00" (a time of seconds as hours, minutes and seconds to hundredths).
// Numbers are written in the classic locale; an empty value shows as an empty text.
#pragma once

#include <string>

#include "platform/win32/variant.h"

namespace PendrelHost {

// Any other format shows the value as "General" does.
std::string FormatTabulonValue(const VARIANT& value, std::u16string_view format);

}  // namespace PendrelHost
