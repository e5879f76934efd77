#include <gtest/gtest.h>

#include <memory>

#include "controls/errors/error_provider.h"
#include "controls/tests/control_test_resources.h"
#include "controls/tests/clocked_desktop.h"
#include "platform/tests/gui/window_test_support.h"
#include "platform/win32/clock.h"
#include "platform/win32/cursor.h"
#include "platform/win32/input.h"

namespace {

using controls_testing::ClockedDesktop;
using QuorControls::ErrorProvider;
using win32::testing::PumpWaiting;

class ErrorMark : public ClockedDesktop {
 protected:
  void SetUp() override {
    ClockedDesktop::SetUp();
    PlaceTestDialog(dialog);
  }
  void TearDown() override {
    dialog.Destroy();
    ClockedDesktop::TearDown();
  }
  // A mark in the place of a 20 x 20 placeholder at (50, 40) of the dialog.
  ErrorProvider* MakeMark(DWORD flags) {
    auto* mark = new ErrorProvider(&dialog, 700 + int(marks.size()));
    marks.emplace_back(mark);
    mark->SetFlags(flags);
    mark->Attr.X = 50;
    mark->Attr.Y = 40;
    mark->Attr.W = 20;
    mark->Attr.H = 20;
    return mark;
  }
  void Tick(int ticks) {
    for (int i = 0; i < ticks; ++i) Advance(int(ErrorProvider::kHoverTickMs));
  }
  // The pointer moves over the mark (or, while a balloon holds the mouse, the mark is told).
  static void MoveOver(ErrorProvider& mark, POINT client) {
    POINT screen = client;
    ClientToScreen(mark, &screen);
    if (GetCapture())
      SendMessageW(mark, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    else
      EXPECT_EQ(win32::SimulatePointerMove(screen), mark.GetHandle());
    PumpWaiting();
  }

  OWL::TModule module{u"controls_tests", ControlTestResources(), false};
  OWL::TWindow dialog{static_cast<OWL::TWindow*>(nullptr), nullptr, &module};
  std::vector<std::unique_ptr<ErrorProvider>> marks;
};

TEST_F(ErrorMark, FlagsSettleToOneImageAndOneReaction) {
  struct Case {
    DWORD flags, settled;
    int size;  // of the image the mark takes
  } cases[] = {
      {0, 8 | 1, 16},
      {8 | 16, 16 | 1, 16},
      {2 | 4, 8 | 2, 16},
      {32 | 4, 32 | 4, 14},
      {8 | 32 | 64, 8 | 1 | 64, 16},
  };
  for (const Case& c : cases) MakeMark(c.flags);
  ASSERT_TRUE(dialog.Create());
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(marks[i]->GetFlags(), cases[i].settled) << "flags " << cases[i].flags;
    const OWL::TRect placed = marks[i]->GetWindowRect();
    EXPECT_EQ(placed.Width(), cases[i].size) << "flags " << cases[i].flags;
    EXPECT_EQ(placed.bottom, 300 + 40 + 20) << "bottom-aligned with the placeholder";
    EXPECT_FALSE(IsWindowVisible(*marks[i])) << "hidden until an error is set";
  }
  marks[0]->SetError(true, Quor::String(u"Invalid Value"), Quor::String(u"Value must be in range 1 to 2."));
  EXPECT_TRUE(IsWindowVisible(*marks[0]));
  UpdateWindow(*marks[0]);
  const HDC dc = GetDC(*marks[0]);
  EXPECT_EQ(GetPixel(dc, 8, 2), RGB(220, 30, 30)) << "the red error image";
  ReleaseDC(*marks[0], dc);
  marks[0]->SetError(false, Quor::String(), Quor::String());
  EXPECT_FALSE(IsWindowVisible(*marks[0]));
}

TEST_F(ErrorMark, ThreePixelsOfMovementKeepTheBalloonFourReopenIt) {
  ErrorProvider& mark = *MakeMark(8 | 1);
  ASSERT_TRUE(dialog.Create());
  mark.SetError(true, Quor::String(u"Invalid Value"), Quor::String(u"Value must be in range 1 to 2."));
  MoveOver(mark, {5, 5});
  const HWND first = GetCapture();
  ASSERT_NE(first, nullptr) << "a balloon opened and holds the mouse";
  ASSERT_NE(first, mark.GetHandle());
  MoveOver(mark, {8, 5});
  EXPECT_EQ(GetCapture(), first) << "3 pixels: the same balloon";
  MoveOver(mark, {8, 9});
  EXPECT_NE(GetCapture(), first) << "4 pixels: a new balloon";
}

TEST_F(ErrorMark, TheDelayedPopupShowsOnTheFirstTickGoesAfterFiveSecondsAndWaitsForALeave) {
  ErrorProvider& mark = *MakeMark(8 | 2);
  ASSERT_TRUE(dialog.Create());
  mark.SetError(true, Quor::String(u"Invalid Value"), Quor::String(u"Value must be in range 1 to 2."));
  MoveOver(mark, {5, 5});
  EXPECT_EQ(mark.GetPopup(), nullptr);
  Tick(1);
  ASSERT_NE(mark.GetPopup(), nullptr) << "shown on the first 50 ms tick";
  POINT cursor;
  GetCursorPos(&cursor);
  const RECT popup = mark.GetPopup()->GetWindowRect();
  EXPECT_EQ(popup.left, cursor.x - 3 + 2);
  EXPECT_EQ(popup.top, cursor.y + 19 + 2);
  Tick(99);
  EXPECT_NE(mark.GetPopup(), nullptr) << "5000 ms";
  Tick(1);
  EXPECT_EQ(mark.GetPopup(), nullptr) << "past 5000 ms";
  MoveOver(mark, {6, 6});
  Tick(3);
  EXPECT_EQ(mark.GetPopup(), nullptr) << "not again while the pointer stays";
  win32::SimulatePointerMove({10, 10});
  PumpWaiting();
  MoveOver(mark, {6, 6});
  Tick(1);
  EXPECT_NE(mark.GetPopup(), nullptr) << "again after the pointer left";
}

TEST_F(ErrorMark, AnEmptyTextStartsNoTimer) {
  ErrorProvider& mark = *MakeMark(8 | 2);
  ASSERT_TRUE(dialog.Create());
  mark.SetError(true, Quor::String(u"Invalid Value"), Quor::String());
  MoveOver(mark, {5, 5});
  mark.SetError(true, Quor::String(u"Invalid Value"), Quor::String(u"Now a text"));
  Tick(2);
  EXPECT_EQ(mark.GetPopup(), nullptr) << "no timer was running to show it";
}

TEST_F(ErrorMark, AClickCallsTheCallbackAndALinkedBalloonOffersTheLink) {
  ErrorProvider& mark = *MakeMark(8 | 1 | 64);
  int clicks = 0;
  mark.SetClickCallback([&] { ++clicks; });
  mark.SetLink(Quor::String(u"Help"), [] {});
  ASSERT_TRUE(dialog.Create());
  mark.SetError(true, Quor::String(u"Invalid Value"), Quor::String(u"Value must be in range 1 to 2."));
  SendMessageW(mark, WM_LBUTTONDOWN, 0, MAKELPARAM(3, 3));
  EXPECT_EQ(clicks, 1);
  EXPECT_NE(GetCapture(), nullptr) << "the click opened a balloon";
}

}  // namespace
