// File names cross into POSIX as UTF-8 paths.
#pragma once

#include <string>

#include "platform/win32/types.h"

namespace win32 {

// False for a null name or one that is not valid UTF-16 (a lone surrogate).
bool Utf8PathFromName(LPCWSTR name, std::string& path);
std::u16string NameFromUtf8Path(const std::string& path);

}  // namespace win32
