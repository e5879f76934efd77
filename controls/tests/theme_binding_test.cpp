#include <gtest/gtest.h>

#include "controls/tests/test_theme_provider.h"
#include "controls/theme/ux_theme_dll.h"
#include "core/xquor.h"

namespace {

using controls_testing::TestThemeProvider;
using QuorLinkingUtils::UxThemeDLL;

std::u16string MessageOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const XQuor& error) {
    EXPECT_EQ(error.Code(), kXQuorMessageIsReport);
    return error.GetMessage().c_str();
  }
  return u"(nothing thrown)";
}

TEST(ThemeBinding, TheDesktopHasNoVisualStylesSoEveryControlDrawsClassically) {
  EXPECT_FALSE(QuorLinkingUtils::IsThemingActive());
  EXPECT_EQ(QuorLinkingUtils::OpenThemeData(nullptr, u"BUTTON"), nullptr);
  UxThemeData theme(nullptr, Quor::String(u"BUTTON"));
  EXPECT_EQ(MessageOf([&] { theme.Get(); }), u"Could not open theme data for the given class: BUTTON.");
}

TEST(ThemeBinding, TheHolderOpensLazilyAndClosesOnlyWhatItHolds) {
  TestThemeProvider provider;
  EXPECT_TRUE(QuorLinkingUtils::IsThemingActive());
  UxThemeData theme(nullptr, Quor::String(u"TOOLTIP"));
  EXPECT_NO_THROW(theme.Close()) << "never opened: nothing to close";
  EXPECT_EQ(provider.closed, 0);
  const HTHEME first = theme.Get();
  EXPECT_EQ(theme.Get(), first);
  EXPECT_EQ(provider.opened, 1);
  theme.Close();
  EXPECT_FALSE(theme.IsOpen());
  theme.Get();
  EXPECT_EQ(provider.opened, 2) << "opened again after Close";

  UxThemeData unknown(nullptr, Quor::String(u"NOSUCHCLASS"));
  EXPECT_EQ(MessageOf([&] { unknown.Get(); }), u"Could not open theme data for the given class: NOSUCHCLASS.");
  provider.failing = {"Close"};
  EXPECT_EQ(MessageOf([&] { theme.Close(); }), u"Failed to close theme data.");
  EXPECT_FALSE(theme.IsOpen());
}

TEST(ThemeBinding, StrictWrappersReportTheCallThatFailed) {
  TestThemeProvider provider;
  UxThemeData theme(nullptr, Quor::String(u"TOOLTIP"));
  const HDC screen = GetDC(nullptr);
  RECT rect{0, 0, 50, 20};
  SIZE size{};
  HRGN region = nullptr;
  EXPECT_EQ(UxThemeDLL::GetThemePartSize(theme, screen, 5, 1, TS_DRAW, size), S_OK);
  EXPECT_EQ(size.cx, 20);
  provider.failing = {"DrawBackground", "PartSize", "TextExtent", "DrawText", "Region"};
  struct Case {
    std::function<void()> call;
    const char16_t* message;
  } cases[] = {
      {[&] { UxThemeDLL::DrawThemeBackground(theme, screen, 1, 1, rect); },
       u"Error calling UxThemeDLL::DrawThemeBackground()."},
      {[&] { UxThemeDLL::GetThemePartSize(theme, screen, 5, 1, TS_DRAW, size); },
       u"Error calling UxThemeDLL::GetThemePartSize()."},
      {[&] { UxThemeDLL::GetThemeTextExtent(theme, screen, 4, 0, u"Title", 0, rect); },
       u"Error calling UxThemeDLL::GetThemeTextExtent()."},
      {[&] { UxThemeDLL::DrawThemeText(theme, screen, 4, 0, u"Title", 0, rect); },
       u"Error calling UxThemeDLL::DrawThemeText()."},
      {[&] { UxThemeDLL::GetThemeBackgroundRegion(theme, screen, 3, 1, rect, region); },
       u"Error calling UxThemeDLL::GetThemeBackgroundRegion()."},
  };
  for (const Case& c : cases) EXPECT_EQ(MessageOf(c.call), c.message);
  ReleaseDC(nullptr, screen);
}

}  // namespace
