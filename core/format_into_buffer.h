#pragma once

#include "platform/win32/types.h"

namespace Quor {

// printf-style formatting of numbers into 32 units. A longer text is cut to 31 units and the
// NUL; returns the units written. The arguments are numbers: text arguments would be read as
// the C library's wide or narrow strings, never as UTF-16.
int FormatIntoBuffer32(WCHAR (&buffer)[32], const WCHAR* format, ...);

}  // namespace Quor
