#pragma once

#include "platform/win32/types.h"

namespace Quor {

// The ELF hash over UTF-16 units; a null or empty text hashes to 0.
DWORD HashWideString(const WCHAR* text);

}  // namespace Quor
