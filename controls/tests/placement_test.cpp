#include <gtest/gtest.h>

#include "controls/dpi/window_dpi.h"
#include "controls/placement/dialog_placement.h"
#include "controls/tests/two_monitor_desktop.h"
#include "platform/owl/application.h"
#include "platform/tests/gui/window_test_support.h"
#include "platform/win32/cursor.h"

namespace {

using controls_testing::TwoMonitorDesktop;
using controls_testing::WindowRect;
using win32::testing::MakeWindow;

using DialogPlacement = TwoMonitorDesktop;

TEST_F(DialogPlacement, ModesOnBothMonitors) {
  OWL::TApplication application;
  const HWND mainWindow = MakeWindow(WS_POPUP, nullptr, {-1301, 201, -400, 700});
  struct Case {
    const char* name;
    bool withMainWindow;
    int mode;
    POINT point;
    bool primary;
    RECT window;  // its size counts, and its place for the work area's choice
    RECT expected;
  } cases[] = {
      // Main window centre (-850, 450), truncated toward zero; width 301 / 2 = 150.
      {"over the main window on the negative monitor", true, 0, {}, false, {0, 0, 301, 201},
       {-1000, 350, -699, 551}},
      {"over the primary work area without a main window", false, 0, {}, false, {0, 0, 301, 201},
       {810, 420, 1111, 621}},
      {"at the cursor", false, 1, {}, false, {0, 0, 301, 201}, {-1001, 301, -700, 502}},
      {"at a point past the negative monitor's bottom", false, 2, {-500, 900}, false,
       {0, 0, 301, 201}, {-500, 759, -199, 960}},
      {"at a point, kept on the primary", false, 2, {-500, 900}, true, {0, 0, 301, 201},
       {0, 839, 301, 1040}},
  };
  SetCursorPos(-1001, 301);
  for (const Case& c : cases) {
    application.SetMainWindowHandle(c.withMainWindow ? mainWindow : nullptr);
    const HWND window = MakeWindow(WS_POPUP, nullptr, c.window);
    PlaceDialogNearAnchor(window, c.mode, &c.point, c.primary);
    const RECT placed = WindowRect(window);
    EXPECT_TRUE(EqualRect(&placed, &c.expected))
        << c.name << ": " << placed.left << "," << placed.top << "," << placed.right << "," << placed.bottom;
    DestroyWindow(window);
  }
  DestroyWindow(mainWindow);
}

TEST_F(DialogPlacement, PlaceholderRectIsInDialogClientCoordinates) {
  const HWND dialog = MakeWindow(WS_POPUP, nullptr, {-1000, 300, -600, 600});
  const HWND placeholder = MakeWindow(WS_CHILD, dialog, {20, 30, 120, 90});
  SetWindowLongPtrW(placeholder, GWLP_ID, 511);
  const PlaceholderRect place(dialog);
  const RECT expected{20, 30, 120, 90};
  EXPECT_TRUE(EqualRect(&place.rect, &expected));
  EXPECT_EQ(place.id, 511);
  DestroyWindow(dialog);
}

using WindowDpiTest = TwoMonitorDesktop;

TEST_F(WindowDpiTest, EachMonitorAnswersItsOwnAndTheSystemKeepsItsOwn) {
  const HWND onLeft = MakeWindow(WS_POPUP, nullptr, {-1000, 300, -600, 600});
  const HWND onPrimary = MakeWindow(WS_POPUP, nullptr, {100, 100, 300, 300});
  EXPECT_EQ(GetWindowDpi(onLeft).x, 144);
  EXPECT_EQ(GetWindowDpi(onLeft).y, 144);
  EXPECT_EQ(GetWindowDpi(nullptr).x, 96) << "a monitor's answer is not the system's";
  EXPECT_EQ(GetWindowDpi(onPrimary).x, 96);
  EXPECT_EQ(GetWindowDpi(onLeft).x, 144);
  DestroyWindow(onLeft);
  DestroyWindow(onPrimary);
}

}  // namespace
