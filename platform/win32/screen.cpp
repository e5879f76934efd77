#include "platform/win32/screen.h"

#include <mutex>

struct HDC__ {
  int kind;
};

namespace {

std::mutex& ScreenMutex() {
  static std::mutex mutex;
  return mutex;
}

win32::ScreenDescription& Screen() {
  static win32::ScreenDescription screen;
  return screen;
}

HDC__ screenContext{0};

}  // namespace

namespace win32 {

ScreenDescription CurrentScreen() {
  std::lock_guard lock(ScreenMutex());
  return Screen();
}

void SetScreenForTesting(const ScreenDescription& screen) {
  std::lock_guard lock(ScreenMutex());
  Screen() = screen;
}

}  // namespace win32

HDC GetDC(HWND) { return &screenContext; }

int ReleaseDC(HWND, HDC dc) { return dc == &screenContext ? 1 : 0; }

int GetDeviceCaps(HDC dc, int index) {
  if (dc != &screenContext) return 0;
  const win32::ScreenDescription screen = win32::CurrentScreen();
  switch (index) {
    case BITSPIXEL:
      return screen.bitsPerPixel;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return screen.dotsPerInch;
    case HORZRES:
      return screen.width;
    case VERTRES:
      return screen.height;
    default:
      return 0;
  }
}
