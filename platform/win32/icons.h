// The system's stock icons, the images of message boxes and notices: a 32 × 32 disc in the
// colour of its kind (red for an error, yellow for a warning, blue for information, green for a
// question). Stock icons are shared: they are never destroyed. A static control with SS_ICON
// shows the icon it is given with STM_SETICON.
#pragma once

#include "platform/win32/gdi.h"
#include "platform/win32/resources.h"

constexpr int IDI_HAND = 32513;
constexpr int IDI_QUESTION = 32514;
constexpr int IDI_EXCLAMATION = 32515;
constexpr int IDI_ASTERISK = 32516;

constexpr UINT STM_SETICON = 0x0170;
constexpr UINT STM_GETICON = 0x0171;

// A stock icon for a null instance and one of the ids above; null otherwise (modules carry no
// icons here).
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
// Draws the icon with its top-left at (x, y); FALSE for no icon.
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);

namespace win32 {

inline constexpr int kIconSize = 32;
// The colour of a stock icon's disc; CLR_INVALID for no stock icon.
COLORREF StockIconColour(HICON icon);

}  // namespace win32
