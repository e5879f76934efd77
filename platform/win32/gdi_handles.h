// Handles and colour words of the drawing layer. They are declared apart from the functions so
// that window classes and messages can name brushes, menus and icons without pulling in drawing.
#pragma once

#include "platform/win32/types.h"

using COLORREF = DWORD;

using HGDIOBJ = void*;
DECLARE_PLATFORM_HANDLE(HBRUSH);
DECLARE_PLATFORM_HANDLE(HPEN);
DECLARE_PLATFORM_HANDLE(HFONT);
DECLARE_PLATFORM_HANDLE(HBITMAP);
DECLARE_PLATFORM_HANDLE(HRGN);
DECLARE_PLATFORM_HANDLE(HICON);
DECLARE_PLATFORM_HANDLE(HMENU);
DECLARE_PLATFORM_HANDLE(HMONITOR);
DECLARE_PLATFORM_HANDLE(HACCEL);

constexpr COLORREF RGB(int r, int g, int b) {
  return COLORREF(BYTE(r)) | (COLORREF(BYTE(g)) << 8) | (COLORREF(BYTE(b)) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return BYTE(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return BYTE((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return BYTE((c >> 16) & 0xFF); }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
