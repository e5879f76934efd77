// Loading shared libraries and naming the files of loaded modules.
#pragma once

#include "platform/win32/types.h"

constexpr DWORD MAX_PATH = 260;

// A module handle of a loaded library is distinct from a resource module's handle: both are
// HMODULE, and the functions here accept only the first kind (and null, the executable).
HMODULE LoadLibraryW(LPCWSTR path);
BOOL FreeLibrary(HMODULE module);
void* GetProcAddress(HMODULE module, const char* name);
// The full path of the module's file; null names the executable that started the process.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size);
