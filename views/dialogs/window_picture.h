// A window's picture as a PNG file, for a person to look at what a dialog shows: the window
// paints what is out of date, then its pixels are written as they stand.
#pragma once

#include <filesystem>

#include "platform/win32/types.h"

namespace Rhyth {

// False when the window is gone or the file could not be written.
bool WriteWindowPicture(HWND window, const std::filesystem::path& file);

}  // namespace Rhyth
