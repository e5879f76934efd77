#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/gdi.h"
#include "platform/win32/metafile.h"
#include "platform/tests/gui/drawing_test_support.h"

namespace {

using win32::testing::Canvas;
using win32::testing::kBlue;
using win32::testing::kRed;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

TEST(Drawing, ShapesLightTheExpectedPixels) {
  Canvas canvas(20, 20);
  HDC dc = canvas.dc();
  HBRUSH red = CreateSolidBrush(kRed);
  SelectObject(dc, red);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  Rectangle(dc, 2, 2, 8, 6);
  struct Probe {
    int x, y;
    COLORREF expected;
  } rectangle[] = {{2, 2, kBlack}, {7, 5, kBlack}, {8, 5, kWhite}, {7, 6, kWhite},
                   {3, 3, kRed},   {6, 4, kRed},   {1, 1, kWhite}};
  for (const Probe& p : rectangle) EXPECT_EQ(GetPixel(dc, p.x, p.y), p.expected) << p.x << "," << p.y;

  Ellipse(dc, 10, 10, 19, 19);
  Probe ellipse[] = {{14, 14, kRed}, {10, 10, kWhite}, {18, 18, kWhite}, {14, 10, kBlack}, {10, 14, kBlack}};
  for (const Probe& p : ellipse) EXPECT_EQ(GetPixel(dc, p.x, p.y), p.expected) << p.x << "," << p.y;

  // A line stops short of its end point.
  MoveToEx(dc, 0, 18, nullptr);
  LineTo(dc, 5, 18);
  EXPECT_EQ(GetPixel(dc, 0, 18), kBlack);
  EXPECT_EQ(GetPixel(dc, 4, 18), kBlack);
  EXPECT_EQ(GetPixel(dc, 5, 18), kWhite);
  DeleteObject(red);
}

TEST(Drawing, PensOfEveryStyle) {
  struct Case {
    const char* name;
    HPEN pen;
    int lit;  // of a 20-pixel horizontal line
  } cases[] = {
      {"solid", CreatePen(PS_SOLID, 1, kBlue), 20},
      {"cosmetic dots", CreatePen(PS_DOT, 1, kBlue), 10},
      {"null", CreatePen(PS_NULL, 1, kBlue), 0},
      {"three wide", CreatePen(PS_SOLID, 3, kBlue), 60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas canvas(24, 8);
    SelectObject(canvas.dc(), c.pen);
    MoveToEx(canvas.dc(), 2, 4, nullptr);
    LineTo(canvas.dc(), 22, 4);
    EXPECT_EQ(canvas.Count(kBlue), c.lit);
    DeleteObject(c.pen);
  }
}

TEST(Drawing, InvertingTwiceRestoresEveryPixel) {
  Canvas canvas(30, 30);
  HDC dc = canvas.dc();
  HBRUSH blue = CreateSolidBrush(kBlue);
  const RECT area{3, 3, 20, 25};
  FillRect(dc, &area, blue);
  const auto before = canvas.Pixels();
  HPEN pen = CreatePen(PS_SOLID, 2, kBlack);
  SelectObject(dc, pen);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetROP2(dc, R2_NOT);
  const POINT outline[] = {{1, 1}, {25, 2}, {28, 27}, {4, 20}, {1, 1}};
  Polyline(dc, outline, 5);
  Ellipse(dc, 5, 5, 26, 22);
  EXPECT_NE(canvas.Pixels(), before);
  EXPECT_EQ(GetPixel(dc, 2, 1) , RGB(255, 255, 255) ^ 0xFFFFFF) << "inverted white is black";
  Polyline(dc, outline, 5);
  Ellipse(dc, 5, 5, 26, 22);
  EXPECT_EQ(canvas.Pixels(), before);
  DeleteObject(pen);
  DeleteObject(blue);
}

TEST(Drawing, BlitsCopyAndTheColourKeyIsLeftOut) {
  Canvas source(4, 4);
  Canvas target(8, 8);
  SetPixel(source.dc(), 0, 0, kRed);
  SetPixel(source.dc(), 3, 3, kBlue);
  ASSERT_TRUE(BitBlt(target.dc(), 2, 2, 4, 4, source.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(target.dc(), 2, 2), kRed);
  EXPECT_EQ(GetPixel(target.dc(), 5, 5), kBlue);

  Canvas keyed(8, 8);
  const RECT all{0, 0, 8, 8};
  HBRUSH black = CreateSolidBrush(kBlack);
  FillRect(keyed.dc(), &all, black);
  // White is the key: only the red and blue pixels come across.
  ASSERT_TRUE(TransparentBlt(keyed.dc(), 0, 0, 4, 4, source.dc(), 0, 0, 4, 4, kWhite));
  EXPECT_EQ(GetPixel(keyed.dc(), 0, 0), kRed);
  EXPECT_EQ(GetPixel(keyed.dc(), 1, 1), kBlack);
  EXPECT_EQ(GetPixel(keyed.dc(), 3, 3), kBlue);

  ASSERT_TRUE(StretchBlt(target.dc(), 0, 0, 8, 8, source.dc(), 0, 0, 4, 4, SRCCOPY));
  EXPECT_EQ(GetPixel(target.dc(), 1, 1), kRed);
  EXPECT_EQ(GetPixel(target.dc(), 6, 7), kBlue);
  DeleteObject(black);
}

// A context shifted onto itself ends as if the area went through a second surface, wherever the
// two areas overlap or reach past the surface.
TEST(Drawing, ABlitWithinOneContextReadsWhatWasThere) {
  const struct {
    int x, y, fromX, fromY, width, height;
  } cases[] = {{0, 0, 3, 0, 9, 6}, {3, 0, 0, 0, 9, 6}, {0, 0, 0, 2, 12, 4}, {1, 2, 0, 0, 12, 6},
               {-2, 1, 0, 0, 12, 7}, {5, 5, 0, 0, 4, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y << " from " << c.fromX << "," << c.fromY);
    Canvas shifted(12, 8);
    Canvas reference(12, 8);
    for (int i = 0; i < 12; ++i) {
      for (Canvas* canvas : {&shifted, &reference}) {
        SetPixel(canvas->dc(), i, i % 8, RGB(20 * i, 0, 255 - 20 * i));
        SetPixel(canvas->dc(), 11 - i, (i * 3) % 8, RGB(0, 20 * i, 7));
      }
    }
    SetWindowOrgEx(shifted.dc(), 1, 1, nullptr);
    ASSERT_TRUE(BitBlt(shifted.dc(), c.x + 1, c.y + 1, c.width, c.height, shifted.dc(),
                       c.fromX + 1, c.fromY + 1, SRCCOPY));
    SetWindowOrgEx(shifted.dc(), 0, 0, nullptr);
    Canvas through(12, 8);
    BitBlt(through.dc(), 0, 0, 12, 8, reference.dc(), 0, 0, SRCCOPY);
    BitBlt(reference.dc(), c.x, c.y, c.width, c.height, through.dc(), c.fromX, c.fromY, SRCCOPY);
    EXPECT_EQ(shifted.Pixels(), reference.Pixels());
  }
}

TEST(Drawing, AlphaBlendMixesByTheConstantAlpha) {
  Canvas source(4, 4);
  Canvas target(4, 4);
  const RECT all{0, 0, 4, 4};
  HBRUSH blue = CreateSolidBrush(kBlue);
  FillRect(source.dc(), &all, blue);
  const BLENDFUNCTION half = {AC_SRC_OVER, 0, 128, 0};
  ASSERT_TRUE(AlphaBlend(target.dc(), 0, 0, 4, 4, source.dc(), 0, 0, 4, 4, half));
  EXPECT_EQ(GetPixel(target.dc(), 2, 2), RGB(127, 127, 255));
  const BLENDFUNCTION perPixel = {AC_SRC_OVER, 0, 128, 1};
  EXPECT_FALSE(AlphaBlend(target.dc(), 0, 0, 4, 4, source.dc(), 0, 0, 4, 4, perPixel));
  DeleteObject(blue);
}

TEST(Drawing, ClipRegionsAndOriginsBoundTheDrawing) {
  Canvas canvas(20, 20);
  HDC dc = canvas.dc();
  HRGN left = CreateRectRgn(0, 0, 5, 20);
  HRGN right = CreateRectRgn(15, 0, 20, 20);
  ASSERT_EQ(CombineRgn(left, left, right, RGN_OR), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(left, 17, 3));
  EXPECT_FALSE(PtInRegion(left, 10, 3));
  SelectClipRgn(dc, left);
  HBRUSH red = CreateSolidBrush(kRed);
  const RECT all{0, 0, 20, 20};
  FillRect(dc, &all, red);
  EXPECT_EQ(canvas.Count(kRed), 200);
  EXPECT_EQ(GetPixel(dc, 10, 10), kWhite);
  SelectClipRgn(dc, nullptr);
  const int saved = SaveDC(dc);
  SetViewportOrgEx(dc, 10, 10, nullptr);
  SetPixel(dc, 0, 0, kBlue);
  RestoreDC(dc, saved);
  EXPECT_EQ(GetPixel(dc, 10, 10), kBlue);
  DeleteObject(left);
  DeleteObject(right);
  DeleteObject(red);
}

TEST(Drawing, TextIsLaidOutInLiberationSansAndWraps) {
  Canvas canvas(200, 120);
  HDC dc = canvas.dc();
  HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, u"MS Shell Dlg 2");
  SelectObject(dc, font);
  TEXTMETRICW metrics;
  ASSERT_TRUE(GetTextMetricsW(dc, &metrics));
  EXPECT_GE(metrics.tmHeight, 13);
  EXPECT_LE(metrics.tmHeight, 15);
  EXPECT_GT(metrics.tmAveCharWidth, 4);
  SIZE one, two;
  GetTextExtentPoint32W(dc, u"Heart", 5, &one);
  GetTextExtentPoint32W(dc, u"HeartHeart", 10, &two);
  EXPECT_GT(one.cx, 20);
  EXPECT_NEAR(two.cx, 2 * one.cx, 1);

  RECT box{0, 0, 100, 0};
  const std::u16string paragraph = u"the quick brown fox jumps over the lazy dog again and again";
  const int height = DrawTextW(dc, paragraph.c_str(), -1, &box, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(height % metrics.tmHeight, 0);
  EXPECT_GE(height / metrics.tmHeight, 3);
  EXPECT_EQ(canvas.Count(kBlack), 0) << "measuring draws nothing";
  RECT drawn{0, 0, 100, 120};
  EXPECT_EQ(DrawTextW(dc, paragraph.c_str(), -1, &drawn, DT_WORDBREAK), height);
  const int black = canvas.Count(kBlack);
  EXPECT_GT(black, 50);
  // Nothing antialiased: every pixel is the text colour or the white it was drawn on.
  EXPECT_EQ(black + canvas.Count(kWhite), 200 * 120);
  DeleteObject(font);
}

// A scene that uses what recordings must carry: objects selected before the calls, mixes,
// origins, clips, text and a blit from a context that changes afterwards.
void DrawScene(HDC dc, HDC source) {
  HBRUSH blue = CreateSolidBrush(kBlue);
  const LOGBRUSH red{BS_SOLID, kRed, 0};
  HPEN dashed = ExtCreatePen(PS_GEOMETRIC | PS_DASH, 2, &red, 0, nullptr);
  SelectObject(dc, blue);
  SelectObject(dc, dashed);
  Rectangle(dc, 2, 2, 40, 30);
  SetROP2(dc, R2_NOT);
  Ellipse(dc, 10, 10, 60, 50);
  SetROP2(dc, R2_COPYPEN);
  const int saved = SaveDC(dc);
  SetViewportOrgEx(dc, 5, 40, nullptr);
  IntersectClipRect(dc, 0, 0, 50, 12);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kRed);
  TextOutW(dc, 0, 0, u"Replay 123", 10);
  RestoreDC(dc, saved);
  BitBlt(dc, 60, 5, 4, 4, source, 0, 0, SRCCOPY);
  const POINT line[] = {{0, 79}, {79, 60}, {40, 0}};
  SelectObject(dc, GetStockObject(BLACK_PEN));
  Polyline(dc, line, 3);
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(blue);
  DeleteObject(dashed);
}

TEST(Drawing, WorldTransformsMoveAndScaleShapesAndAreSavedWithTheState) {
  Canvas canvas(40, 40);
  HDC dc = canvas.dc();
  const XFORM doubled{2, 0, 0, 2, 10, 10};
  EXPECT_FALSE(SetWorldTransform(dc, &doubled)) << "only in the advanced mode";
  ASSERT_EQ(SetGraphicsMode(dc, GM_ADVANCED), GM_COMPATIBLE);
  ASSERT_TRUE(SetWorldTransform(dc, &doubled));
  const int saved = SaveDC(dc);
  const XFORM shifted{1, 0, 0, 1, 5, 0};
  // Shifting first and then doubling moves by ten pixels; doubling first and then shifting by five.
  struct Case {
    DWORD mode;
    float dx;
  } cases[] = {{MWT_LEFTMULTIPLY, 20}, {MWT_RIGHTMULTIPLY, 15}};
  for (const Case& c : cases) {
    SetWorldTransform(dc, &doubled);
    ASSERT_TRUE(ModifyWorldTransform(dc, &shifted, c.mode));
    XFORM now{};
    GetWorldTransform(dc, &now);
    EXPECT_EQ(now.eDx, c.dx);
    EXPECT_EQ(now.eM11, 2);
  }
  EXPECT_EQ(SetGraphicsMode(dc, GM_COMPATIBLE), 0) << "not while a transform applies";
  RestoreDC(dc, saved);

  SelectObject(dc, GetStockObject(NULL_PEN));
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 0, 0, 5, 5);  // device pixels 10 to 19
  EXPECT_EQ(GetPixel(dc, 10, 10), kBlack);
  EXPECT_EQ(GetPixel(dc, 19, 19), kBlack);
  EXPECT_EQ(GetPixel(dc, 20, 20), kWhite);
  EXPECT_EQ(GetPixel(dc, 9, 9), kWhite);
  ASSERT_TRUE(ModifyWorldTransform(dc, nullptr, MWT_IDENTITY));
  EXPECT_EQ(SetGraphicsMode(dc, GM_COMPATIBLE), GM_ADVANCED);
}

TEST(Metafile, AReplayedRecordingEqualsTheDirectDrawing) {
  Canvas source(4, 4);
  SetPixel(source.dc(), 1, 1, kRed);
  Canvas direct(80, 80);
  DrawScene(direct.dc(), source.dc());

  const RECT frame{0, 0, 2117, 2117};  // 80 pixels at 96 dots per inch, in 0.01 mm
  HDC recording = CreateEnhMetaFileW(nullptr, nullptr, &frame, u"Rhyth\0scene\0");
  ASSERT_NE(recording, nullptr);
  DrawScene(recording, source.dc());
  EXPECT_EQ(GetPixel(recording, 5, 5), kBlue) << "the recording context draws as well";
  HENHMETAFILE metafile = CloseEnhMetaFile(recording);
  ASSERT_NE(metafile, nullptr);
  EXPECT_EQ(win32::MetafileCallCount(metafile), 5u);
  SetPixel(source.dc(), 1, 1, kBlack);  // the recording kept the pixels it copied

  Canvas replayed(80, 80);
  SelectObject(replayed.dc(), GetStockObject(NULL_PEN));  // the target's own state does not count
  const RECT at{0, 0, 80, 80};
  ASSERT_TRUE(PlayEnhMetaFile(replayed.dc(), metafile, &at));
  EXPECT_EQ(replayed.Pixels(), direct.Pixels());
  EXPECT_EQ(GetCurrentObject(replayed.dc(), OBJ_PEN), GetStockObject(NULL_PEN));
  EXPECT_TRUE(DeleteEnhMetaFile(metafile));
  EXPECT_FALSE(DeleteEnhMetaFile(metafile));
}

}  // namespace
