#include "platform/win32/menus.h"

#include <gtest/gtest.h>

#include "platform/tests/gui/window_test_support.h"

using namespace win32::testing;

namespace {

class PopupMenus : public ::testing::Test {
 protected:
  void SetUp() override {
    ReceivedMessages().clear();
    win32::ClearShownMenusAndShellRequests();
    m_owner = MakeWindow(WS_POPUP);
    m_menu = CreatePopupMenu();
    AppendMenuW(m_menu, MF_STRING, 101, u"&Copy");
    AppendMenuW(m_menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(m_menu, MF_STRING | MF_GRAYED, 102, u"&Print");
    PumpWaiting();
    ReceivedMessages().clear();
  }
  void TearDown() override {
    PumpWaiting();
    DestroyMenu(m_menu);
    DestroyWindow(m_owner);
    win32::ClearShownMenusAndShellRequests();
  }
  HWND m_owner;
  HMENU m_menu;
};

TEST_F(PopupMenus, AScriptedChoiceReachesTheOwnerAndIsRecorded) {
  win32::QueuePopupMenuChoice(101);
  const TPMPARAMS params{sizeof params, {10, 20, 30, 40}};
  ASSERT_TRUE(TrackPopupMenuEx(m_menu, TPM_RIGHTBUTTON, 50, 60, m_owner, &params));
  PumpWaiting();
  EXPECT_EQ(ReceivedNumbers(m_owner), (std::vector<UINT>{WM_INITMENUPOPUP, WM_UNINITMENUPOPUP, WM_COMMAND}));
  EXPECT_EQ(LOWORD(ReceivedMessages().back().wParam), 101);
  const auto shown = win32::ShownPopupMenus();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].menu, m_menu);
  EXPECT_EQ(shown[0].owner, m_owner);
  EXPECT_EQ(shown[0].point.x, 50);
  EXPECT_EQ(shown[0].exclude.bottom, 40);
  EXPECT_EQ(shown[0].chosen, 101u);
}

TEST_F(PopupMenus, WithoutAChoiceOrWithADisabledOneTheMenuIsDismissed) {
  struct Case {
    const char* name;
    UINT queued;  // 0: nothing queued
  } cases[] = {{"nothing queued", 0}, {"grayed item", 102}, {"no such item", 999}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReceivedMessages().clear();
    if (c.queued) win32::QueuePopupMenuChoice(c.queued);
    EXPECT_EQ(TrackPopupMenuEx(m_menu, TPM_RETURNCMD, 0, 0, m_owner, nullptr), 0);
    PumpWaiting();
    EXPECT_EQ(ReceivedNumbers(m_owner), (std::vector<UINT>{WM_INITMENUPOPUP, WM_UNINITMENUPOPUP}));
    EXPECT_EQ(win32::ShownPopupMenus().back().chosen, 0u);
  }
  EnableMenuItem(m_menu, 102, MF_ENABLED);
  win32::QueuePopupMenuChoice(102);
  EXPECT_EQ(TrackPopupMenuEx(m_menu, TPM_RETURNCMD, 0, 0, m_owner, nullptr), 102);
}

TEST_F(PopupMenus, ShellRequestsAreRecordedAndRefusedWithoutAnAnswer) {
  EXPECT_LE(reinterpret_cast<std::uintptr_t>(ShellExecuteW(nullptr, u"open", u"report.html", nullptr, nullptr, 1)), 32u);
  win32::QueueShellExecuteAnswer(true);
  EXPECT_GT(reinterpret_cast<std::uintptr_t>(ShellExecuteW(nullptr, u"open", u"https://example.invalid", nullptr, nullptr, 1)), 32u);
  const auto requests = win32::ShellRequests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0].file, u"report.html");
  EXPECT_FALSE(requests[0].done);
  EXPECT_TRUE(requests[1].done);
}

}  // namespace
