#include <gtest/gtest.h>

#include <memory>

#include "platform/tests/gui/window_test_support.h"
#include "platform/win32/clock.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"

using namespace win32::testing;

namespace {

class WindowMessages : public ::testing::Test {
 protected:
  void SetUp() override { ReceivedMessages().clear(); }
  void TearDown() override {
    PumpWaiting();
    win32::SetClock(nullptr);
  }
};

TEST_F(WindowMessages, CreationAndDestructionArriveInWin32Order) {
  struct Case {
    const char* name;
    DWORD style;
    bool child;
    std::vector<UINT> created;
  } cases[] = {
      {"hidden top-level", WS_OVERLAPPEDWINDOW, false,
       {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}},
      {"shown top-level", WS_OVERLAPPEDWINDOW | WS_VISIBLE, false,
       {WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW,
        WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}},
      {"child", WS_CHILD, true, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HWND parent = c.child ? MakeWindow() : nullptr;
    ReceivedMessages().clear();
    const HWND window = MakeWindow(c.style, parent);
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(ReceivedNumbers(window), c.created);
    if (parent) {
      EXPECT_EQ(ReceivedNumbers(parent), std::vector<UINT>{WM_PARENTNOTIFY});
      ReceivedMessages().clear();
      ASSERT_TRUE(DestroyWindow(parent));
      // The parent hears WM_DESTROY before its child; WM_NCDESTROY comes after the child's.
      EXPECT_EQ(ReceivedNumbers(),
                (std::vector<UINT>{WM_DESTROY, WM_DESTROY, WM_NCDESTROY, WM_NCDESTROY}));
      EXPECT_EQ(ReceivedMessages()[1].window, window);
      EXPECT_EQ(ReceivedMessages()[2].window, window);
    } else {
      ReceivedMessages().clear();
      ASSERT_TRUE(DestroyWindow(window));
      std::vector<UINT> destroyed{WM_DESTROY, WM_NCDESTROY};
      if (c.style & WS_VISIBLE)
        destroyed.insert(destroyed.begin(), {WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED});
      EXPECT_EQ(ReceivedNumbers(window), destroyed);
    }
    EXPECT_FALSE(IsWindow(window));
  }
}

TEST_F(WindowMessages, AStaleHandleStaysDeadWhenItsSlotIsReused) {
  const HWND first = MakeWindow();
  DestroyWindow(first);
  const HWND second = MakeWindow();
  EXPECT_NE(first, second);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_TRUE(IsWindow(second));
  SetLastError(0);
  EXPECT_EQ(SendMessageW(first, WM_USER, 0, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_FALSE(PostMessageW(first, WM_USER, 0, 0));
  DestroyWindow(second);
}

TEST_F(WindowMessages, ACreateHandlerThatRefusesLeavesNoWindow) {
  static HWND seen = nullptr;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM w, LPARAM l) -> LRESULT {
    if (message == WM_CREATE) {
      seen = window;
      return -1;
    }
    return DefWindowProcW(window, message, w, l);
  };
  windowClass.lpszClassName = u"RefusesCreation";
  ASSERT_NE(RegisterClassExW(&windowClass), 0);
  EXPECT_EQ(RegisterClassExW(&windowClass), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
  EXPECT_EQ(MakeWindow(WS_OVERLAPPED, nullptr, {0, 0, 10, 10}, u"refusescreation"), nullptr);
  EXPECT_NE(seen, nullptr);
  EXPECT_FALSE(IsWindow(seen));
  EXPECT_EQ(MakeWindow(WS_OVERLAPPED, nullptr, {0, 0, 10, 10}, u"NoSuchClass"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
}

TEST_F(WindowMessages, SetWindowPosReportsTheNewSizeAndMapsPoints) {
  const HWND parent = MakeWindow(WS_OVERLAPPED | WS_BORDER, nullptr, {100, 50, 400, 350});
  const HWND child = MakeWindow(WS_CHILD, parent, {10, 20, 60, 70});
  ReceivedMessages().clear();
  ASSERT_TRUE(SetWindowPos(child, nullptr, 5, 6, 30, 40, SWP_NOZORDER));
  EXPECT_EQ(ReceivedNumbers(child),
            (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}));
  EXPECT_EQ(ReceivedMessages()[2].lParam, MAKELPARAM(30, 40));
  RECT client, screen;
  GetClientRect(child, &client);
  GetWindowRect(child, &screen);
  EXPECT_EQ(client.right, 30);
  EXPECT_EQ(client.bottom, 40);
  // The parent's client area starts inside its one-pixel border.
  EXPECT_EQ(screen.left, 100 + 1 + 5);
  EXPECT_EQ(screen.top, 50 + 1 + 6);
  POINT point{0, 0};
  ClientToScreen(child, &point);
  EXPECT_EQ(point.x, 106);
  MapWindowPoints(child, parent, &point, 1);
  EXPECT_EQ(point.x, 106 + 5);
  EXPECT_EQ(WindowFromPoint({106, 57}), nullptr);  // nothing is shown yet
  ShowWindow(parent, SW_SHOW);
  ShowWindow(child, SW_SHOW);
  EXPECT_EQ(WindowFromPoint({106, 57}), child);
  EXPECT_EQ(WindowFromPoint({103, 53}), parent);
  DestroyWindow(parent);
}

TEST_F(WindowMessages, ChildrenAreWalkedFromTheFirstToTheLast) {
  const HWND parent = MakeWindow(WS_OVERLAPPED, nullptr);
  const HWND first = MakeWindow(WS_CHILD, parent);
  const HWND second = MakeWindow(WS_CHILD, parent);
  std::vector<HWND> walked;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    walked.push_back(child);
  }
  EXPECT_EQ(walked.size(), 2u);
  EXPECT_TRUE((walked == std::vector<HWND>{first, second} || walked == std::vector<HWND>{second, first}));
  EXPECT_EQ(GetWindow(parent, GW_HWNDNEXT), nullptr) << "a top-level window has no next";
  DestroyWindow(parent);
}

TEST_F(WindowMessages, SentComeBeforePostedBeforePaintAndTimers) {
  auto clock = std::make_shared<win32::FixedClock>(0, 0);
  win32::SetClock(clock);
  const HWND window = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  PumpWaiting();
  ReceivedMessages().clear();
  SetTimer(window, 7, 100, nullptr);
  clock->Advance(200'000'000);
  InvalidateRect(window, nullptr, TRUE);
  PostMessageW(window, WM_USER + 1, 0, 0);
  PostMessageW(window, WM_USER + 2, 0, 0);
  std::vector<UINT> retrieved;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    retrieved.push_back(message.message);
    DispatchMessageW(&message);
    if (message.message == WM_TIMER) break;
  }
  EXPECT_EQ(retrieved, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_PAINT, WM_TIMER}));
  DestroyWindow(window);
}

TEST_F(WindowMessages, TimersRunOnTheManualClock) {
  auto clock = std::make_shared<win32::FixedClock>(0, 0);
  win32::SetClock(clock);
  const HWND window = MakeWindow();
  PumpWaiting();
  auto timerMessages = [&] {
    int count = 0;
    MSG message;
    while (PeekMessageW(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE)) {
      EXPECT_EQ(message.wParam, 3u);
      ++count;
    }
    return count;
  };
  ASSERT_EQ(SetTimer(window, 3, 50, nullptr), 1u);
  clock->Advance(49'000'000);
  EXPECT_EQ(timerMessages(), 0) << "not yet due";
  clock->Advance(1'000'000);
  EXPECT_EQ(timerMessages(), 1) << "due";
  clock->Advance(500'000'000);
  EXPECT_EQ(timerMessages(), 1) << "ten periods unread make one message";
  clock->Advance(50'000'000);
  ASSERT_TRUE(KillTimer(window, 3));
  EXPECT_EQ(timerMessages(), 0) << "killed";
  EXPECT_FALSE(KillTimer(window, 3));

  // Waiting for a timer is a pause: on the manual clock it moves the clock instead of waiting.
  SetTimer(window, 4, 1000, nullptr);
  const DWORD before = GetTickCount();
  MSG message;
  ASSERT_TRUE(GetMessageW(&message, window, WM_TIMER, WM_TIMER));
  EXPECT_EQ(message.wParam, 4u);
  EXPECT_EQ(GetTickCount() - before, 1000u);
  Sleep(250);
  EXPECT_EQ(GetTickCount() - before, 1250u);
  DestroyWindow(window);
}

TEST_F(WindowMessages, ThreadTimersCallTheirProcedureAndQuitEndsGetMessage) {
  auto clock = std::make_shared<win32::FixedClock>(0, 0);
  win32::SetClock(clock);
  static int calls = 0;
  calls = 0;
  const UINT_PTR id = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) { ++calls; });
  ASSERT_NE(id, 0u);
  MSG message;
  ASSERT_TRUE(GetMessageW(&message, nullptr, 0, 0));
  DispatchMessageW(&message);
  EXPECT_EQ(calls, 1);
  KillTimer(nullptr, id);
  PostQuitMessage(5);
  EXPECT_FALSE(GetMessageW(&message, nullptr, 0, 0));
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(message.wParam, 5u);
}

TEST_F(WindowMessages, RetrievalFiltersByWindowAndRange) {
  const HWND a = MakeWindow();
  const HWND b = MakeWindow();
  PumpWaiting();
  PostMessageW(a, WM_USER + 1, 0, 0);
  PostMessageW(b, WM_USER + 2, 0, 0);
  PostThreadMessageW(GetCurrentThreadId(), WM_USER + 3, 0, 0);
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, b, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(message.message, WM_USER + 2);
  ASSERT_TRUE(PeekMessageW(&message, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_USER + 3);
  EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_USER + 5, WM_USER + 9, PM_REMOVE));
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_USER + 2, WM_USER + 2, PM_REMOVE));
  EXPECT_EQ(message.hwnd, b);
  ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.hwnd, a);
  DestroyWindow(a);
  DestroyWindow(b);
}

}  // namespace
