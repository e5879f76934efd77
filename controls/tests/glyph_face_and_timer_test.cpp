#include <gtest/gtest.h>

#include <memory>

#include "controls/gadgets/glyph_face.h"
#include "controls/gadgets/low_priority_timer.h"
#include "controls/gdiplus_starter.h"
#include "controls/tests/control_test_resources.h"
#include "core/gdiplus_bitmap_resource.h"
#include "platform/tests/gui/window_test_support.h"

namespace {

SYSTEMTIME At(int second, int milliseconds) {
  SYSTEMTIME time{};
  time.wSecond = WORD(second);
  time.wMilliseconds = WORD(milliseconds);
  return time;
}

TEST(GadgetPulse, AlphaKeepsItsPeakInsteadOfWrapping) {
  struct Case {
    int second, milliseconds;
    int alpha;
  } cases[] = {{0, 0, 128}, {3, 750, 255}, {8, 750, 255}, {2, 916, 0}, {1, 250, 0}};
  for (const Case& c : cases)
    EXPECT_NEAR(PulseAlpha(At(c.second, c.milliseconds)), c.alpha, 1) << c.second << "." << c.milliseconds;
}

TEST(GlyphFace, At144DpiTheGadgetGrowsByTheScaledGlyphWhileTheGlyphStaysItsSizeCentred) {
  const SIZE extent = SizedGlyphExtent({16, 16}, 144, 144);
  EXPECT_EQ(extent.cx, 24);
  EXPECT_EQ(extent.cy, 24);
  const RECT inner{3, 3, 3 + 24, 3 + 24};
  const POINT origin = CentredGlyphOrigin(inner, {16, 16});
  EXPECT_EQ(origin.x, 7);
  EXPECT_EQ(origin.y, 7);

  EnsureGdiplusStarter();
  auto owned = std::make_unique<TGdiPlusBitmapResource>();
  TGdiPlusBitmapResource& glyph = *owned;
  ASSERT_TRUE(glyph.Load(MAKEINTRESOURCEW(300), ControlTestResources()));
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP surface = CreateCompatibleBitmap(screen, 40, 40);
  SelectObject(dc, surface);
  const RECT all{0, 0, 40, 40};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawGlyphFace(dc, *glyph.GetBitmap(), origin, inner, kFaceNormal, true);
  struct Probe {
    int x, y;
    COLORREF colour;
  } probes[] = {{7, 7, RGB(255, 0, 0)}, {22, 22, RGB(255, 0, 0)}, {6, 7, RGB(255, 255, 255)},
                {23, 22, RGB(255, 255, 255)}, {15, 23, RGB(255, 255, 255)}};
  for (const Probe& p : probes) EXPECT_EQ(GetPixel(dc, p.x, p.y), p.colour) << p.x << "," << p.y;

  DrawGlyphFace(dc, *glyph.GetBitmap(), {0, 0}, all, kFaceDisabled, true);
  const COLORREF grey = GetPixel(dc, 5, 5);
  EXPECT_NEAR(GetRValue(grey), 159, 1);
  EXPECT_EQ(GetRValue(grey), GetGValue(grey));
  EXPECT_EQ(GetGValue(grey), GetBValue(grey));
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawGlyphFace(dc, *glyph.GetBitmap(), {0, 0}, all, kFaceIndeterminate, true);
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 255, 255)) << "indeterminate draws nothing";
  DeleteDC(dc);
  DeleteObject(surface);
  ReleaseDC(nullptr, screen);
  owned.reset();
  ReleaseGdiplusStarter();  // as the module's unload does
}

TEST(GlyphFace, OpaqueSilverIsTransparentUnlessTheImageIsPremultiplied) {
  EXPECT_EQ(DisabledGlyphChannel(255, 0, 0), 159);
  EXPECT_EQ(DisabledGlyphChannel(0, 0, 0), 102);
  Gdiplus::Bitmap silver(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) silver.SetPixel(x, y, Gdiplus::Color(255, 192, 192, 192));
  const HDC screen = GetDC(nullptr);
  const HDC dc = CreateCompatibleDC(screen);
  const HBITMAP surface = CreateCompatibleBitmap(screen, 8, 8);
  SelectObject(dc, surface);
  const RECT all{0, 0, 8, 8};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  DrawGlyphFace(dc, silver, {0, 0}, all, kFaceNormal, false);
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 0));
  DrawGlyphFace(dc, silver, {0, 0}, all, kFaceNormal, true);
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(192, 192, 192));
  DeleteDC(dc);
  DeleteObject(surface);
  ReleaseDC(nullptr, screen);
}

class CountingTimer : public Quor::LowPriorityTimer {
 public:
  using Quor::LowPriorityTimer::LowPriorityTimer;
  void OnTimer() override { ++ticks; }
  int ticks = 0;
};

TEST(LowPriorityTimerTest, TicksOnTheManualClockAndStopsWithItsOwner) {
  auto clock = std::make_shared<win32::FixedClock>(133000000000000000ULL, 0);
  win32::SetClock(clock);
  {
    CountingTimer idle(0);
    EXPECT_FALSE(idle.IsTimerRunning()) << "an interval of exactly 0 starts nothing";
    CountingTimer timer(0.1);
    ASSERT_TRUE(timer.IsTimerRunning());
    for (int i = 0; i < 3; ++i) {
      clock->Advance(100'000'000);
      win32::testing::PumpWaiting();
    }
    EXPECT_EQ(timer.ticks, 3);
    timer.StopTimer();
    clock->Advance(100'000'000);
    win32::testing::PumpWaiting();
    EXPECT_EQ(timer.ticks, 3);
    timer.StartTimer(0.05);
  }
  clock->Advance(100'000'000);
  win32::testing::PumpWaiting();  // the destroyed owner's timer is gone
  win32::SetClock(nullptr);
}

}  // namespace
