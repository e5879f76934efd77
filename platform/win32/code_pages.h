// Conversions between multibyte code pages and UTF-16. The ANSI code page is Windows-1252;
// code page 65001 is UTF-8.
#pragma once

#include "platform/win32/types.h"

constexpr UINT CP_ACP = 0;
constexpr UINT CP_OEMCP = 1;
constexpr UINT CP_THREAD_ACP = 3;
constexpr UINT CP_UTF8 = 65001;
constexpr UINT CP_WINDOWS_1252 = 1252;

constexpr DWORD MB_ERR_INVALID_CHARS = 0x08;
constexpr DWORD WC_ERR_INVALID_CHARS = 0x80;
constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x400;

UINT GetACP();

namespace win32 {
// Tests may run the process under another ANSI code page (1252 or 65001).
void SetAnsiCodePageForTesting(UINT codePage);
}  // namespace win32

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceBytes, LPWSTR target,
                        int targetUnits);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceUnits, LPSTR target,
                        int targetBytes, LPCSTR defaultChar, BOOL* usedDefaultChar);
