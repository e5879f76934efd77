// The mouse cursor. The display is headless: the cursor is a shape and a position that are only
// remembered, so that code which shows a busy cursor or moves the pointer reads as it would on a
// screen, and tests can see what it left behind.
#pragma once

#include "platform/win32/resources.h"
#include "platform/win32/types.h"

DECLARE_PLATFORM_HANDLE(HCURSOR);

inline const LPCWSTR IDC_ARROW = MAKEINTRESOURCEW(32512);
inline const LPCWSTR IDC_WAIT = MAKEINTRESOURCEW(32514);
inline const LPCWSTR IDC_HAND = MAKEINTRESOURCEW(32649);
inline const LPCWSTR IDC_SIZEALL = MAKEINTRESOURCEW(32646);

// A system cursor (null instance and one of the IDC_ ids); null for anything else.
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
// Makes `cursor` the shape shown (null hides it) and returns the previous shape.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
