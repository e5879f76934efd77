#include "platform/win32/screen.h"

#include <mutex>

namespace {

std::mutex& ScreenMutex() {
  static std::mutex mutex;
  return mutex;
}

win32::ScreenDescription& Screen() {
  static win32::ScreenDescription screen;
  return screen;
}

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

