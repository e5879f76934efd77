#include <gtest/gtest.h>

#include <climits>

#include "controls/popups/bitmap_window.h"
#include "controls/popups/popup.h"
#include "controls/tests/control_test_resources.h"
#include "controls/tests/two_monitor_desktop.h"
#include "platform/tests/gui/window_test_support.h"

namespace {

using controls_testing::TheFakeHostApp;
using controls_testing::TwoMonitorDesktop;
using controls_testing::WindowRect;

using PopupPlacement = TwoMonitorDesktop;

const char16_t kLongText[] =
    u"A hover text long enough to need more than one line at three hundred pixels of width, "
    u"so that it wraps.";

TEST_F(PopupPlacement, StaysOnTheWorkAreaOfThePointersMonitor) {
  struct Case {
    const char* name;
    POINT at;
    const char16_t* text;
    // Expected edges; INT_MIN where the case does not pin one.
    LONG left, top, right, bottom;
  } cases[] = {
      {"5 pixels from the right edge: 10 inside", {1913, 500}, u"Value", INT_MIN, 502, 1910, INT_MIN},
      {"near the bottom: above the point", {400, 1030}, u"Value", 402, INT_MIN, INT_MIN, 1032 - 3},
      {"on the negative monitor, inside", {-1000, 500}, u"Value", -998, 502, INT_MIN, INT_MIN},
      {"near the negative monitor's right edge", {-8, 500}, u"Value", INT_MIN, INT_MIN, -10, INT_MIN},
  };
  for (const Case& c : cases) {
    Quor::Popup popup(nullptr, c.at, Quor::String(c.text));
    const RECT placed = WindowRect(popup);
    const LONG expected[] = {c.left, c.top, c.right, c.bottom};
    const LONG actual[] = {placed.left, placed.top, placed.right, placed.bottom};
    for (int edge = 0; edge < 4; ++edge) {
      if (expected[edge] != INT_MIN) {
        EXPECT_EQ(actual[edge], expected[edge]) << c.name << ", edge " << edge;
      }
    }
    EXPECT_TRUE(IsWindowVisible(popup)) << c.name;
  }
}

TEST_F(PopupPlacement, SizeFollowsTheWrappedText) {
  Quor::Popup empty(nullptr, {100, 100}, Quor::String(u""));
  const RECT small = WindowRect(empty);
  EXPECT_EQ(small.right - small.left, 5);
  EXPECT_EQ(small.bottom - small.top, 2);

  Quor::Popup oneLine(nullptr, {100, 100}, Quor::String(u"Value"));
  Quor::Popup wrapped(nullptr, {100, 100}, Quor::String(kLongText));
  const RECT line = WindowRect(oneLine), lines = WindowRect(wrapped);
  EXPECT_LE(lines.right - lines.left, 305);
  EXPECT_GT(lines.right - lines.left, 200);
  EXPECT_GE(lines.bottom - lines.top, 2 * (line.bottom - line.top) - 2);
}

TEST_F(PopupPlacement, AWorkAreaSmallerThanThePopupKeepsItsLeftAndTopEdges) {
  win32::SetMonitorsForTesting({{{0, 0, 1920, 1080}, controls_testing::kPrimaryWork, 96},
                                {{-200, 0, 0, 60}, {-200, 0, 0, 60}, 96}});
  const std::u16string tall = std::u16string(kLongText) + kLongText + kLongText;
  Quor::Popup popup(nullptr, {-150, 40}, Quor::String(tall.c_str()));
  const RECT placed = WindowRect(popup);
  ASSERT_GT(placed.right - placed.left, 200);
  ASSERT_GT(placed.bottom - placed.top, 45) << "too tall to fit above the point";
  EXPECT_EQ(placed.left, -200);
  EXPECT_EQ(placed.top, 0);
}

TEST_F(PopupPlacement, WhileTheHostIsHiddenAPopupIsMadeButNeverShown) {
  TheFakeHostApp().visible = false;
  Quor::Popup popup(nullptr, {100, 100}, Quor::String(u"Value"));
  EXPECT_TRUE(IsWindow(popup));
  EXPECT_FALSE(IsWindowVisible(popup));
}

TEST_F(PopupPlacement, PaintsTheTextOnPaleYellow) {
  Quor::Popup popup(nullptr, {100, 100}, Quor::String(u"Value"));
  UpdateWindow(popup);
  const HDC dc = GetDC(popup);
  EXPECT_EQ(GetPixel(dc, 1, 1), Quor::Popup::kBackground);
  ReleaseDC(popup, dc);
}

using BitmapWindowTest = TwoMonitorDesktop;

COLORREF PaintedPixel(HWND window, int x, int y) {
  UpdateWindow(window);
  const HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

TEST_F(BitmapWindowTest, DrawsTheMarkWithItsCornerTransparentOnTheFaceColour) {
  OWL::TWindow parent(static_cast<OWL::TWindow*>(nullptr));
  parent.Attr.Style = WS_POPUP | WS_VISIBLE;
  parent.Attr.W = 200;
  parent.Attr.H = 100;
  auto* mark = new QuorControls::BitmapWindow(&parent, new OWL::TBitmap(ControlTestResources(), 201));
  mark->Attr.X = 20;
  mark->Attr.Y = 30;
  ASSERT_TRUE(parent.Create());
  const RECT placed = mark->GetWindowRect();
  EXPECT_EQ(placed.right - placed.left, 12) << "sized to the bitmap";
  EXPECT_EQ(placed.bottom - placed.top, 12);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(PaintedPixel(*mark, 0, 0), face);
  EXPECT_EQ(PaintedPixel(*mark, 2, 6), RGB(220, 30, 30));
  delete mark;
}

TEST_F(BitmapWindowTest, WithoutABitmapPaintsOnlyTheFaceColour) {
  OWL::TWindow parent(static_cast<OWL::TWindow*>(nullptr));
  parent.Attr.Style = WS_POPUP | WS_VISIBLE;
  parent.Attr.W = 200;
  parent.Attr.H = 100;
  QuorControls::BitmapWindow empty(&parent, nullptr);
  empty.Attr.W = 10;
  empty.Attr.H = 10;
  ASSERT_TRUE(parent.Create());
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (POINT p : {POINT{0, 0}, POINT{5, 5}, POINT{9, 9}}) EXPECT_EQ(PaintedPixel(empty, p.x, p.y), face);
}

}  // namespace
