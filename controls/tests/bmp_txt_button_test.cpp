// The glyph button on the headless desktop: what a person's clicks notify, how it looks pushed,
// toggled and disabled, its caption without the mnemonic ampersand, and its tooltip on the
// manual clock.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/buttons/bmp_txt_button.h"
#include "controls/tests/control_test_resources.h"
#include "controls/tests/test_theme_provider.h"
#include "controls/tests/clocked_desktop.h"
#include "platform/tests/gui/window_test_support.h"
#include "platform/win32/clock.h"
#include "platform/win32/cursor.h"
#include "platform/win32/input.h"

namespace {

using controls_testing::ClockedDesktop;
using QuorControls::TBmpTxtButton;
using win32::MouseButton;
using win32::testing::PumpWaiting;

constexpr int kRedSquareGlyph = 301;  // 16 x 16, silver with a pure red 8 x 8 middle
constexpr LRESULT kPushedState = 0x0004;

// A dialog that keeps the command notifications it gets.
class NotedDialog : public OWL::TWindow {
 public:
  using OWL::TWindow::TWindow;
  std::vector<WPARAM> commands;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) commands.push_back(wParam);
    return OWL::TWindow::WindowProc(message, wParam, lParam);
  }
};

class GlyphButton : public ClockedDesktop {
 protected:
  void SetUp() override {
    ClockedDesktop::SetUp();
    PlaceTestDialog(dialog);
  }
  void TearDown() override {
    dialog.Destroy();
    ClockedDesktop::TearDown();
  }
  // An 80 x 24 button at (20, 20 + 30 n) of the dialog.
  TBmpTxtButton& MakeButton(const char16_t* caption, const char16_t* tooltip = u"") {
    auto* button = new TBmpTxtButton(&dialog, 800 + int(buttons.size()), Quor::String(tooltip));
    button->Attr.X = 20;
    button->Attr.Y = 20 + 30 * int(buttons.size());
    button->Attr.W = 80;
    button->Attr.H = 24;
    button->SetCaption(caption);
    buttons.emplace_back(button);
    return *button;
  }
  static POINT OnScreen(const TBmpTxtButton& button, POINT client) {
    ClientToScreen(button, &client);
    return client;
  }
  static POINT Middle(const TBmpTxtButton& button) { return OnScreen(button, {40, 12}); }
  void Click(const TBmpTxtButton& button) {
    win32::SimulateClick(MouseButton::Left, Middle(button));
    PumpWaiting();
  }
  // In steps of the tooltip timer.
  void Wait(int milliseconds) {
    for (int elapsed = 0; elapsed < milliseconds; elapsed += int(TBmpTxtButton::kTooltipTickMs))
      Advance(int(TBmpTxtButton::kTooltipTickMs));
  }
  static bool Pushed(TBmpTxtButton& button) { return (button.SendMessage(BM_GETSTATE) & kPushedState) != 0; }
  // The button's pixels as it paints now, row by row.
  static std::vector<COLORREF> Pixels(TBmpTxtButton& button) {
    button.Invalidate();
    UpdateWindow(button);
    const HDC dc = GetDC(button);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 80; ++x) pixels.push_back(GetPixel(dc, x, y));
    ReleaseDC(button, dc);
    return pixels;
  }
  static int CountNear(const std::vector<COLORREF>& pixels, COLORREF colour, int tolerance = 0) {
    int count = 0;
    for (COLORREF p : pixels) {
      count += std::abs(GetRValue(p) - GetRValue(colour)) <= tolerance &&
               std::abs(GetGValue(p) - GetGValue(colour)) <= tolerance &&
               std::abs(GetBValue(p) - GetBValue(colour)) <= tolerance;
    }
    return count;
  }

  OWL::TModule module{u"controls_tests", ControlTestResources(), false};
  NotedDialog dialog{static_cast<OWL::TWindow*>(nullptr), nullptr, &module};
  std::vector<std::unique_ptr<TBmpTxtButton>> buttons;
};

TEST_F(GlyphButton, EachClickNotifiesAndADoubleClickNotifiesTwice) {
  TBmpTxtButton& button = MakeButton(u"Help");
  ASSERT_TRUE(dialog.Create());
  EXPECT_TRUE(button.IsClassic()) << "no visual styles here";
  Click(button);
  ASSERT_EQ(dialog.commands, (std::vector<WPARAM>{MAKEWPARAM(800, OWL::BN_CLICKED)}));
  // A second click at once, in the same place: a double click.
  Advance(1000);
  Click(button);
  Click(button);
  EXPECT_EQ(dialog.commands.size(), 3u);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(Pushed(button));
}

TEST_F(GlyphButton, ReleasingOutsideNotifiesNothingAndLetsGo) {
  TBmpTxtButton& button = MakeButton(u"Help");
  ASSERT_TRUE(dialog.Create());
  win32::SimulateButton(MouseButton::Left, true, Middle(button));
  PumpWaiting();
  EXPECT_EQ(GetCapture(), button.GetHandle());
  EXPECT_TRUE(Pushed(button));
  const POINT outside = OnScreen(button, {120, 12});
  win32::SimulatePointerMove(outside);
  win32::SimulateButton(MouseButton::Left, false, outside);
  PumpWaiting();
  EXPECT_TRUE(dialog.commands.empty());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(Pushed(button));
}

TEST_F(GlyphButton, AToggleButtonLooksPushedFromTheFirstClickToTheSecond) {
  TBmpTxtButton& button = MakeButton(u"Help");
  button.SetToggleMode(true);
  ASSERT_TRUE(dialog.Create());
  const COLORREF raised = GetSysColor(COLOR_BTNHIGHLIGHT), sunken = GetSysColor(COLOR_3DDKSHADOW);
  EXPECT_EQ(Pixels(button)[0], raised);
  Click(button);
  EXPECT_TRUE(button.IsToggled());
  EXPECT_TRUE(Pushed(button));
  EXPECT_EQ(Pixels(button)[0], sunken) << "the top-left corner of a sunken frame";
  Advance(1000);  // no double click
  Click(button);
  EXPECT_FALSE(button.IsToggled());
  EXPECT_FALSE(Pushed(button));
  EXPECT_EQ(Pixels(button)[0], raised);
  EXPECT_EQ(dialog.commands.size(), 2u);
}

TEST_F(GlyphButton, DisablingLetsGoAndGreysTheGlyphAndTheText) {
  TBmpTxtButton& button = MakeButton(u"Help");
  button.SetBitmap(kRedSquareGlyph);
  ASSERT_TRUE(dialog.Create());
  std::vector<COLORREF> pixels = Pixels(button);
  ASSERT_NE(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
  EXPECT_EQ(CountNear(pixels, RGB(255, 0, 0)), 64) << "the red middle";
  EXPECT_EQ(CountNear(pixels, RGB(192, 192, 192)), 0) << "its silver surround keyed out";
  EXPECT_GT(CountNear(pixels, GetSysColor(COLOR_BTNTEXT)), 0);

  win32::SimulateButton(MouseButton::Left, true, Middle(button));
  PumpWaiting();
  ASSERT_EQ(GetCapture(), button.GetHandle());
  EnableWindow(button, FALSE);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(Pushed(button));
  pixels = Pixels(button);
  EXPECT_EQ(CountNear(pixels, RGB(255, 0, 0)), 0);
  EXPECT_EQ(CountNear(pixels, RGB(159, 159, 159), 1), 64) << "red through the grey matrix";
  EXPECT_EQ(CountNear(pixels, RGB(192, 192, 192)), 0);
  EXPECT_EQ(CountNear(pixels, GetSysColor(COLOR_BTNTEXT)), 0);
  EXPECT_GT(CountNear(pixels, GetSysColor(COLOR_BTNSHADOW)), 0) << "embossed text";
}

TEST_F(GlyphButton, TheMnemonicAmpersandIsNeitherDrawnNorUnderlines) {
  TBmpTxtButton& marked = MakeButton(u"&Help");
  TBmpTxtButton& plain = MakeButton(u"Help");
  TBmpTxtButton& empty = MakeButton(u"");
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(Pixels(marked), Pixels(plain));
  EXPECT_NE(Pixels(plain), Pixels(empty));
}

TEST_F(GlyphButton, TheTooltipShowsFromHalfASecondUntilFiveAndAHalf) {
  TBmpTxtButton& button = MakeButton(u"Help", u"Rhyth HTML Help");
  ASSERT_TRUE(dialog.Create());
  win32::SimulatePointerMove(Middle(button));
  PumpWaiting();
  EXPECT_EQ(button.GetPopup(), nullptr);
  Wait(500);
  ASSERT_NE(button.GetPopup(), nullptr);
  POINT cursor;
  GetCursorPos(&cursor);
  const RECT popup = button.GetPopup()->GetWindowRect();
  EXPECT_EQ(popup.left, cursor.x - 3 + 2);
  EXPECT_EQ(popup.top, cursor.y + 19 + 2);
  Wait(4500);
  EXPECT_NE(button.GetPopup(), nullptr) << "5.0 s";
  Wait(500);
  EXPECT_EQ(button.GetPopup(), nullptr) << "5.5 s";
  win32::SimulatePointerMove(OnScreen(button, {41, 12}));
  Wait(1000);
  EXPECT_EQ(button.GetPopup(), nullptr) << "not again until the pointer has left";
}

TEST_F(GlyphButton, WithoutATooltipNothingPopsUp) {
  TBmpTxtButton& button = MakeButton(u"Help");
  ASSERT_TRUE(dialog.Create());
  win32::SimulatePointerMove(Middle(button));
  Wait(1000);
  EXPECT_EQ(button.GetPopup(), nullptr);
}

TEST_F(GlyphButton, WithVisualStylesTheFaceIsThemedUntilTheThemeCannotBeOpened) {
  controls_testing::TestThemeProvider themes;
  TBmpTxtButton& button = MakeButton(u"Help");
  ASSERT_TRUE(dialog.Create());
  EXPECT_FALSE(button.IsClassic());
  EXPECT_EQ(Pixels(button)[3 * 80 + 3], controls_testing::TestThemeProvider::PartColour(1));
  themes.failing.insert("Open");
  EXPECT_EQ(Pixels(button)[3 * 80 + 3], GetSysColor(COLOR_BTNFACE));
  EXPECT_TRUE(button.IsClassic());
}

}  // namespace
