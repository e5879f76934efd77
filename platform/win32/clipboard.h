// The clipboard: an in-process store of data blocks by format. A thread opens it, empties it to
// become its owner, and sets data; the store then owns each block (global memory) and frees it
// when it is replaced or emptied. Formats registered by name start at 0xC000. Tests can make the
// clipboard "busy", as another program holding it open would: opening then fails.
#pragma once

#include <string>

#include "platform/win32/types.h"

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_METAFILEPICT = 3;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_ENHMETAFILE = 14;

BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
// Frees what the clipboard holds and makes the caller's window its owner.
BOOL EmptyClipboard();
// The clipboard takes the block (a global memory handle; for CF_ENHMETAFILE the metafile's
// handle) and returns it; on failure (not open by the caller, or busy) null is returned and the
// caller keeps the block.
HANDLE SetClipboardData(UINT format, HANDLE data);
// The block stays the clipboard's.
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
// The same name gives the same format, case-insensitively; 0 for an empty name.
UINT RegisterClipboardFormatW(LPCWSTR name);
int GetClipboardFormatNameW(UINT format, LPWSTR buffer, int capacity);
HWND GetClipboardOwner();
int CountClipboardFormats();

namespace win32 {
// While busy, OpenClipboard fails (and whatever was open stays open).
void SetClipboardBusyForTesting(bool busy);
// SetClipboardData refuses the format (0: none), as a clipboard out of memory would.
void RefuseClipboardFormatForTesting(UINT format);
// Empties the store and forgets who opened it.
void ResetClipboardForTesting();
}  // namespace win32
