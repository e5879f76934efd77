#include <gtest/gtest.h>

#include <memory>

#include "controls/gadgets/ux_gadget_window.h"
#include "controls/gadgets/ux_sizable_button_gadget.h"
#include "controls/menus/load_menu_resource.h"
#include "controls/menus/menu_base.h"
#include "controls/menus/ux_menu_gadget.h"
#include "controls/tests/control_test_resources.h"
#include "platform/tests/gui/window_test_support.h"
#include "platform/win32/menus.h"

namespace {

using QuorControls::UxGadgetWindow;

class Strip : public UxGadgetWindow {
 public:
  Strip() : UxGadgetWindow(nullptr, nullptr) {
    Attr.Style = WS_POPUP | WS_VISIBLE;
    Attr.W = 300;
    Attr.H = 40;
  }
};

std::unique_ptr<OWL::TPopupMenu> ZoomMenu(const char16_t* firstText) {
  auto menu = std::make_unique<OWL::TPopupMenu>();
  if (firstText)
    menu->AppendMenu(MF_STRING, 101, firstText);
  else
    menu->AppendMenu(MF_SEPARATOR);
  menu->AppendMenu(MF_STRING, 102, u"Expand");
  return menu;
}

class MenuGadgetTest : public ::testing::Test {
 protected:
  void SetUp() override { win32::ClearShownMenusAndShellRequests(); }
  void TearDown() override { win32::ClearShownMenusAndShellRequests(); }
  std::unique_ptr<Strip> strip = std::make_unique<Strip>();
};

TEST_F(MenuGadgetTest, AClickOnTheButtonWhileItsMenuIsOpenClosesItWithoutOpeningItAgain) {
  const auto menu = ZoomMenu(u"Compress");
  ASSERT_TRUE(strip->Create());
  auto* button = new Quor::UxButtonMenuGadget(*menu, strip->GetHandle(), u"", nullptr, 1,
                                              OWL::TButtonTextGadget::sText, OWL::TButtonGadget::Command, true,
                                              OWL::TButtonGadget::Up, false, 4);
  strip->Insert(*button);
  const RECT bounds = button->GetBounds();
  const LPARAM inside = MAKELPARAM(bounds.left + 2, bounds.top + 2);
  // The click that closes the open menu waits in the queue while the menu is tracked.
  PostMessageW(strip->GetHandle(), WM_LBUTTONDOWN, 0x0001, inside);
  strip->HandleMessage(WM_LBUTTONDOWN, 0x0001, inside);
  win32::testing::PumpWaiting();
  const auto shown = win32::ShownPopupMenus();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].flags & TPM_VERTICAL, 0u) << "a left-button drop opens below the button";
  POINT corner{bounds.left, bounds.top};
  ClientToScreen(strip->GetHandle(), &corner);
  EXPECT_EQ(shown[0].point.x, corner.x);
  EXPECT_EQ(shown[0].exclude.bottom - shown[0].exclude.top, bounds.bottom - bounds.top);
  EXPECT_FALSE(button->IsPressed());

  // A click elsewhere in the window stays for its own gadget.
  PostMessageW(strip->GetHandle(), WM_LBUTTONDOWN, 0x0001, MAKELPARAM(bounds.right + 50, 2));
  strip->HandleMessage(WM_LBUTTONDOWN, 0x0001, inside);
  MSG waiting{};
  EXPECT_TRUE(PeekMessageW(&waiting, strip->GetHandle(), WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
}

TEST_F(MenuGadgetTest, TheFirstItemsTextBecomesTheCaptionUnlessItHasNone) {
  struct Case {
    const char16_t* firstItem;
    const char16_t* caption;
    const char16_t* text;
  } cases[] = {{u"Compress", u"", u"Compress"}, {nullptr, u"", u""}, {u"Compress", u"Zoom", u"Zoom"}};
  for (const Case& c : cases) {
    const auto menu = ZoomMenu(c.firstItem);
    Quor::UxButtonMenuGadget button(*menu, nullptr, c.caption, nullptr, 1, OWL::TButtonTextGadget::sText,
                                    OWL::TButtonGadget::Command);
    EXPECT_EQ(button.GetText(), c.text);
    EXPECT_EQ(button.GetPopupMenu().GetMenuItemCount(), 2);
    EXPECT_EQ(button.GetAlign(), OWL::TButtonTextGadget::aCenter);
  }
}

TEST(LoadMenuResourceTest, FallsBackToAnyLanguageAndGivesNullsForAMissingMenu) {
  const auto english = LoadMenuResource(ControlTestResources(), u"XTESTMENU", 0x0409);
  ASSERT_NE(english, nullptr);
  ASSERT_NE(english->menuTemplate, nullptr);
  Quor::MenuBase menu(english->menuTemplate);
  ASSERT_TRUE(menu.IsOK());
  EXPECT_EQ(OWL::TPopupMenu(menu, 0).GetMenuItemCount(), 2);

  const auto missing = LoadMenuResource(ControlTestResources(), u"NOSUCHMENU", 0x0409);
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->data, nullptr);
  EXPECT_EQ(missing->menuTemplate, nullptr);
}

TEST_F(MenuGadgetTest, HoverShowsTheHotLookAtOnceAndLeavingTheWindowClearsIt) {
  auto* button = new UxSizableButtonGadget(7, 0);
  strip->Insert(*button);
  ASSERT_TRUE(strip->Create());
  const RECT bounds = button->GetBounds();
  strip->HandleMessage(WM_MOUSEMOVE, 0, MAKELPARAM(bounds.left + 1, bounds.top + 1));
  EXPECT_NE(button->GetLookState() & UxSizableButtonGadget::kLookHot, 0u);
  strip->HandleMessage(WM_MOUSELEAVE);
  EXPECT_EQ(button->GetLookState() & UxSizableButtonGadget::kLookHot, 0u);
}

}  // namespace
