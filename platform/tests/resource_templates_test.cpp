#include "platform/win32/resource_templates.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/tests/gui/window_test_support.h"
#include "platform/win32/input.h"
#include "platform/win32/menus.h"

HMODULE PlatformTestResources();

namespace {

constexpr LANGID kGerman = 0x0407;
constexpr LANGID kFrench = 0x040C;

TEST(DialogTemplates, ALanguageWithoutItsOwnDialogGetsTheNeutralOne) {
  HMODULE module = PlatformTestResources();
  struct Case {
    LANGID language;
    const char16_t* caption;
    std::size_t controls;
  } cases[] = {{kGerman, u"Einstellungen", 2}, {kFrench, u"Settings", 5}, {0, u"Settings", 5}};
  for (const Case& c : cases) {
    win32::DialogTemplate dialog;
    ASSERT_TRUE(win32::LoadDialogTemplate(module, MAKEINTRESOURCEW(10), c.language, dialog)) << c.language;
    EXPECT_EQ(dialog.caption, c.caption);
    EXPECT_EQ(dialog.controls.size(), c.controls);
    EXPECT_EQ(dialog.face, u"MS Shell Dlg 2");
    EXPECT_EQ(dialog.pointSize, 8);
  }
  win32::DialogTemplate missing;
  EXPECT_FALSE(win32::LoadDialogTemplate(module, MAKEINTRESOURCEW(11), kGerman, missing));
}

TEST(DialogTemplates, ControlsKeepTheirClassTextPlaceAndStyle) {
  win32::DialogTemplate dialog;
  ASSERT_TRUE(win32::LoadDialogTemplate(PlatformTestResources(), MAKEINTRESOURCEW(10), 0, dialog));
  EXPECT_EQ(dialog.width, 180);
  EXPECT_EQ(dialog.height, 90);
  ASSERT_EQ(dialog.controls.size(), 5u);
  const win32::DialogControl& ok = dialog.controls[0];
  EXPECT_EQ(ok.className, u"Button");
  EXPECT_EQ(ok.text, u"OK");
  EXPECT_EQ(ok.style, 0x50010001u);
  EXPECT_EQ(ok.id, 1);
  EXPECT_EQ(dialog.controls[1].style, 0x50000000u) << "child and visible unless said otherwise";
  EXPECT_EQ(dialog.controls[2].text, u"&Window (s):");
  EXPECT_EQ(dialog.controls[3].className, u"Edit");
  const win32::DialogControl& slider = dialog.controls[4];
  EXPECT_EQ(slider.className, u"msctls_trackbar32");
  EXPECT_EQ(slider.id, 102);
  EXPECT_EQ(slider.x, 7);
  EXPECT_EQ(slider.width, 166);

  // A template cut short anywhere is refused, not read past its end.
  HRSRC found = FindResourceW(PlatformTestResources(), MAKEINTRESOURCEW(10), RT_DIALOG);
  const void* bytes = LockResource(LoadResource(PlatformTestResources(), found));
  const DWORD size = SizeofResource(PlatformTestResources(), found);
  for (DWORD cut = 0; cut < size; cut += 3) {
    win32::DialogTemplate partial;
    EXPECT_FALSE(win32::ParseDialogTemplate(bytes, cut, partial)) << cut;
  }
}

std::u16string ItemText(HMENU menu, int position) {
  WCHAR buffer[64];
  const int n = GetMenuStringW(menu, UINT(position), buffer, 64, MF_BYPOSITION);
  return std::u16string(buffer, std::size_t(std::max(n, 0)));
}

TEST(MenuTemplates, PopupsNestWithTheirItemsStatesAndSeparators) {
  HMENU bar = LoadMenuW(PlatformTestResources(), MAKEINTRESOURCEW(20));
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(ItemText(bar, 1), u"&Help");
  HMENU analysis = GetSubMenu(bar, 0);
  ASSERT_NE(analysis, nullptr);
  ASSERT_EQ(GetMenuItemCount(analysis), 4);
  EXPECT_EQ(GetMenuItemID(analysis, 0), 100u);
  EXPECT_NE(GetMenuState(analysis, 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
  EXPECT_NE(GetMenuState(analysis, 101, MF_BYCOMMAND) & MF_GRAYED, 0u);
  HMENU views = GetSubMenu(analysis, 2);
  ASSERT_NE(views, nullptr);
  EXPECT_EQ(ItemText(views, 0), u"&Tachogram");
  EXPECT_NE(GetMenuState(views, 111, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 1), 0), 200u);
  DestroyMenu(bar);
  EXPECT_EQ(LoadMenuW(PlatformTestResources(), MAKEINTRESOURCEW(21)), nullptr);
}

TEST(AcceleratorTables, AKeyWithItsModifiersBecomesACommand) {
  HACCEL table = LoadAcceleratorsW(PlatformTestResources(), MAKEINTRESOURCEW(30));
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(CopyAcceleratorTableW(table, nullptr, 0), 3);
  HWND window = win32::testing::MakeWindow();
  std::set<int> held;
  win32::SetKeyStateSource([&](int key) { return SHORT(held.count(key) ? 0x8000 : 0); });
  struct Case {
    WPARAM key;
    std::set<int> modifiers;
    int command;  // 0: none
  } cases[] = {{0x74, {}, 300},           {0x74, {VK_SHIFT}, 0},   {'S', {VK_CONTROL}, 301},
               {'S', {}, 0},              {0x2E, {VK_SHIFT}, 302}, {0x2E, {VK_SHIFT, VK_CONTROL}, 0},
               {'X', {VK_CONTROL}, 0}};
  for (const Case& c : cases) {
    held = c.modifiers;
    win32::testing::ReceivedMessages().clear();
    MSG message{window, WM_KEYDOWN, c.key, 0, 0, {}};
    EXPECT_EQ(TranslateAcceleratorW(window, table, &message), c.command ? 1 : 0) << c.key;
    bool sent = false;
    for (const auto& received : win32::testing::ReceivedMessages())
      if (received.message == WM_COMMAND) {
        sent = true;
        EXPECT_EQ(received.wParam, MAKEWPARAM(c.command, 1));
      }
    EXPECT_EQ(sent, c.command != 0) << c.key;
  }
  win32::SetKeyStateSource(nullptr);
  DestroyWindow(window);
}

}  // namespace
