#include "platform/win32/libraries.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <mutex>
#include <string>

#include "platform/win32/code_pages.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"

struct LoadedLibrary {
  void* handle;
  std::string path;
};

namespace {

std::string Utf8(LPCWSTR text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(std::size_t(n > 0 ? n : 1), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
  out.resize(std::char_traits<char>::length(out.c_str()));
  return out;
}

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
  const std::string file = Utf8(path);
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
  dlclose(library->handle);
  delete library;
  return TRUE;
}

void* GetProcAddress(HMODULE module, const char* name) {
  if (!module || !name) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  void* symbol = dlsym(AsLibrary(module)->handle, name);
  if (!symbol) SetLastError(ERROR_PROC_NOT_FOUND);
  return symbol;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
  if (!buffer || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  const std::string path = module ? AsLibrary(module)->path : ExecutablePath();
  std::u16string wide(path.size() + 1, u'\0');
  const int n = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), int(wide.size()));
  wide.resize(n > 0 ? std::size_t(n - 1) : 0);
  // The system cuts an over-long path to the buffer and reports the buffer as full.
  const DWORD copied = std::min<DWORD>(DWORD(wide.size()), size - 1);
  wide.copy(buffer, copied);
  buffer[copied] = 0;
  if (copied < wide.size()) SetLastError(ERROR_INSUFFICIENT_BUFFER);
  return copied < wide.size() ? size : copied;
}
