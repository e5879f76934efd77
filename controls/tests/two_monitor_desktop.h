// The desktop the control tests run on: a 96 dpi primary monitor and a 144 dpi monitor to its
// left at negative coordinates, each with a work area short of a task bar; the stand-in host
// application is visible and speaks English.
#pragma once

#include <gtest/gtest.h>

#include "controls/tests/fake_host_app.h"
#include "platform/win32/monitors.h"
#include "platform/win32/window.h"

namespace controls_testing {

inline constexpr RECT kPrimaryWork{0, 0, 1920, 1040};
inline constexpr RECT kLeftWork{-1440, 100, 0, 960};

class TwoMonitorDesktop : public ::testing::Test {
 protected:
  void SetUp() override {
    win32::SetMonitorsForTesting({{{0, 0, 1920, 1080}, kPrimaryWork, 96},
                                  {{-1440, 100, 0, 1000}, kLeftWork, 144}});
    FakeHostApp& host = TheFakeHostApp();
    host.language = 0x0409;
    host.visible = true;
    host.languageQueries = 0;
  }
  void TearDown() override { win32::SetMonitorsForTesting({}); }
};

// Where a window is on the desktop, in screen coordinates.
inline RECT WindowRect(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect;
}

}  // namespace controls_testing
