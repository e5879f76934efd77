#include "core/storage/full_path.h"

#include "platform/win32/files.h"

namespace Quor {

bool MakeFullPath(String& path) {
  if (path.IsEmpty()) return false;
  WCHAR full[MAX_PATH];
  const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return false;
  path = full;
  return true;
}

}  // namespace Quor
