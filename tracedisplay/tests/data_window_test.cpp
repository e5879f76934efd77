#include "tracedisplay/tests/data_window_test.h"

#include "platform/win32/message_queue.h"
#include "platform/tests/gui/window_test_support.h"
#include "tracedisplay/windows/scroll_bar_window.h"

using namespace PendrelDraw;

namespace {

TEST_F(DataWindowTest, TheArrowCommandsReachTheScrollBarAsItsScrollCodes) {
  auto window = MakeDataWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_NE(window->GetPane().GetScrollBar(), nullptr);
  for (UINT id : {kLineLeftCommand, kLineRightCommand, kPageLeftCommand, kPageRightCommand})
    EXPECT_EQ(window->HandleMessage(WM_COMMAND, MAKEWPARAM(id, 1), 0), 0) << id;
  EXPECT_EQ(window->GetPane().codes, (std::vector<LONG>{SB_LINELEFT, SB_LINERIGHT, SB_PAGELEFT, SB_PAGERIGHT}));
}

TEST_F(DataWindowTest, WithoutAScrollBarTheArrowCommandsAreUnhandledAndSendNothing) {
  auto window = MakeDataWindow(0x80000000 | kPaneNoControls);
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(window->GetPane().GetScrollBar(), nullptr);
  for (UINT id : {kLineLeftCommand, kLineRightCommand, kPageLeftCommand, kPageRightCommand})
    EXPECT_EQ(window->HandleMessage(WM_COMMAND, MAKEWPARAM(id, 1), 0), 1) << id;
  EXPECT_TRUE(window->GetPane().codes.empty());
}

TEST_F(DataWindowTest, CtrlRightArrowIsTheWindowsKeyForAPageRight) {
  auto window = MakeDataWindow();
  ASSERT_NE(window, nullptr);
  SetFocus(window->GetHandle());
  win32::SimulateKey(VK_CONTROL, true);
  win32::SimulateKey(VK_RIGHT, true);
  MSG message{};
  while (PeekMessageW(&message, window->GetHandle(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE) &&
         message.wParam != WPARAM(VK_RIGHT)) {
  }
  EXPECT_TRUE(window->TranslateKeys(message));
  EXPECT_EQ(window->GetPane().codes, std::vector<LONG>{SB_PAGERIGHT});
}

TEST_F(DataWindowTest, ThePaneKnowsItsWindowAndItsWindowsHandle) {
  auto window = MakeDataWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->GetPane().OwningWindow(), window.get());
  EXPECT_EQ(window->GetPane().Window(), window->GetHandle());
  EXPECT_EQ(GetFocus(), window->GetHandle()) << "the window takes the focus as it is set up";
  window->Destroy();
  EXPECT_EQ(window->GetPane().Window(), nullptr) << "cleaning up detaches the pane";
}

TEST_F(DataWindowTest, ASizeWithoutHeightDoesNotReachThePane) {
  auto window = MakeDataWindow();
  ASSERT_NE(window, nullptr);
  window->HandleMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
  EXPECT_EQ(window->GetPane().PaneWidth(), 300);
  window->HandleMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 0));
  EXPECT_EQ(window->GetPane().PaneWidth(), 300);
}

TEST_F(DataWindowTest, CtrlOverADataWindowShowsTheMoveCursorUntilReleasedAndNotAfterLeaving) {
  auto window = MakeDataWindow();
  ASSERT_NE(window, nullptr);
  const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  const HCURSOR move = LoadCursorW(nullptr, IDC_SIZEALL);
  SetCursor(arrow);

  window->HandleMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  win32::SimulateKey(VK_CONTROL, true);
  EXPECT_EQ(GetCursor(), move);
  win32::SimulateKey(VK_CONTROL, false);
  EXPECT_EQ(GetCursor(), arrow);

  window->HandleMessage(WM_MOUSELEAVE);
  win32::SimulateKey(VK_CONTROL, true);
  EXPECT_EQ(GetCursor(), arrow);
  win32::SimulateKey(VK_CONTROL, false);
}

TEST_F(DataWindowTest, TheDataWindowsShareOneKeySubscriptionThatGoesWithTheLast) {
  const std::size_t before = win32::KeyStateListenerCount();
  auto first = MakeDataWindow();
  EXPECT_EQ(win32::KeyStateListenerCount(), before + 1);
  auto second = MakeDataWindow();
  EXPECT_EQ(win32::KeyStateListenerCount(), before + 1);
  first.reset();
  EXPECT_EQ(win32::KeyStateListenerCount(), before + 1);
  second.reset();
  EXPECT_EQ(win32::KeyStateListenerCount(), before);
}

TEST_F(DataWindowTest, AnotherWindowsCursorIsLeftAlone) {
  auto window = MakeDataWindow();
  ASSERT_NE(window, nullptr);
  const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
  SetCursor(hand);
  const HWND bar = static_cast<ScrollBarWin*>(window->GetPane().GetScrollBar())->GetHandle();
  EXPECT_EQ(window->HandleMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(bar), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
            TRUE);
  EXPECT_EQ(GetCursor(), hand);
}

TEST_F(DataWindowTest, PaintingDrawsThePaneOverTheUpdateArea) {
  auto window = MakeDataWindow();
  ASSERT_NE(window, nullptr);
  window->HandleMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(502, 280));
  window->InvalidateWindow(false);
  win32::testing::PumpWaiting();
  EXPECT_TRUE(window->HadUpdateRegion());
  EXPECT_EQ(Box(window->LastUpdateRect()), Box(window->GetClientRect()));
  RECT left{};
  EXPECT_FALSE(GetUpdateRect(window->GetHandle(), &left, FALSE)) << "the paint validated the window";
}

TEST_F(DataWindowTest, WhilePaintingIsSuspendedAPaintLeavesTheWindowValid) {
  auto window = MakeDataWindow();
  ASSERT_NE(window, nullptr);
  window->GetPane().EnablePainting(false);
  window->InvalidateWindow(false);
  win32::testing::PumpWaiting();  // would not come back if the paint asked again
  RECT left{};
  EXPECT_FALSE(GetUpdateRect(window->GetHandle(), &left, FALSE));
  EXPECT_FALSE(window->HadUpdateRegion());
}

TEST_F(DataWindowTest, TheScrollBarTakesScrollInfoOnlyOnceItsWindowExists) {
  ScrollBarWin bar(&host, nullptr);
  const SCROLLINFO wanted = {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 5000, 500, 1200, 0};
  bar.SetScrollInfo(wanted, true);
  SCROLLINFO seen = {sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
  bar.GetScrollInfo(seen);
  EXPECT_EQ(seen.nMax, 100);
  EXPECT_EQ(seen.nPos, 0);

  ASSERT_TRUE(bar.Create());
  bar.SetScrollInfo(wanted, true);
  bar.GetScrollInfo(seen);
  EXPECT_EQ(seen.nMax, 5000);
  EXPECT_EQ(seen.nPage, 500u);
  EXPECT_EQ(seen.nPos, 1200);
  EXPECT_EQ(bar.GetPosition(), 1200);
}

}  // namespace
