// How the system hands a text to a caller's buffer: with a size of 0 it answers the units the
// text needs (NUL included); a buffer too small gets nothing and ERROR_INSUFFICIENT_BUFFER.
#pragma once

#include <string>

#include "platform/win32/types.h"

namespace win32 {

int CopyTextResult(const std::u16string& text, LPWSTR buffer, int bufferUnits);
int CopyTextResult(const std::string& text, LPSTR buffer, int bufferBytes);

}  // namespace win32
