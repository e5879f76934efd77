// Version resources: the fixed file information and the version texts of a module.
#pragma once

#include "platform/win32/types.h"

struct VS_FIXEDFILEINFO {
  DWORD dwSignature;
  DWORD dwStrucVersion;
  DWORD dwFileVersionMS;
  DWORD dwFileVersionLS;
  DWORD dwProductVersionMS;
  DWORD dwProductVersionLS;
  DWORD dwFileFlagsMask;
  DWORD dwFileFlags;
  DWORD dwFileOS;
  DWORD dwFileType;
  DWORD dwFileSubtype;
  DWORD dwFileDateMS;
  DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

constexpr WORD VS_VERSION_INFO = 1;

// The module's version block (its resource VERSION 1), or null.
const void* FindModuleVersionBlock(HMODULE module);

// "\\" gives the fixed information; "\\StringFileInfo\\<any>\\<Key>" a NUL-terminated text.
BOOL VerQueryValueW(const void* block, LPCWSTR subBlock, void** value, UINT* length);
