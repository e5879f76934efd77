// The name of the user the process runs for: the login name of its real user, or the USER
// variable when the system has no entry for it. Tests may put another name in its place, or
// make the call fail.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/types.h"

// `size` holds the buffer's capacity in characters and receives the length written, the
// terminating null included; a buffer too small fails with ERROR_INSUFFICIENT_BUFFER and
// `size` set to the capacity needed.
BOOL GetUserNameW(LPWSTR buffer, LPDWORD size);

namespace win32 {
// A name to answer with; an empty optional makes GetUserNameW fail (ERROR_NOT_FOUND).
void SetUserNameForTesting(std::optional<std::u16string> name);
// Back to the process's own user.
void ResetUserNameForTesting();
}  // namespace win32
