// Module resources. Each module's resources are compiled from its text manifest into a table
// (scripts/compile_resources.py) and registered under a module handle; FindResourceW and friends
// look them up by (type, name, language).
#pragma once

#include <cstddef>

#include "platform/win32/types.h"

namespace win32 {

// A resource type or name: a number, or (when `name` is set) a text.
struct ResourceId {
  WORD number;
  const char16_t* name;
};

struct ResourceEntry {
  ResourceId type;
  ResourceId name;
  WORD language;
  const unsigned char* data;
  DWORD size;
};

// Registers a module's resource table once and returns its handle. A second registration under
// the same name returns the first handle.
HMODULE RegisterResourceModule(const char16_t* moduleName, const ResourceEntry* entries,
                               std::size_t count);

// Names the module of the executable that started the process: GetModuleHandleW(nullptr)
// answers it. The host sets it at start; tests may set their own.
void SetExecutableModule(HMODULE module);

}  // namespace win32

inline LPCWSTR MAKEINTRESOURCEW(ULONG_PTR id) {
  return reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(id)));
}
inline bool IS_INTRESOURCE(LPCWSTR id) { return (reinterpret_cast<ULONG_PTR>(id) >> 16) == 0; }

inline const LPCWSTR RT_CURSOR = MAKEINTRESOURCEW(1);
inline const LPCWSTR RT_BITMAP = MAKEINTRESOURCEW(2);
inline const LPCWSTR RT_ICON = MAKEINTRESOURCEW(3);
inline const LPCWSTR RT_MENU = MAKEINTRESOURCEW(4);
inline const LPCWSTR RT_DIALOG = MAKEINTRESOURCEW(5);
inline const LPCWSTR RT_STRING = MAKEINTRESOURCEW(6);
inline const LPCWSTR RT_ACCELERATOR = MAKEINTRESOURCEW(9);
inline const LPCWSTR RT_RCDATA = MAKEINTRESOURCEW(10);
inline const LPCWSTR RT_HTML = MAKEINTRESOURCEW(23);

HMODULE GetModuleHandleW(LPCWSTR moduleName);
HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);
BOOL FreeResource(HGLOBAL resource);
// With bufferMax 0, *buffer receives a pointer to the read-only text (not NUL-terminated).
int LoadStringW(HINSTANCE module, UINT id, LPWSTR buffer, int bufferMax);
