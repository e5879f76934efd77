#include "controls/placement/work_area.h"

#include <gtest/gtest.h>

#include "platform/win32/monitors.h"

namespace {

class WorkArea : public ::testing::Test {
 protected:
  void SetUp() override {
    win32::SetMonitorsForTesting({{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96},
                                  {{1920, 0, 3200, 1024}, {1920, 30, 3200, 1024}, 96}});
  }
  void TearDown() override { win32::SetMonitorsForTesting({}); }
};

TEST_F(WorkArea, RectanglesMoveIntoTheirMonitorsWorkArea) {
  struct Case {
    const char* name;
    RECT rect;
    bool primary;
    RECT expected;
  } cases[] = {
      {"off the primary's right and bottom by the overhang", {1800, 1000, 1900, 1100}, false, {1800, 940, 1900, 1040}},
      {"larger than the work area: its top-left corner", {-50, -50, 2500, 1500}, true, {0, 0, 2550, 1550}},
      {"above the second monitor's work area", {2000, 0, 2100, 100}, false, {2000, 30, 2100, 130}},
      {"inside already", {100, 100, 200, 200}, false, {100, 100, 200, 200}},
      {"to the primary when asked", {2000, 0, 2100, 100}, true, {1820, 0, 1920, 100}},
  };
  for (const Case& c : cases) {
    RECT rect = c.rect;
    KeepRectInWorkAreaEx(rect, c.primary);
    EXPECT_TRUE(EqualRect(&rect, &c.expected))
        << c.name << ": " << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
  }
}

TEST_F(WorkArea, AWindowIsRestoredOnlyWhileItKeepsItsSize) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.lpszClassName = u"PlacedWindow";
  RegisterClassExW(&windowClass);
  const HWND window = CreateWindowExW(0, u"PlacedWindow", u"", WS_POPUP, 0, 0, 400, 300, nullptr,
                                      nullptr, nullptr, nullptr);
  WindowPlacementRecord record;
  RestoreOrCentreWindow(record, window);
  RECT rect;
  GetWindowRect(window, &rect);
  const RECT centred{760, 370, 1160, 670};
  EXPECT_TRUE(EqualRect(&rect, &centred));
  EXPECT_TRUE(record.hasRect);

  MoveWindow(window, 10, 10, 400, 300, TRUE);
  record.rect = {100, 120, 500, 420};
  RestoreOrCentreWindow(record, window);
  GetWindowRect(window, &rect);
  EXPECT_TRUE(EqualRect(&rect, &record.rect)) << "the same size: restored";

  MoveWindow(window, 10, 10, 300, 300, TRUE);
  RestoreOrCentreWindow(record, window);
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 960 - 150) << "a new size: centred again";
  EXPECT_EQ(rect.right - rect.left, 300);
  DestroyWindow(window);
}

}  // namespace
