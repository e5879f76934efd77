#include "platform/win32/libraries.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/builtin_libraries.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/utf8_path.h"

struct LoadedLibrary {
  void* handle;  // null for a built-in library
  std::string path;
  const std::vector<win32::BuiltinEntry>* builtin = nullptr;
};

namespace {


LoadedLibrary* AsLibrary(HMODULE module) { return reinterpret_cast<LoadedLibrary*>(module); }

std::string ExecutablePath() {
  char buffer[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, std::size_t(n)) : std::string();
}

}  // namespace

HMODULE LoadLibraryW(LPCWSTR path) {
  if (!path) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (const auto* builtin = win32::FindBuiltinLibrary(path))
    return reinterpret_cast<HMODULE>(new LoadedLibrary{nullptr, {}, builtin});
  std::string file;
  if (!win32::Utf8PathFromName(path, file)) {
    SetLastError(ERROR_INVALID_NAME);
    return nullptr;
  }
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    SetLastError(access(file.c_str(), F_OK) == 0 ? ERROR_MOD_NOT_FOUND : ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HMODULE>(new LoadedLibrary{handle, file});
}

BOOL FreeLibrary(HMODULE module) {
  if (!module) return FALSE;
  LoadedLibrary* library = AsLibrary(module);
  if (library->handle) dlclose(library->handle);
  delete library;
  return TRUE;
}

void* GetProcAddress(HMODULE module, const char* name) {
  if (!module || !name) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const LoadedLibrary* library = AsLibrary(module);
  void* symbol = nullptr;
  if (library->builtin) {
    for (const win32::BuiltinEntry& entry : *library->builtin)
      if (std::string_view(entry.name) == name) symbol = entry.address;
  } else {
    symbol = dlsym(library->handle, name);
  }
  if (!symbol) SetLastError(ERROR_PROC_NOT_FOUND);
  return symbol;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
  if (!buffer || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const std::string path = module ? AsLibrary(module)->path : ExecutablePath();
  const std::u16string wide = win32::NameFromUtf8Path(path);
  // The system cuts an over-long path to the buffer and reports the buffer as full.
  const DWORD copied = std::min<DWORD>(DWORD(wide.size()), size - 1);
  wide.copy(buffer, copied);
  buffer[copied] = 0;
  if (copied < wide.size()) SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return copied < wide.size() ? size : copied;
}
