#include <gtest/gtest.h>

#include "controls/drawing/frame_lines.h"
#include "controls/drawing/screen_bitmap_dc.h"
#include "controls/fonts/dialog_fonts.h"
#include "controls/tests/two_monitor_desktop.h"
#include "platform/owl/application.h"
#include "platform/tests/gui/window_test_support.h"
#include "platform/win32/metafile.h"

namespace {

using controls_testing::TwoMonitorDesktop;

using DialogFonts = TwoMonitorDesktop;

TEST_F(DialogFonts, DefaultSizeFollowsTheApplicationsLanguageAndAnAngleAsksForTrueType) {
  const HDC screen = GetDC(nullptr);
  const HDC recording = CreateEnhMetaFileW(screen, nullptr, nullptr, nullptr);
  const HWND onLeft = win32::testing::MakeWindow(WS_POPUP, nullptr, {-1000, 300, -600, 600});
  const HDC at144 = GetDC(onLeft);
  struct Case {
    const char* name;
    LANGID language;
    HDC dc;
    int points, angle;
    LONG height;
    BYTE precision;
  } cases[] = {
      {"English default", 0x0409, screen, 0, 0, 13, OUT_DEFAULT_PRECIS},
      {"Japanese default", 0x0411, screen, 0, 0, 16, OUT_DEFAULT_PRECIS},
      {"Chinese default", 0x0804, screen, 0, 0, 16, OUT_DEFAULT_PRECIS},
      {"turned", 0x0409, screen, 9, 900, 12, OUT_TT_ONLY_PRECIS},
      {"not a raster display", 0x0409, recording, 9, 0, 12, OUT_TT_ONLY_PRECIS},
      {"at 144 dpi", 0x0409, at144, 8, 0, 16, OUT_DEFAULT_PRECIS},
  };
  for (const Case& c : cases) {
    OWL::TApplication application(c.language);
    const LOGFONTW font = CreateShellDlgFont(c.dc, c.points, c.angle)->GetObject();
    EXPECT_EQ(font.lfHeight, c.height) << c.name;
    EXPECT_EQ(font.lfOutPrecision, c.precision) << c.name;
    EXPECT_EQ(font.lfEscapement, c.angle) << c.name;
    EXPECT_EQ(font.lfPitchAndFamily, 0x22) << c.name;
    EXPECT_EQ(std::u16string(font.lfFaceName), u"MS Shell Dlg 2") << c.name;
  }
  EXPECT_EQ(CreateAxisLabelFont(nullptr)->GetObject().lfHeight, 11);
  EXPECT_EQ(CreateShellDlgFontOfHeight(recording, -20)->GetObject().lfOutPrecision, OUT_TT_ONLY_PRECIS);
  const GuiFontForDC gui = CreateGuiFontForDC(at144, 10);
  EXPECT_EQ(gui.font->GetObject().lfHeight, 20);
  EXPECT_EQ(gui.font->GetObject().lfPitchAndFamily, 0x12);
  EXPECT_GT(gui.metrics.tmHeight, 0) << "the metrics of the context's current font";
  ReleaseDC(onLeft, at144);
  DestroyWindow(onLeft);
  DeleteEnhMetaFile(CloseEnhMetaFile(recording));
  ReleaseDC(nullptr, screen);
}

TEST(ScreenBitMapDCTest, AnEmptySizeMakesNoBitmapAndDrawingLandsInTheBitmap) {
  EXPECT_NO_THROW({
    ScreenBitMapDC empty(0, 10);
    EXPECT_EQ(empty.GetBitmap(), nullptr);
  });
  ScreenBitMapDC dc(20, 10);
  ASSERT_NE(dc.GetBitmap(), nullptr);
  const RECT all{0, 0, 20, 10};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkColor(dc, RGB(1, 2, 3));
  DrawFrameLines(dc, {2, 2, 12, 8});
  EXPECT_EQ(GetBkColor(dc), RGB(1, 2, 3)) << "the background colour is put back";
  struct Probe {
    int x, y;
    COLORREF colour;
  } probes[] = {{2, 2, kFrameLineColour}, {11, 5, kFrameLineColour}, {6, 7, kFrameLineColour},
                {6, 5, RGB(255, 255, 255)}, {12, 5, RGB(255, 255, 255)}, {6, 8, RGB(255, 255, 255)}};
  for (const Probe& p : probes) EXPECT_EQ(GetPixel(dc, p.x, p.y), p.colour) << p.x << "," << p.y;
}

}  // namespace
