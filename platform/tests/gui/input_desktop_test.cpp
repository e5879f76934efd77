#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/tests/gui/window_test_support.h"
#include "platform/win32/clock.h"
#include "platform/win32/input.h"
#include "platform/win32/monitors.h"

using namespace win32::testing;

namespace {

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    win32::SetClock(m_clock);
    win32::ResetInputSimulator();
    ReceivedMessages().clear();
  }
  void TearDown() override {
    PumpWaiting();
    win32::ResetInputSimulator();
    win32::SetClock(nullptr);
  }
  int Count(HWND window, UINT message) {
    const auto numbers = ReceivedNumbers(window);
    return int(std::count(numbers.begin(), numbers.end(), message));
  }
  std::shared_ptr<win32::FixedClock> m_clock = std::make_shared<win32::FixedClock>(0, 0);
};

TEST_F(Input, LeavingATrackedWindowGivesOneMouseLeave) {
  const HWND window = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, {10, 10, 110, 110});
  win32::SimulatePointerMove({50, 50});
  TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
  ASSERT_TRUE(TrackMouseEvent(&track));
  win32::SimulatePointerMove({60, 60});
  win32::SimulatePointerMove({500, 500});
  win32::SimulatePointerMove({600, 600});
  PumpWaiting();
  EXPECT_EQ(Count(window, WM_MOUSELEAVE), 1);
  EXPECT_EQ(Count(window, WM_MOUSEMOVE), 2);
  EXPECT_EQ(Count(window, WM_NCHITTEST), 2);
  const auto& moves = ReceivedMessages();
  auto move = std::find_if(moves.begin(), moves.end(), [](auto& m) { return m.message == WM_MOUSEMOVE; });
  EXPECT_EQ(move->lParam, MAKELPARAM(40, 40)) << "client coordinates";
  DestroyWindow(window);
}

TEST_F(Input, DoubleClicksNeedTheTimeTheDistanceAndTheClassStyle) {
  const LPCWSTR doubleClass = RecordingClass(u"DoubleClickWindow", CS_DBLCLKS);
  const HWND window = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, {0, 0, 300, 300}, doubleClass);
  const HWND plain = MakeWindow(WS_POPUP | WS_VISIBLE, nullptr, {400, 0, 700, 300});
  struct Case {
    const char* name;
    HWND window;
    POINT second;
    ULONGLONG gapMs;
    int doubleClicks;
  } cases[] = {
      {"inside time and distance", window, {102, 101}, 499, 1},
      {"at the time limit", window, {100, 100}, 500, 1},
      {"too late", window, {100, 100}, 501, 0},
      {"too far", window, {103, 100}, 100, 0},
      {"class without CS_DBLCLKS", plain, {500, 100}, 100, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReceivedMessages().clear();
    const POINT first = c.window == plain ? POINT{500, 100} : POINT{100, 100};
    win32::SimulateClick(win32::MouseButton::Left, first);
    m_clock->Advance(c.gapMs * 1'000'000);
    win32::SimulateClick(win32::MouseButton::Left, c.second);
    PumpWaiting();
    EXPECT_EQ(Count(c.window, WM_LBUTTONDBLCLK), c.doubleClicks);
    EXPECT_EQ(Count(c.window, WM_LBUTTONDOWN), 2 - c.doubleClicks);
    EXPECT_EQ(Count(c.window, WM_LBUTTONUP), 2);
    m_clock->Advance(10'000'000'000);
  }
  DestroyWindow(window);
  DestroyWindow(plain);
}

TEST_F(Input, KeysGoToTheFocusWindowAndSetTheKeyState) {
  const HWND window = MakeWindow(WS_POPUP | WS_VISIBLE);
  SetFocus(window);
  win32::SimulateKey(VK_SHIFT, true);
  win32::SimulateKey('A', true);
  EXPECT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);
  win32::SimulateKey('A', false);
  win32::SimulateKey(VK_SHIFT, false);
  EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
  PumpWaiting();
  const auto& received = ReceivedMessages();
  auto character = std::find_if(received.begin(), received.end(), [](auto& m) { return m.message == WM_CHAR; });
  ASSERT_NE(character, received.end());
  EXPECT_EQ(character->wParam, WPARAM('A'));
  win32::SetKeyStateSource([](int key) { return key == VK_CONTROL ? SHORT(0x8000) : SHORT(0); });
  EXPECT_TRUE(GetKeyState(VK_CONTROL) & 0x8000);
  win32::SetKeyStateSource(nullptr);
  DestroyWindow(window);
}

class Desktop : public ::testing::Test {
 protected:
  void SetUp() override {
    win32::SetMonitorsForTesting({{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96},
                                  {{1920, 0, 3200, 1024}, {1920, 30, 3200, 1024}, 144}});
  }
  void TearDown() override { win32::SetMonitorsForTesting({}); }
  static RECT Work(HMONITOR monitor) {
    MONITORINFO info{sizeof info, {}, {}, 0};
    EXPECT_TRUE(GetMonitorInfoW(monitor, &info));
    return info.rcWork;
  }
};

TEST_F(Desktop, PointsFindTheirMonitorOrTheNearest) {
  const HMONITOR primary = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTONULL);
  const HMONITOR second = MonitorFromPoint({2000, 10}, MONITOR_DEFAULTTONULL);
  ASSERT_NE(primary, nullptr);
  ASSERT_NE(second, nullptr);
  ASSERT_NE(primary, second);
  struct Case {
    POINT point;
    DWORD flags;
    HMONITOR expected;
  } cases[] = {
      {{1919, 500}, MONITOR_DEFAULTTONULL, primary},
      {{1920, 500}, MONITOR_DEFAULTTONULL, second},
      {{2500, 1050}, MONITOR_DEFAULTTONULL, nullptr},  // below the shorter monitor
      {{2500, 1050}, MONITOR_DEFAULTTONEAREST, second},
      {{2500, 1050}, MONITOR_DEFAULTTOPRIMARY, primary},
      {{-300, 200}, MONITOR_DEFAULTTONEAREST, primary},
      {{5000, -50}, MONITOR_DEFAULTTONEAREST, second},
      {{1900, 1070}, MONITOR_DEFAULTTONEAREST, primary},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MonitorFromPoint(c.point, c.flags), c.expected) << c.point.x << "," << c.point.y;
  const RECT straddling{1800, 100, 2100, 200};  // more of it on the second monitor
  EXPECT_EQ(MonitorFromRect(&straddling, MONITOR_DEFAULTTONULL), second);
  EXPECT_EQ(Work(second).top, 30);
  EXPECT_EQ(Work(primary).bottom, 1040);
  RECT primaryWork;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &primaryWork, 0));
  EXPECT_EQ(primaryWork.bottom, 1040);
  EXPECT_EQ(win32::MonitorDotsPerInch(second), 144);
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
}

TEST_F(Desktop, AMaximisedWindowFillsTheWorkAreaOfItsMonitor) {
  const HWND window = MakeWindow(WS_OVERLAPPEDWINDOW, nullptr, {2000, 100, 2300, 300});
  ShowWindow(window, SW_SHOWMAXIMIZED);
  RECT rect;
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 1920);
  EXPECT_EQ(rect.top, 30);
  EXPECT_TRUE(IsZoomed(window));
  ShowWindow(window, SW_RESTORE);
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, 2000);
  EXPECT_EQ(rect.right, 2300);
  DestroyWindow(window);
}

}  // namespace
