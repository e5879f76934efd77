// FormatMessageW for system codes, answered from our own table of texts.
#pragma once

#include "platform/win32/types.h"

constexpr DWORD FORMAT_MESSAGE_ALLOCATE_BUFFER = 0x0100;
constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x0200;
constexpr DWORD FORMAT_MESSAGE_FROM_STRING = 0x0400;
constexpr DWORD FORMAT_MESSAGE_FROM_HMODULE = 0x0800;
constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x1000;
constexpr DWORD ERROR_MR_MID_NOT_FOUND = 317;

// Only FORMAT_MESSAGE_FROM_SYSTEM is served. `messageId` is an HRESULT or a Win32 error code.
// Returns the units written without the NUL, or 0 (with the last error set) when the system has
// no text for the code or the buffer is too small.
DWORD FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId,
                     LPWSTR buffer, DWORD size, void* arguments);
