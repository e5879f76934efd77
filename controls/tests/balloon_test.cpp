#include <gtest/gtest.h>

#include <memory>

#include "controls/balloon/balloon_help.h"
#include "controls/tests/test_theme_provider.h"
#include "controls/tests/clocked_desktop.h"
#include "platform/tests/gui/window_test_support.h"
#include "platform/win32/clock.h"
#include "platform/win32/cursor.h"
#include "platform/win32/input.h"

namespace {

using controls_testing::TestThemeProvider;
using win32::testing::PumpWaiting;
using namespace WTL;

struct LayoutCase {
  const char* name;
  SIZE client;
  POINT anchor;
  RECT work;
  unsigned options;
  int quadrant;
  RECT window;
  RECT body;
  POINT tail[3];
};

TEST(BalloonLayout, QuadrantsAndWorkAreaEdges) {
  // Client 200 x 60, margin 8, tail 20: the window is 216 x 96 and a quarter step q = 49.
  const RECT primary{0, 0, 1920, 1040};
  const RECT left{-1440, 100, 0, 960};
  const LayoutCase cases[] = {
      {"lower right: above, tail at the bottom a quarter in from the right", {200, 60}, {1500, 800}, primary, 0, 3,
       {1333, 706, 1549, 802}, {0, 0, 216, 76}, {{147, 74}, {167, 94}, {167, 74}}},
      {"lower left", {200, 60}, {300, 800}, primary, 0, 2, {251, 706, 467, 802}, {0, 0, 216, 76},
       {{69, 74}, {49, 94}, {49, 74}}},
      {"upper left: below, tail on top", {200, 60}, {300, 200}, primary, 0, 1, {251, 199, 467, 295},
       {0, 20, 216, 96}, {{69, 21}, {49, 1}, {49, 21}}},
      {"upper right", {200, 60}, {1500, 200}, primary, 0, 0, {1333, 199, 1549, 295}, {0, 20, 216, 96},
       {{147, 21}, {167, 1}, {167, 21}}},
      {"left edge: pushed right, only the tip follows the anchor", {200, 60}, {10, 200}, primary, 0, 1,
       {0, 199, 216, 295}, {0, 20, 216, 96}, {{69, 21}, {10, 1}, {49, 21}}},
      {"left edge with the whole tail moving", {200, 60}, {10, 200}, primary, kBalloonMoveWholeTail, 1,
       {0, 199, 216, 295}, {0, 20, 216, 96}, {{30, 21}, {10, 1}, {10, 21}}},
      {"right edge", {200, 60}, {1910, 200}, primary, 0, 0, {1704, 199, 1920, 295}, {0, 20, 216, 96},
       {{147, 21}, {206, 1}, {167, 21}}},
      {"right edge with the whole tail moving", {200, 60}, {1910, 200}, primary, kBalloonMoveWholeTail, 0,
       {1704, 199, 1920, 295}, {0, 20, 216, 96}, {{186, 21}, {206, 1}, {206, 21}}},
      {"above the negative monitor's work area: the body moves down to it", {200, 60}, {-1000, 70}, left, 0, 1,
       {-1049, 80, -833, 176}, {0, 20, 216, 96}, {{69, 21}, {49, 1}, {49, 21}}},
      {"past the bottom: moved up by the formula's amount", {200, 600}, {300, 500}, primary, 0, 1,
       {251, 424, 467, 1060}, {0, 20, 216, 636}, {{69, 21}, {49, 1}, {49, 21}}},
      {"narrow: the tail is kept a margin inside", {10, 10}, {1500, 800}, primary, 0, 3, {1482, 756, 1508, 802},
       {0, 0, 26, 26}, {{8, 24}, {18, 44}, {18, 24}}},
  };
  for (const LayoutCase& c : cases) {
    const BalloonLayout layout = LayOutBalloon(c.client, 8, 20, c.anchor, c.work, c.options);
    EXPECT_EQ(layout.quadrant, c.quadrant) << c.name;
    EXPECT_TRUE(EqualRect(&layout.window, &c.window))
        << c.name << ": window " << layout.window.left << "," << layout.window.top << "," << layout.window.right
        << "," << layout.window.bottom;
    EXPECT_TRUE(EqualRect(&layout.body, &c.body)) << c.name;
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(layout.tail[i].x, c.tail[i].x) << c.name << ", point " << i;
      EXPECT_EQ(layout.tail[i].y, c.tail[i].y) << c.name << ", point " << i;
    }
  }
}

class Balloon : public controls_testing::ClockedDesktop {
 protected:
  void SetUp() override {
    ClockedDesktop::SetUp();
    SetCursorPos(1500, 800);
  }
  // A screen point inside the balloon's client area.
  static POINT ScreenPoint(const CBalloonHelp& balloon, POINT client) {
    const RECT area = balloon.ClientArea();
    RECT window;
    GetWindowRect(balloon.m_hWnd, &window);
    return {window.left + area.left + client.x, window.top + area.top + client.y};
  }
  static COLORREF Pixel(HWND window, POINT at) {
    UpdateWindow(window);
    const HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, at.x, at.y);
    ReleaseDC(window, dc);
    return colour;
  }
  const POINT anchor{1500, 800};
};

TEST_F(Balloon, TheTipTouchesTheAnchorAndAnEmptyMessageShowsTheHeaderOnly) {
  CBalloonHelp titleOnly, withMessage;
  ASSERT_TRUE(titleOnly.Create(nullptr, u"Title", u"", &anchor, 0, nullptr, 0, 0x2111));
  ASSERT_TRUE(withMessage.Create(nullptr, u"Title", u"Message", &anchor, 0, nullptr, 0, 0x2111));
  RECT window;
  GetWindowRect(titleOnly.m_hWnd, &window);
  EXPECT_TRUE(EqualRect(&window, &titleOnly.Layout().window));
  EXPECT_EQ(window.left + titleOnly.Layout().tail[1].x, anchor.x);
  EXPECT_EQ(window.top + titleOnly.Layout().tail[1].y, anchor.y);
  EXPECT_EQ(titleOnly.Margin(), 8);
  EXPECT_EQ(titleOnly.TailHeight(), 20);

  const HDC screen = GetDC(nullptr);
  LOGFONTW bold{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof bold, &bold);
  bold.lfWeight = FW_BOLD;
  const HFONT font = CreateFontIndirectW(&bold);
  SelectObject(screen, font);
  RECT title{0, 0, 1000, 0};
  DrawTextW(screen, u"Title", 5, &title, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  const SIZE header = titleOnly.CalcClientSize();
  EXPECT_EQ(header.cx, title.right);
  EXPECT_EQ(header.cy, title.bottom + 8) << "the header and the margin, no message area";
  EXPECT_GT(withMessage.CalcClientSize().cy, header.cy);
}

TEST_F(Balloon, TheTimeoutClosesItEvenWhileTheMouseIsOverIt) {
  CBalloonHelp balloon;
  ASSERT_TRUE(balloon.Create(nullptr, u"Title", u"Message", &anchor, 0, nullptr, 1000, 0x2111));
  const HWND window = balloon.m_hWnd;
  win32::SimulatePointerMove(ScreenPoint(balloon, {5, 5}));
  Advance(999);
  EXPECT_TRUE(IsWindow(window));
  Advance(1);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(Balloon, TheCloseButtonAndTheLinkEachActOnce) {
  auto* closing = new CBalloonHelp;  // deletes itself after its final message
  ASSERT_TRUE(closing->Create(nullptr, u"Title", u"Message", &anchor,
                              kBalloonShowCloseButton | kBalloonDeleteThisOnClose, nullptr, 0, 0x2111));
  HWND window = closing->m_hWnd;
  const RECT close = closing->CloseRect();
  const POINT onClose = ScreenPoint(*closing, {close.left + 3, close.top + 3});
  win32::SimulateButton(win32::MouseButton::Left, true, onClose);
  EXPECT_TRUE(IsWindow(window)) << "a press only arms the button";
  win32::SimulateButton(win32::MouseButton::Left, false, onClose);
  PumpWaiting();
  EXPECT_FALSE(IsWindow(window));

  int linkClicks = 0;
  CBalloonHelp linked;
  linked.SetLink(Quor::String(u"More help"), [&] { ++linkClicks; });
  ASSERT_TRUE(linked.Create(nullptr, u"Title", u"Message", &anchor, kBalloonLiveLink, nullptr, 0, 0x2111));
  window = linked.m_hWnd;
  const RECT link = linked.LinkRect();
  ASSERT_FALSE(IsRectEmpty(&link));
  const POINT onLink = ScreenPoint(linked, {link.left + 2, link.top + 2});
  win32::SimulateClick(win32::MouseButton::Left, onLink);
  PumpWaiting();
  win32::SimulateClick(win32::MouseButton::Left, onLink);
  PumpWaiting();
  EXPECT_EQ(linkClicks, 1);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(Balloon, KeepOpenAreas) {
  CBalloonHelp overRect, overWindow, plain;
  const RECT keep{1400, 700, 1420, 720};
  ASSERT_TRUE(overRect.Create(nullptr, u"T", u"M", &anchor, kBalloonKeepOpenOverRect | kBalloonKeepOpenOverWindow,
                              nullptr, 0, 0x2111));
  overRect.SetKeepOpenRect(keep);
  SetCursorPos(1500, 1000);
  ASSERT_TRUE(overWindow.Create(nullptr, u"T", u"M", &anchor, kBalloonKeepOpenOverWindow, nullptr, 0, 0x2111));
  SetCursorPos(1500, 800);
  ASSERT_TRUE(plain.Create(nullptr, u"T", u"M", &anchor, 0, nullptr, 0, 0x2111));
  RECT window;
  GetWindowRect(overWindow.m_hWnd, &window);
  struct Case {
    const char* name;
    CBalloonHelp& balloon;
    POINT point;
    bool inside;
  } cases[] = {
      {"the rectangle: inside", overRect, {1410, 710}, true},
      {"the rectangle takes precedence over the window", overRect, {window.left + 5, window.top + 5}, false},
      {"the window grown by the tolerance", overWindow, {window.left - 3, window.top}, true},
      {"beyond the tolerance", overWindow, {window.left - 4, window.top}, false},
      {"stretched down to the cursor at show", overWindow, {window.left, 999}, true},
      {"near the cursor at show", plain, {1503, 797}, true},
      {"away from the cursor at show", plain, {1504, 800}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.balloon.IsInKeepOpenArea(c.point), c.inside) << c.name;
}

TEST_F(Balloon, LeavingTheKeepOpenAreaClosesIt) {
  CBalloonHelp balloon;
  ASSERT_TRUE(balloon.Create(nullptr, u"T", u"M", &anchor, kBalloonCloseOnMouseAway | kBalloonKeepOpenOverWindow,
                             nullptr, 0, 0x2111));
  const HWND window = balloon.m_hWnd;
  win32::SimulatePointerMove(ScreenPoint(balloon, {2, 2}));
  PumpWaiting();
  EXPECT_TRUE(IsWindow(window));
  win32::SimulatePointerMove({100, 100});
  PumpWaiting();
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(Balloon, EachThemedStepFallsBackToItsClassicTwin) {
  // The frame's colour on the body's top edge (quadrant 3: the body starts at the window's top).
  auto frameColour = [&](CBalloonHelp& balloon) {
    return Pixel(balloon.m_hWnd, {balloon.Layout().body.right / 2, 0});
  };
  const COLORREF classicFrame = GetSysColor(COLOR_INFOTEXT);
  {
    CBalloonHelp classic;
    ASSERT_TRUE(classic.Create(nullptr, u"T", u"M", &anchor, kBalloonShowCloseButton, nullptr, 0, 0x2111));
    EXPECT_EQ(frameColour(classic), classicFrame);
    EXPECT_EQ(classic.CloseButtonSize().cx, 14);
  }
  TestThemeProvider provider;
  {
    CBalloonHelp themed;
    ASSERT_TRUE(themed.Create(nullptr, u"T", u"M", &anchor, kBalloonShowCloseButton, nullptr, 0, 0x2111));
    EXPECT_EQ(frameColour(themed), TestThemeProvider::PartColour(3));
    EXPECT_EQ(themed.CloseButtonSize().cx, 20) << "the theme's close part";
  }
  provider.failing = {"DrawBackground", "PartSize", "TextExtent", "DrawText", "Close"};
  CBalloonHelp failing;
  ASSERT_TRUE(failing.Create(nullptr, u"T", u"M", &anchor, kBalloonShowCloseButton, nullptr, 0, 0x2111));
  EXPECT_EQ(frameColour(failing), classicFrame);
  EXPECT_EQ(failing.CloseButtonSize().cx, 14) << "a failing size query leaves the classic size";
  EXPECT_NO_THROW(SendMessageW(failing.m_hWnd, WM_THEMECHANGED, 0, 0));
  EXPECT_NO_THROW(SendMessageW(failing.m_hWnd, WM_SYSCOLORCHANGE, 0, 0));
  provider.failing = {"Open"};
  EXPECT_NO_THROW(SendMessageW(failing.m_hWnd, WM_THEMECHANGED, 0, 0));
  EXPECT_EQ(frameColour(failing), classicFrame);
}

}  // namespace
