// The calling thread's last error word.
#pragma once

#include "platform/win32/types.h"

DWORD GetLastError();
void SetLastError(DWORD code);

namespace win32 {
// Maps an errno value to the Win32 error code that stands for it.
DWORD Win32ErrorFromErrno(int error);
}  // namespace win32
