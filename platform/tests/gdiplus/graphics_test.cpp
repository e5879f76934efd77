#include "platform/gdiplus/graphics.h"

#include <gtest/gtest.h>

#include "gdiplus_test_support.h"
#include "platform/gdiplus/metafile.h"
#include "platform/win32/gdi.h"
#include "platform/win32/metafile.h"

namespace {

using namespace Gdiplus;
using gdiplus_test::GdiplusRun;

constexpr ARGB kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kNone = 0;

ARGB PixelAt(const Bitmap& bitmap, int x, int y) {
  Color colour;
  EXPECT_EQ(bitmap.GetPixel(x, y, &colour), Ok);
  return colour.GetValue();
}

// The box of pixels that are not transparent: left, top, right, bottom (exclusive); all 0 when
// there are none.
std::array<int, 4> InkBox(const Bitmap& bitmap) {
  std::array<int, 4> box{int(bitmap.GetWidth()), int(bitmap.GetHeight()), 0, 0};
  for (int y = 0; y < int(bitmap.GetHeight()); ++y)
    for (int x = 0; x < int(bitmap.GetWidth()); ++x)
      if (PixelAt(bitmap, x, y) >> 24) box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x + 1),
                                              std::max(box[3], y + 1)};
  return box[2] ? box : std::array<int, 4>{0, 0, 0, 0};
}

TEST(GdiplusStartup, StartsAreCountedAndDrawingNeedsOne) {
  Bitmap bitmap(4, 4);
  EXPECT_EQ(Graphics(&bitmap).GetLastStatus(), GdiplusNotInitialized);
  EXPECT_FALSE(IsGdiplusRunning());

  GdiplusStartupInput input;
  ULONG_PTR first = 0, second = 0;
  ASSERT_EQ(GdiplusStartup(&first, &input, nullptr), Ok);
  ASSERT_EQ(GdiplusStartup(&second, &input, nullptr), Ok);
  EXPECT_NE(first, second);
  GdiplusShutdown(first);
  GdiplusShutdown(first);  // a token returned twice ends nothing more
  EXPECT_TRUE(IsGdiplusRunning());
  EXPECT_EQ(Graphics(&bitmap).GetLastStatus(), Ok);
  GdiplusShutdown(second);
  EXPECT_FALSE(IsGdiplusRunning());

  GdiplusStartupInput later;
  later.GdiplusVersion = 2;
  ULONG_PTR token = 0;
  EXPECT_EQ(GdiplusStartup(&token, &later, nullptr), UnsupportedGdiplusVersion);
  EXPECT_EQ(GdiplusStartup(nullptr, &input, nullptr), InvalidParameter);
  EXPECT_FALSE(IsGdiplusRunning());
}

TEST(GdiplusGraphics, FillsOutlinesAndReportsStatuses) {
  GdiplusRun run;
  Bitmap bitmap(12, 10);
  Graphics graphics(&bitmap);
  SolidBrush red{Color(kRed)};
  Pen blue{Color(kBlue), 1};
  EXPECT_EQ(graphics.FillRectangle(&red, 2.0f, 2.0f, 4.0f, 3.0f), Ok);
  EXPECT_EQ(graphics.DrawRectangle(&blue, 7.5f, 1.5f, 3.0f, 3.0f), Ok);
  EXPECT_EQ(graphics.FillRectangle(nullptr, 0.0f, 0.0f, 1.0f, 1.0f), InvalidParameter);
  EXPECT_EQ(graphics.GetLastStatus(), InvalidParameter);
  EXPECT_EQ(graphics.DrawPath(&blue, nullptr), InvalidParameter);
  EXPECT_EQ(graphics.Restore(99), InvalidParameter);

  const struct {
    int x, y;
    ARGB expected;
  } probes[] = {{2, 2, kRed}, {5, 4, kRed}, {6, 4, kNone}, {1, 2, kNone}, {5, 5, kNone},
                {7, 1, kBlue}, {10, 4, kBlue}, {9, 3, kNone}};
  for (const auto& probe : probes)
    EXPECT_EQ(PixelAt(bitmap, probe.x, probe.y), probe.expected) << probe.x << "," << probe.y;
}

TEST(GdiplusGraphics, TransformsClipsAndSavedStates) {
  GdiplusRun run;
  Bitmap bitmap(20, 20);
  Graphics graphics(&bitmap);
  SolidBrush red{Color(kRed)};
  graphics.TranslateTransform(10, 0);
  const GraphicsState saved = graphics.Save();
  // The clip is taken in the coordinates in force: after the translation, x 0..4 lands on 10..14.
  Region clip(RectF(0, 0, 4, 20));
  graphics.SetClip(&clip, CombineModeIntersect);
  graphics.TranslateTransform(-10, 0);
  graphics.FillRectangle(&red, 0.0f, 0.0f, 20.0f, 2.0f);
  EXPECT_EQ(graphics.Restore(saved), Ok);
  graphics.FillRectangle(&red, 0.0f, 10.0f, 2.0f, 2.0f);

  EXPECT_EQ(PixelAt(bitmap, 9, 0), kNone);
  EXPECT_EQ(PixelAt(bitmap, 10, 0), kRed);
  EXPECT_EQ(PixelAt(bitmap, 13, 1), kRed);
  EXPECT_EQ(PixelAt(bitmap, 14, 0), kNone);
  // After the restore: the translation of 10 again, and no clip.
  EXPECT_EQ(PixelAt(bitmap, 10, 10), kRed);
  EXPECT_EQ(PixelAt(bitmap, 0, 10), kNone);

  // A rotation by 90 degrees is clockwise: the x axis turns down the surface.
  Matrix matrix;
  matrix.Rotate(90);
  PointF point(5, 0);
  matrix.TransformPoints(&point);
  EXPECT_NEAR(point.X, 0, 1e-5);
  EXPECT_NEAR(point.Y, 5, 1e-5);
}

TEST(GdiplusGraphics, DashedPensDashInMultiplesOfTheirWidth) {
  GdiplusRun run;
  Bitmap bitmap(24, 6);
  Graphics graphics(&bitmap);
  Pen pen{Color(kBlue), 2};
  const REAL dashes[] = {2, 1};  // 4 pixels on, 2 off
  ASSERT_EQ(pen.SetDashPattern(dashes, 2), Ok);
  EXPECT_EQ(pen.GetDashStyle(), DashStyleCustom);
  EXPECT_EQ(pen.SetDashPattern(dashes, 0), InvalidParameter);
  graphics.DrawLine(&pen, 0.0f, 2.0f, 24.0f, 2.0f);
  std::string seen;
  for (int x = 0; x < 12; ++x) seen += PixelAt(bitmap, x, 2) == kBlue ? '#' : '.';
  EXPECT_EQ(seen, "####..####..");
}

TEST(GdiplusGraphics, PathGradientBlendsFromTheFocusToTheBounds) {
  GdiplusRun run;
  Bitmap bitmap(40, 40);
  Graphics graphics(&bitmap);
  GraphicsPath path;
  path.AddRectangle(RectF(0, 0, 40, 40));
  PathGradientBrush brush(&path);
  brush.SetCenterColor(Color(0xFF000000));
  Color surround(0x00000000);
  INT count = 1;
  brush.SetSurroundColors(&surround, &count);
  brush.SetFocusScales(0.5f, 0.5f);
  EXPECT_EQ(graphics.FillRectangle(&brush, 0.0f, 0.0f, 40.0f, 40.0f), Ok);
  EXPECT_EQ(PixelAt(bitmap, 20, 20), 0xFF000000u);  // inside the focus
  EXPECT_EQ(PixelAt(bitmap, 11, 20), 0xFF000000u);
  const BYTE halfway = Color(PixelAt(bitmap, 5, 20)).GetA();
  EXPECT_GT(halfway, 80);
  EXPECT_LT(halfway, 180);
  EXPECT_LT(Color(PixelAt(bitmap, 0, 20)).GetA(), 20);
}

TEST(GdiplusText, AnchorsPlaceTheInkAroundThePoint) {
  GdiplusRun run;
  Font font(u"Arial", 20, FontStyleRegular, UnitPixel);
  ASSERT_EQ(font.GetLastStatus(), Ok);
  SolidBrush black{Color(0xFF000000)};
  struct Case {
    StringAlignment horizontal, vertical;
    int left, right;     // where the ink may start and end, from x = 100
    int top, bottom;     // and from y = 50
  } cases[] = {
      {StringAlignmentNear, StringAlignmentNear, 100, 160, 50, 75},
      {StringAlignmentCenter, StringAlignmentCenter, 70, 130, 38, 62},
      {StringAlignmentFar, StringAlignmentFar, 40, 100, 25, 50},
  };
  for (const Case& c : cases) {
    Bitmap bitmap(200, 100);
    Graphics graphics(&bitmap);
    StringFormat format;
    format.SetAlignment(c.horizontal);
    format.SetLineAlignment(c.vertical);
    ASSERT_EQ(graphics.DrawString(u"HHHH", -1, &font, RectF(100, 50, 0, 0), &format, &black), Ok);
    const auto box = InkBox(bitmap);
    EXPECT_GE(box[0], c.left) << c.horizontal;
    EXPECT_LE(box[2], c.right) << c.horizontal;
    EXPECT_GE(box[1], c.top) << c.vertical;
    EXPECT_LE(box[3], c.bottom) << c.vertical;
    EXPECT_GT(box[2] - box[0], 40);
  }
}

TEST(GdiplusText, FamiliesAreFoundByExactNameOrAlias) {
  GdiplusRun run;
  const struct {
    const char16_t* name;
    Status status;
    std::u16string reported;
  } cases[] = {
      {u"Arial", Ok, u"Liberation Sans"},
      {u"MS Shell Dlg 2", Ok, u"Liberation Sans"},
      {u"Liberation Sans", Ok, u"Liberation Sans"},
      {u"arial", FontFamilyNotFound, u""},
      {u"sans-serif", FontFamilyNotFound, u""},
      {u"No Such Family", FontFamilyNotFound, u""},
  };
  for (const auto& c : cases) {
    FontFamily family(c.name);
    EXPECT_EQ(family.GetLastStatus(), c.status);
    WCHAR name[LF_FACESIZE_GDIPLUS];
    family.GetFamilyName(name);
    EXPECT_EQ(std::u16string(name), c.reported);
  }
  EXPECT_EQ(Font(u"No Such Family", 10).GetLastStatus(), FontFamilyNotFound);
}

TEST(GdiplusMetafile, DrawingGoesThroughGdiRecordsAndReplays) {
  GdiplusRun run;
  Metafile metafile(nullptr, RectF(0, 0, 30, 20), MetafileFrameUnitPixel, EmfTypeEmfPlusDual, u"test\0Plot\0");
  ASSERT_EQ(metafile.GetLastStatus(), Ok);
  {
    Graphics graphics(&metafile);
    ASSERT_EQ(graphics.GetLastStatus(), Ok);
    SolidBrush red{Color(kRed)};
    Pen blue{Color(kBlue), 1};
    graphics.TranslateTransform(5, 5);
    EXPECT_EQ(graphics.FillRectangle(&red, 0.0f, 0.0f, 10.0f, 5.0f), Ok);
    EXPECT_EQ(graphics.DrawLine(&blue, 0, 10, 20, 10), Ok);
  }
  const HENHMETAFILE handle = metafile.GetHENHMETAFILE();
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(metafile.GetHENHMETAFILE(), nullptr);
  EXPECT_GE(win32::MetafileCallCount(handle), 2u);

  const HDC memory = CreateCompatibleDC(nullptr);
  const HBITMAP surface = CreateCompatibleBitmap(memory, 30, 20);
  SelectObject(memory, surface);
  const RECT all{0, 0, 30, 20};
  FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const RECT place{0, 0, 30, 20};
  ASSERT_TRUE(PlayEnhMetaFile(memory, handle, &place));
  EXPECT_EQ(GetPixel(memory, 8, 7), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(memory, 3, 3), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(memory, 12, 15), RGB(0, 0, 255));
  DeleteDC(memory);
  DeleteObject(surface);
  DeleteEnhMetaFile(handle);
}

TEST(GdiplusGraphics, DrawsOnAMemoryContextUnderItsOrigin) {
  GdiplusRun run;
  const HDC memory = CreateCompatibleDC(nullptr);
  const HBITMAP surface = CreateCompatibleBitmap(memory, 20, 20);
  SelectObject(memory, surface);
  SetViewportOrgEx(memory, 5, 0, nullptr);
  {
    Graphics graphics(memory);
    SolidBrush red{Color(kRed)};
    EXPECT_EQ(graphics.FillRectangle(&red, 0.0f, 0.0f, 4.0f, 4.0f), Ok);
  }
  SetViewportOrgEx(memory, 0, 0, nullptr);
  EXPECT_EQ(GetPixel(memory, 6, 1), RGB(255, 0, 0));
  EXPECT_NE(GetPixel(memory, 1, 1), RGB(255, 0, 0));
  DeleteDC(memory);
  DeleteObject(surface);
  EXPECT_EQ(Graphics(static_cast<HDC>(nullptr)).GetLastStatus(), InvalidParameter);
}

}  // namespace
