// The screen and its device context. The display is headless: its colour depth and resolution
// come from one description that tests may change.
#pragma once

#include "platform/win32/types.h"

DECLARE_PLATFORM_HANDLE(HDC);

constexpr int BITSPIXEL = 12;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;

// A device context of the screen (the window's handle is not needed for that).
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
int GetDeviceCaps(HDC dc, int index);

namespace win32 {
struct ScreenDescription {
  int bitsPerPixel = 32;
  int dotsPerInch = 96;
  int width = 1920;
  int height = 1080;
};
ScreenDescription CurrentScreen();
void SetScreenForTesting(const ScreenDescription& screen);
}  // namespace win32
