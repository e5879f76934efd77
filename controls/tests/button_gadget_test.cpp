// Toolbar buttons in a gadget window on a 144 dpi screen, the time on the manual clock. This
// executable runs apart from the other control tests because the system's resolution is read
// once per process.
#include <gtest/gtest.h>

#include <memory>

#include "controls/gadgets/ux_custom_button_gadget.h"
#include "controls/gadgets/ux_sizable_button_gadget.h"
#include "controls/gdiplus_starter.h"
#include "platform/owl/gadgets/command_enabler.h"
#include "platform/owl/gadgets/gadget_window.h"
#include "platform/tests/gui/window_test_support.h"
#include "platform/win32/clock.h"
#include "platform/win32/screen.h"

namespace {

class HighDpiScreen : public ::testing::Environment {
 public:
  void SetUp() override { win32::SetScreenForTesting({32, 144, 1920, 1080}); }
};
const auto* const kScreen = ::testing::AddGlobalTestEnvironment(new HighDpiScreen);

std::unique_ptr<Gdiplus::Bitmap> PureRed(int side) {
  auto image = std::make_unique<Gdiplus::Bitmap>(side, side);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) image->SetPixel(x, y, Gdiplus::Color(255, 255, 0, 0));
  return image;
}

// A sizable button with a red 16 × 16 glyph that counts its paints.
class RedButton : public UxSizableButtonGadget {
 public:
  RedButton() : UxSizableButtonGadget(7, 0) { SetGlyphImage(0, PureRed(16)); }
  void Paint(OWL::TDC& dc) override {
    ++paints;
    UxSizableButtonGadget::Paint(dc);
  }
  int paints = 0;
};

// A top-level gadget window that answers command-enable questions with `text`.
class Strip : public OWL::TGadgetWindow {
 public:
  Strip() {
    Attr.Style = WS_POPUP | WS_VISIBLE;
    Attr.W = 200;
    Attr.H = 60;
  }
  bool Find(OWL::TEventInfo& info) override {
    static const OWL::TResponseTable table{{OWL::WM_COMMAND_ENABLE, 0, OWL::Handler(&Strip::EvCommandEnable)}};
    return SearchResponseTable(table, info) || TGadgetWindow::Find(info);
  }
  LRESULT EvCommandEnable(WPARAM, LPARAM enabler) {
    reinterpret_cast<OWL::TCommandEnabler*>(enabler)->SetText(text.c_str());
    return 0;
  }
  // Paints what waits and answers whether the rectangle was then marked again.
  void Settle() {
    UpdateWindow();
    win32::testing::PumpWaiting();
  }
  RECT Marked() {
    RECT marked{};
    GetUpdateRect(GetHandle(), &marked, FALSE);
    return marked;
  }
  std::u16string text;
};

class ButtonGadgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    win32::SetClock(clock);
    EnsureGdiplusStarter();
  }
  void TearDown() override {
    strip.reset();
    win32::SetClock(nullptr);
  }
  COLORREF PixelAt(int x, int y) {
    OWL::TClientDC dc(strip->GetHandle());
    return GetPixel(dc, x, y);
  }
  std::shared_ptr<win32::FixedClock> clock = std::make_shared<win32::FixedClock>(133000000000000000ULL, 0);
  std::unique_ptr<Strip> strip = std::make_unique<Strip>();
};

TEST_F(ButtonGadgetTest, At144DpiTheGlyphWidensTheButtonBy24ButIsDrawn16PixelsWideCentred) {
  auto* button = new RedButton;
  OWL::TSize borders, desired;
  button->OWL::TGadget::GetDesiredSize(borders);
  button->GetDesiredSize(desired);
  EXPECT_EQ(desired.cx - borders.cx, 24);
  EXPECT_EQ(desired.cy - borders.cy, 24);

  strip->Insert(*button);
  ASSERT_TRUE(strip->Create());
  strip->Settle();
  const RECT bounds = button->GetBounds();
  EXPECT_EQ(bounds.right - bounds.left, desired.cx);
  const int left = bounds.left + (bounds.right - bounds.left - 16) / 2;
  const int top = bounds.top + (bounds.bottom - bounds.top - 16) / 2;
  EXPECT_EQ(button->GetGlyphOrigin().x, left);
  struct Probe {
    int x, y;
    bool red;
  } probes[] = {{left, top, true}, {left + 15, top + 15, true}, {left - 1, top, false}, {left + 16, top + 15, false},
                {left, top + 16, false}};
  for (const Probe& p : probes)
    EXPECT_EQ(PixelAt(p.x, p.y) == RGB(255, 0, 0), p.red) << p.x << "," << p.y;
}

TEST_F(ButtonGadgetTest, ADisabledButtonDrawsItsGlyphGreyAndNeitherHotNorPressedChangesThat) {
  auto* button = new RedButton;
  strip->Insert(*button);
  ASSERT_TRUE(strip->Create());
  button->SetEnabled(false);
  strip->Settle();
  const COLORREF grey = PixelAt(button->GetGlyphOrigin().x + 3, button->GetGlyphOrigin().y + 3);
  EXPECT_NEAR(GetRValue(grey), 159, 1);
  EXPECT_EQ(GetRValue(grey), GetGValue(grey));
  EXPECT_EQ(GetGValue(grey), GetBValue(grey));

  const RECT bounds = button->GetBounds();
  const LPARAM inside = MAKELPARAM(bounds.left + 3, bounds.top + 3);
  strip->HandleMessage(WM_MOUSEMOVE, 0, inside);
  strip->HandleMessage(WM_LBUTTONDOWN, 0x0001, inside);
  EXPECT_EQ(button->GetLookState() & (UxSizableButtonGadget::kLookHot | UxSizableButtonGadget::kLookPressed), 0u);
  strip->Settle();
  EXPECT_EQ(PixelAt(button->GetGlyphOrigin().x + 3, button->GetGlyphOrigin().y + 3), grey);
}

TEST_F(ButtonGadgetTest, TheSameAnimationStateTwiceKeepsTheTimerAndStoppingRepaintsOnce) {
  auto* button = new RedButton;
  strip->Insert(*button);
  ASSERT_TRUE(strip->Create());
  strip->Settle();

  button->SetAnimationState(1);
  const UINT_PTR timer = button->TimerId();
  ASSERT_NE(timer, 0u);
  button->SetAnimationState(1);
  EXPECT_EQ(button->TimerId(), timer) << "the timer was restarted";

  button->paints = 0;
  for (int tick = 0; tick < 3; ++tick) {
    clock->Advance(100'000'000);
    win32::testing::PumpWaiting();
  }
  EXPECT_EQ(button->paints, 3) << "the pulse repaints on every tick";

  button->paints = 0;
  button->SetAnimationState(0);
  EXPECT_FALSE(button->IsTimerRunning());
  clock->Advance(500'000'000);
  strip->Settle();
  EXPECT_EQ(button->paints, 1);
}

TEST_F(ButtonGadgetTest, TheEnablerRepaintsTheButtonOnlyWhenItsTextChanges) {
  auto* button = new UxCustomButtonGadget(nullptr, UxSizableButtonGadget::kThemeButton,
                                          OWL::TButtonTextGadget::sText, OWL::TButtonGadget::Command);
  button->SetText(u"Zoom");
  strip->Insert(*button);
  ASSERT_TRUE(strip->Create());
  struct Case {
    const char16_t* answer;
    UINT flags;
    const char16_t* text;
    bool repainted;
  } cases[] = {
      {u"Zoom", 0, u"Zoom", false},
      {u"Fit", 0, u"Fit", true},
      {u"Fit", 0, u"Fit", false},
      {u"All", OWL::TGadget::kIgnoreEnablerText, u"Fit", false},
  };
  for (const Case& c : cases) {
    strip->Settle();
    button->Flags() = (button->Flags() & ~UINT(OWL::TGadget::kIgnoreEnablerText)) | c.flags;
    strip->text = c.answer;
    button->CommandEnable();
    EXPECT_EQ(button->GetText(), c.text) << std::string(c.answer, c.answer + 3);
    const RECT marked = strip->Marked();
    EXPECT_EQ(!IsRectEmpty(&marked), c.repainted) << std::string(c.answer, c.answer + 3);
    if (c.repainted) {
      EXPECT_TRUE(EqualRect(&marked, &button->GetBounds()));
    }
  }
}

}  // namespace
