// Libraries of the system that this platform provides itself rather than as files: the display
// scaling library "shcore.dll" and the visual-styles library "uxtheme.dll". LoadLibraryW finds
// them by file name (case-insensitively, with or without a folder) and GetProcAddress by entry
// name, so code that binds them at run time works as it would against the system's files.
#pragma once

#include <string_view>
#include <vector>

#include "platform/win32/types.h"

namespace win32 {

struct BuiltinEntry {
  const char* name;
  void* address;
};

// The entry points of the built-in library of that file name; null when there is none.
const std::vector<BuiltinEntry>* FindBuiltinLibrary(std::u16string_view fileName);

}  // namespace win32
