// The absolute form of a file path.
#pragma once

#include "core/quor_string.h"

namespace Quor {

// Replaces the path by its absolute form; false for an empty path or a failure, which leave it
// as it was.
bool MakeFullPath(String& path);

}  // namespace Quor
