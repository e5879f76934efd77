#include <gtest/gtest.h>

#include "controls/dialogs/settings_warning_dialog.h"
#include "controls/tests/control_test_resources.h"
#include "controls/tests/two_monitor_desktop.h"
#include "hostframework/this_module.h"
#include "platform/win32/icons.h"
#include "platform/win32/message_box.h"

namespace {

using controls_testing::TwoMonitorDesktop;
using QuorControls::DialogSettingsWarningDlg;

class SettingsWarning : public TwoMonitorDesktop {
 protected:
  void SetUp() override {
    TwoMonitorDesktop::SetUp();
    win32::SetExecutableModule(ControlTestResources());
  }
  void TearDown() override {
    win32::SetExecutableModule(nullptr);
    TwoMonitorDesktop::TearDown();
  }
};

TEST_F(SettingsWarning, CentredOnTheMonitorHoldingMostOfIt) {
  struct Case {
    const char* name;
    POINT defaultPlace;
    RECT work;
  } cases[] = {
      {"mostly on the negative monitor", {-300, 200}, controls_testing::kLeftWork},
      {"mostly on the primary", {-100, 200}, controls_testing::kPrimaryWork},
  };
  for (const Case& c : cases) {
    DialogSettingsWarningDlg dialog(nullptr);
    ASSERT_TRUE(dialog.HasTemplate());
    dialog.Attr.X = c.defaultPlace.x;
    dialog.Attr.Y = c.defaultPlace.y;
    ASSERT_TRUE(dialog.Create());
    const RECT placed = dialog.GetWindowRect();
    const LONG width = placed.right - placed.left, height = placed.bottom - placed.top;
    EXPECT_EQ(width, 378) << "252 dialog units";
    EXPECT_EQ(height, 107) << "66 dialog units";
    EXPECT_EQ(placed.left, (c.work.left + c.work.right) / 2 - width / 2) << c.name;
    EXPECT_EQ(placed.top, (c.work.top + c.work.bottom) / 2 - height / 2) << c.name;
    RECT inside;
    IntersectRect(&inside, &placed, &c.work);
    EXPECT_TRUE(EqualRect(&inside, &placed)) << c.name << ": within the work area";
    EXPECT_EQ(dialog.GetCaption(), u"Pendrel");
  }
}

TEST_F(SettingsWarning, ShowsTheErrorIconAndTheRedMarkOnTheFaceColourAndOKCloses) {
  DialogSettingsWarningDlg dialog(nullptr);
  ASSERT_TRUE(dialog.Create());
  dialog.ShowWindow(SW_SHOW);  // as it is while it runs
  const HWND mark = dialog.RedMark().GetHandle();
  const RECT place = dialog.RedMark().GetWindowRect();
  EXPECT_EQ(place.right - place.left, 12);
  InvalidateRect(mark, nullptr, TRUE);
  UpdateWindow(mark);
  const HDC dc = GetDC(mark);
  EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_BTNFACE)) << "the corner colour is transparent";
  EXPECT_EQ(GetPixel(dc, 2, 6), RGB(220, 30, 30));
  ReleaseDC(mark, dc);
  // The system's error icon in its placeholder.
  const HWND icon = GetDlgItem(dialog.GetHandle(), DialogSettingsWarningDlg::kIconControl);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(HICON(SendMessageW(icon, STM_GETICON, 0, 0)), LoadIconW(nullptr, MAKEINTRESOURCEW(IDI_HAND)));
  UpdateWindow(icon);
  const HDC iconDc = GetDC(icon);
  EXPECT_EQ(GetPixel(iconDc, 16, 16), win32::StockIconColour(LoadIconW(nullptr, MAKEINTRESOURCEW(IDI_HAND))));
  ReleaseDC(icon, iconDc);
  dialog.Destroy();

  win32::QueueMessageBoxAnswer(IDOK);
  DialogSettingsWarningDlg modal(nullptr);
  EXPECT_EQ(modal.Execute(), IDOK);
}

// In the host the executable holds none of the warning's resources; a loaded module has them.
TEST_F(SettingsWarning, ALoadedModuleShowsItFromItsOwnResources) {
  win32::SetExecutableModule(nullptr);
  ExtLib::SetThisModule(ControlTestResources());
  {
    DialogSettingsWarningDlg dialog(nullptr);
    EXPECT_TRUE(dialog.HasTemplate());
    ASSERT_TRUE(dialog.Create());
    dialog.ShowWindow(SW_SHOW);
    const HWND mark = dialog.RedMark().GetHandle();
    InvalidateRect(mark, nullptr, TRUE);
    UpdateWindow(mark);
    const HDC dc = GetDC(mark);
    EXPECT_EQ(GetPixel(dc, 2, 6), RGB(220, 30, 30)) << "the red mark's bitmap";
    ReleaseDC(mark, dc);
    dialog.Destroy();
    win32::QueueMessageBoxAnswer(IDOK);
    DialogSettingsWarningDlg modal(nullptr);
    EXPECT_EQ(modal.Execute(), IDOK);
  }
  ExtLib::SetThisModule(nullptr);
}

}  // namespace
