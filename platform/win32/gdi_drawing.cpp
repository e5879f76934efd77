#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/win32/gdi_internal.h"
#include "platform/win32/metafile_recording.h"
#include "platform/win32/monitors.h"

using namespace win32::gdi;

namespace {

// Sets up the pen for stroking; false for the null pen.
bool UsePen(DeviceContext& dc) {
  const Pen* pen = FindPen(dc.pen);
  if (!pen || pen->style == PS_NULL) return false;
  cairo_t* cairo = dc.cairo;
  SetMixSource(dc, pen->colour);
  cairo_set_line_width(cairo, pen->width);
  cairo_set_line_cap(cairo, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cairo, CAIRO_LINE_JOIN_MITER);
  const double unit = pen->geometric ? pen->width : 1.0;
  std::vector<double> dashes;
  switch (pen->style) {
    case PS_DASH: dashes = {18 * unit, 6 * unit}; break;
    case PS_DOT: dashes = {3 * unit, 3 * unit}; break;
    case PS_DASHDOT: dashes = {9 * unit, 6 * unit, 3 * unit, 6 * unit}; break;
    case PS_ALTERNATE: dashes = {1, 1}; break;
    case PS_USERSTYLE: dashes = pen->userDashes; break;
    default: break;
  }
  // Cosmetic dotted pens of Windows are one pixel on, one off, whatever the style's lengths.
  if (!pen->geometric && (pen->style == PS_DOT)) dashes = {1, 1};
  cairo_set_dash(cairo, dashes.empty() ? nullptr : dashes.data(), int(dashes.size()), 0);
  return true;
}

// Fills the current path with the selected brush; false for the null brush.
bool UseBrush(DeviceContext& dc, HBRUSH handle) {
  const Brush* brush = FindBrush(handle);
  if (!brush || brush->null) return false;
  SetMixSource(dc, brush->colour);
  return true;
}

// Pixel-centre path of a pen of width w through integer points, so that a one-pixel line covers
// exactly the pixels Windows lights.
double Centre(const Pen* pen) { return pen && pen->width % 2 == 0 ? 0.0 : 0.5; }

void StrokeSegments(DeviceContext& dc, const POINT* points, int count, bool closed) {
  if (count < 2 || !UsePen(dc)) return;
  cairo_t* cairo = dc.cairo;
  const double c = Centre(FindPen(dc.pen));
  // The last pixel of an open line is not drawn: stop half a pixel short of it.
  auto end = [&](POINT from, POINT to) {
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    const double shorten = length > 0 ? 0.5 / length : 0;
    return std::pair{to.x + c - dx * shorten, to.y + c - dy * shorten};
  };
  auto start = [&](POINT from, POINT to) {
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    const double extend = length > 0 ? 0.5 / length : 0;
    return std::pair{from.x + c - dx * extend, from.y + c - dy * extend};
  };
  if (closed) {
    cairo_move_to(cairo, points[0].x + c, points[0].y + c);
    for (int i = 1; i < count; ++i) cairo_line_to(cairo, points[i].x + c, points[i].y + c);
    cairo_close_path(cairo);
  } else {
    const auto [sx, sy] = start(points[0], points[1]);
    cairo_move_to(cairo, sx, sy);
    for (int i = 1; i < count - 1; ++i) cairo_line_to(cairo, points[i].x + c, points[i].y + c);
    const auto [ex, ey] = end(points[count - 2], points[count - 1]);
    cairo_line_to(cairo, ex, ey);
  }
  cairo_stroke(cairo);
}

DeviceContext* Begin(HDC dc) {
  DeviceContext* context = FindDC(dc);
  if (context) Prepare(*context);
  return context;
}

int PenWidth(const DeviceContext& dc) {
  const Pen* pen = FindPen(dc.pen);
  return !pen || pen->style == PS_NULL ? 0 : pen->width;
}

}  // namespace

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
  DeviceContext* context = FindDC(dc);
  if (!context) return FALSE;
  Record(*context, [=](HDC target) { MoveToEx(target, x, y, nullptr); },
         win32::emf::PointRecord(win32::emf::kMoveToEx, x, y));
  if (previous) *previous = context->position;
  context->position = {x, y};
  return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
  DeviceContext* context = Begin(dc);
  if (!context) return FALSE;
  Record(*context, [=](HDC target) { LineTo(target, x, y); },
         win32::emf::PointRecord(win32::emf::kLineTo, x, y));
  const POINT points[] = {context->position, {x, y}};
  StrokeSegments(*context, points, 2, false);
  context->position = {x, y};
  return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
  DeviceContext* context = Begin(dc);
  if (!context || !points || count < 2) return FALSE;
  std::vector<POINT> copy(points, points + count);
  Record(*context, [copy](HDC target) { Polyline(target, copy.data(), int(copy.size())); },
         win32::emf::PointsRecord(win32::emf::kPolyline, points, count));
  // Every segment stops short of its end, and the joins are drawn by the next segment, so a
  // closed polyline lights each pixel once (which keeps R2_NOT reversible).
  for (int i = 0; i + 1 < count; ++i) StrokeSegments(*context, points + i, 2, false);
  return TRUE;
}

BOOL PolyPolyline(HDC dc, const POINT* points, const DWORD* counts, DWORD polylines) {
  if (!points || !counts) return FALSE;
  for (DWORD i = 0; i < polylines; ++i) {
    if (counts[i] >= 2 && !Polyline(dc, points, int(counts[i]))) return FALSE;
    points += counts[i];
  }
  return TRUE;
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
  DeviceContext* context = Begin(dc);
  if (!context || !points || count < 2) return FALSE;
  std::vector<POINT> copy(points, points + count);
  Record(*context, [copy](HDC target) { Polygon(target, copy.data(), int(copy.size())); },
         win32::emf::PointsRecord(win32::emf::kPolygon, points, count));
  cairo_t* cairo = context->cairo;
  if (UseBrush(*context, context->brush)) {
    cairo_move_to(cairo, points[0].x, points[0].y);
    for (int i = 1; i < count; ++i) cairo_line_to(cairo, points[i].x, points[i].y);
    cairo_close_path(cairo);
    cairo_fill(cairo);
  }
  StrokeSegments(*context, points, count, true);
  return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  DeviceContext* context = Begin(dc);
  if (!context) return FALSE;
  Record(*context, [=](HDC target) { Rectangle(target, left, top, right, bottom); },
         win32::emf::BoxRecord(win32::emf::kRectangle, {left, top, right, bottom}));
  if (right - left < 1 || bottom - top < 1) return TRUE;
  cairo_t* cairo = context->cairo;
  const int w = PenWidth(*context);
  // The outline lies inside the rectangle; the brush fills what it encloses.
  if (UseBrush(*context, context->brush)) {
    cairo_rectangle(cairo, left + w, top + w, right - left - 2 * w, bottom - top - 2 * w);
    if (w == 0) cairo_rectangle(cairo, left, top, right - left, bottom - top);
    cairo_fill(cairo);
  }
  if (w > 0 && UsePen(*context)) {
    cairo_rectangle(cairo, left + w / 2.0, top + w / 2.0, right - left - w, bottom - top - w);
    cairo_stroke(cairo);
  }
  return TRUE;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  DeviceContext* context = Begin(dc);
  if (!context) return FALSE;
  Record(*context, [=](HDC target) { Ellipse(target, left, top, right, bottom); },
         win32::emf::BoxRecord(win32::emf::kEllipse, {left, top, right, bottom}));
  if (right - left < 1 || bottom - top < 1) return TRUE;
  cairo_t* cairo = context->cairo;
  const int w = PenWidth(*context);
  const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
  auto path = [&](double inset) {
    const double rx = std::max(0.0, (right - left) / 2.0 - inset);
    const double ry = std::max(0.0, (bottom - top) / 2.0 - inset);
    cairo_save(cairo);
    cairo_translate(cairo, cx, cy);
    cairo_scale(cairo, std::max(rx, 1e-3), std::max(ry, 1e-3));
    cairo_arc(cairo, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cairo);
  };
  if (UseBrush(*context, context->brush)) {
    path(w);
    cairo_fill(cairo);
  }
  if (w > 0 && UsePen(*context)) {
    path(w / 2.0);
    cairo_stroke(cairo);
  }
  return TRUE;
}

namespace {

// A saved file fills the rectangle as a pattern blit with the brush selected for it, the way
// FillRect paints whatever the selected pen and mix.
win32::emf::Bytes FillRectRecords(const RECT& r, COLORREF colour, bool null) {
  using namespace win32::emf;
  Bytes records;
  if (null) return records;
  RecordBuilder(kCreateBrushIndirect).U32(kScratchObject).U32(BS_SOLID).U32(colour).U32(0).AppendTo(records);
  RecordBuilder(kSelectObject).U32(kScratchObject).AppendTo(records);
  const Bytes blit = PatternBlitRecord(r.left, r.top, r.right - r.left, r.bottom - r.top, PATCOPY);
  records.insert(records.end(), blit.begin(), blit.end());
  RecordBuilder(kSelectObject).U32(kStockObject | WHITE_BRUSH).AppendTo(records);
  RecordBuilder(kDeleteObject).U32(kScratchObject).AppendTo(records);
  return records;
}

}  // namespace

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  DeviceContext* context = Begin(dc);
  if (!context || !rect) return 0;
  const RECT r = *rect;
  const Brush* fill = FindBrush(brush);
  const COLORREF colour = fill ? fill->colour : 0;
  const bool null = !fill || fill->null;
  Record(*context,
         [=](HDC target) {
           HBRUSH solid = null ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)) : CreateSolidBrush(colour);
           FillRect(target, &r, solid);
           DeleteObject(solid);
         },
         FillRectRecords(r, colour, null));
  if (null) return 1;
  // FillRect ignores the mix mode.
  cairo_set_operator(context->cairo, CAIRO_OPERATOR_SOURCE);
  SetSourceColour(context->cairo, colour);
  cairo_rectangle(context->cairo, r.left, r.top, r.right - r.left, r.bottom - r.top);
  cairo_fill(context->cairo);
  return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (!rect) return 0;
  const RECT r = *rect;
  const RECT sides[] = {{r.left, r.top, r.right, r.top + 1},
                        {r.left, r.bottom - 1, r.right, r.bottom},
                        {r.left, r.top, r.left + 1, r.bottom},
                        {r.right - 1, r.top, r.right, r.bottom}};
  for (const RECT& side : sides) FillRect(dc, &side, brush);
  return 1;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
  if (!rect || rect->right <= rect->left || rect->bottom <= rect->top) return FALSE;
  const RECT r = *rect;
  auto dot = [&](int x, int y) {
    if ((x + y) % 2 == 0) PatBlt(dc, x, y, 1, 1, DSTINVERT);
  };
  for (int x = r.left; x < r.right; ++x) {
    dot(x, r.top);
    if (r.bottom - 1 > r.top) dot(x, r.bottom - 1);
  }
  for (int y = r.top + 1; y < r.bottom - 1; ++y) {
    dot(r.left, y);
    if (r.right - 1 > r.left) dot(r.right - 1, y);
  }
  return TRUE;
}

BOOL FillRgn(HDC dc, HRGN handle, HBRUSH brush) {
  const Region* region = FindRegion(handle);
  if (!region) return FALSE;
  const int count = cairo_region_num_rectangles(region->region);
  for (int i = 0; i < count; ++i) {
    cairo_rectangle_int_t rect;
    cairo_region_get_rectangle(region->region, i, &rect);
    const RECT r{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
    FillRect(dc, &r, brush);
  }
  return TRUE;
}

namespace {

// The pixel at device coordinates, or null outside the surface.
uint32_t* PixelAt(DeviceContext& dc, int x, int y) {
  cairo_surface_t* surface = dc.surface;
  if (cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) return nullptr;
  if (x < 0 || y < 0 || x >= cairo_image_surface_get_width(surface) ||
      y >= cairo_image_surface_get_height(surface))
    return nullptr;
  cairo_surface_flush(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  return reinterpret_cast<uint32_t*>(data + y * cairo_image_surface_get_stride(surface)) + x;
}

COLORREF FromPixel(uint32_t pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

uint32_t ToPixel(COLORREF colour) {
  return 0xFF000000u | (uint32_t(GetRValue(colour)) << 16) | (uint32_t(GetGValue(colour)) << 8) |
         GetBValue(colour);
}

POINT ToDevice(const DeviceContext& dc, int x, int y) {
  return {x + dc.viewportOrigin.x - dc.windowOrigin.x, y + dc.viewportOrigin.y - dc.windowOrigin.y};
}

}  // namespace

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
  DeviceContext* context = FindDC(dc);
  if (!context) return CLR_INVALID;
  Record(*context, [=](HDC target) { SetPixel(target, x, y, colour); },
         win32::emf::PixelRecord(x, y, colour));
  const POINT device = ToDevice(*context, x, y);
  if (context->clip && !cairo_region_contains_point(context->clip, device.x, device.y)) return CLR_INVALID;
  uint32_t* pixel = PixelAt(*context, device.x, device.y);
  if (!pixel) return CLR_INVALID;
  *pixel = ToPixel(colour);
  cairo_surface_mark_dirty(context->surface);
  return colour;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  DeviceContext* context = FindDC(dc);
  if (!context) return CLR_INVALID;
  const POINT device = ToDevice(*context, x, y);
  const uint32_t* pixel = PixelAt(*context, device.x, device.y);
  return pixel ? FromPixel(*pixel) : CLR_INVALID;
}

COLORREF GetNearestColor(HDC dc, COLORREF colour) {
  DeviceContext* context = FindDC(dc);
  if (!context) return CLR_INVALID;
  const Bitmap* bitmap = FindBitmap(context->bitmap);
  if (!bitmap || bitmap->bitsPerPixel != 1) return colour & 0xFFFFFF;
  const int luminance = GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11;
  return luminance >= 12800 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

namespace {

// PSDPXAX from a source whose pixels are black or white: the brush colour is painted through
// the source's dark pixels, so clipping and transforms apply as to any other fill.
BOOL BrushThroughSource(DeviceContext& target, int x, int y, int width, int height, HDC from,
                        int fromX, int fromY) {
  DeviceContext* source = FindDC(from);
  if (!source || width <= 0 || height <= 0) return source != nullptr;
  const Brush* brush = FindBrush(target.brush);
  if (!brush || brush->null) return TRUE;
  if (cairo_surface_get_type(source->surface) != CAIRO_SURFACE_TYPE_IMAGE) return FALSE;
  cairo_surface_flush(source->surface);
  const unsigned char* data = cairo_image_surface_get_data(source->surface);
  const int stride = cairo_image_surface_get_stride(source->surface);
  const int sourceWidth = cairo_image_surface_get_width(source->surface);
  const int sourceHeight = cairo_image_surface_get_height(source->surface);
  cairo_surface_t* stamp = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  unsigned char* out = cairo_image_surface_get_data(stamp);
  const int outStride = cairo_image_surface_get_stride(stamp);
  const uint32_t colour = ToPixel(brush->colour);
  const POINT origin = ToDevice(*source, fromX, fromY);
  for (int row = 0; row < height; ++row) {
    auto* line = reinterpret_cast<uint32_t*>(out + row * outStride);
    const int sy = origin.y + row;
    for (int column = 0; column < width; ++column) {
      const int sx = origin.x + column;
      bool dark = false;
      if (sx >= 0 && sy >= 0 && sx < sourceWidth && sy < sourceHeight) {
        const uint32_t pixel = reinterpret_cast<const uint32_t*>(data + sy * stride)[sx];
        const int luminance = int((pixel >> 16) & 0xFF) * 30 + int((pixel >> 8) & 0xFF) * 59 +
                              int(pixel & 0xFF) * 11;
        dark = luminance < 12800;
      }
      line[column] = dark ? colour : 0;
    }
  }
  cairo_surface_mark_dirty(stamp);
  cairo_t* cairo = target.cairo;
  cairo_set_operator(cairo, CAIRO_OPERATOR_OVER);
  cairo_set_source_surface(cairo, stamp, x, y);
  cairo_rectangle(cairo, x, y, width, height);
  cairo_fill(cairo);
  cairo_surface_destroy(stamp);
  return TRUE;
}

// Copies (and scales) from a source context's surface, under a raster operation.
BOOL Blit(HDC to, int x, int y, int width, int height, HDC from, int fromX, int fromY,
          int fromWidth, int fromHeight, DWORD rop) {
  DeviceContext* target = Begin(to);
  if (!target) return FALSE;
  cairo_t* cairo = target->cairo;
  if (rop == PSDPXAX) {
    if (fromWidth != width || fromHeight != height) return FALSE;
    return BrushThroughSource(*target, x, y, width, height, from, fromX, fromY);
  }
  switch (rop) {
    case BLACKNESS:
    case WHITENESS:
      SetSourceColour(cairo, rop == WHITENESS ? 0xFFFFFF : 0);
      break;
    case DSTINVERT:
      cairo_set_operator(cairo, CAIRO_OPERATOR_DIFFERENCE);
      cairo_set_source_rgb(cairo, 1, 1, 1);
      break;
    case PATCOPY:
      if (!UseBrush(*target, target->brush)) return TRUE;
      cairo_set_operator(cairo, CAIRO_OPERATOR_SOURCE);
      break;
    case SRCCOPY: {
      DeviceContext* source = FindDC(from);
      if (!source || fromWidth == 0 || fromHeight == 0) return FALSE;
      cairo_surface_flush(source->surface);
      // A copy of the source area first, so a blit within one surface reads what was there.
      cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::abs(fromWidth), std::abs(fromHeight));
      cairo_t* copier = cairo_create(copy);
      const POINT origin = ToDevice(*source, fromX, fromY);
      cairo_set_source_surface(copier, source->surface, -origin.x, -origin.y);
      cairo_set_operator(copier, CAIRO_OPERATOR_SOURCE);
      cairo_paint(copier);
      cairo_destroy(copier);
      cairo_pattern_t* pattern = cairo_pattern_create_for_surface(copy);
      cairo_matrix_t matrix;
      cairo_matrix_init_scale(&matrix, double(fromWidth) / width, double(fromHeight) / height);
      cairo_matrix_translate(&matrix, -x, -y);
      cairo_pattern_set_matrix(pattern, &matrix);
      cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
      cairo_set_source(cairo, pattern);
      cairo_pattern_destroy(pattern);
      cairo_surface_destroy(copy);
      break;
    }
    default:
      return FALSE;
  }
  cairo_rectangle(cairo, x, y, width, height);
  cairo_fill(cairo);
  return TRUE;
}

}  // namespace

namespace {

// A copy within one plain image surface (a band's image shifted onto itself): rows moved in
// memory, without the intermediate surface a general blit needs. False when the context is not
// that plain: clipped, transformed, recorded or not an image of 4-byte pixels.
bool ShiftWithinSurface(DeviceContext& dc, int x, int y, int width, int height, int fromX,
                        int fromY) {
  if (dc.clip || dc.recorder || dc.graphicsMode != GM_COMPATIBLE || !dc.surface ||
      cairo_surface_get_type(dc.surface) != CAIRO_SURFACE_TYPE_IMAGE)
    return false;
  const cairo_format_t format = cairo_image_surface_get_format(dc.surface);
  if (format != CAIRO_FORMAT_RGB24 && format != CAIRO_FORMAT_ARGB32) return false;
  POINT target = ToDevice(dc, x, y);
  POINT source = ToDevice(dc, fromX, fromY);
  const int surfaceWidth = cairo_image_surface_get_width(dc.surface);
  const int surfaceHeight = cairo_image_surface_get_height(dc.surface);
  // Trim the rectangle so that both ends lie inside the surface.
  const auto trim = [](LONG& a, LONG& b, int& extent, int limit) {
    const int before = std::max(0, -int(std::min(a, b)));
    a += before;
    b += before;
    extent -= before;
    extent = std::min(extent, limit - int(std::max(a, b)));
  };
  trim(target.x, source.x, width, surfaceWidth);
  trim(target.y, source.y, height, surfaceHeight);
  if (width <= 0 || height <= 0) return true;
  cairo_surface_flush(dc.surface);
  unsigned char* data = cairo_image_surface_get_data(dc.surface);
  const int stride = cairo_image_surface_get_stride(dc.surface);
  const auto row = [&](int r) {
    std::memmove(data + (target.y + r) * stride + target.x * 4,
                 data + (source.y + r) * stride + source.x * 4, std::size_t(width) * 4);
  };
  if (target.y <= source.y) {
    for (int r = 0; r < height; ++r) row(r);
  } else {
    for (int r = height - 1; r >= 0; --r) row(r);
  }
  cairo_surface_mark_dirty_rectangle(dc.surface, target.x, target.y, width, height);
  return true;
}

}  // namespace

BOOL BitBlt(HDC to, int x, int y, int width, int height, HDC from, int fromX, int fromY, DWORD rop) {
  DeviceContext* target = FindDC(to);
  if (!target) return FALSE;
  RecordBlit(*target, x, y, width, height, from, fromX, fromY, width, height, rop);
  if (to == from && rop == SRCCOPY && width > 0 && height > 0 &&
      ShiftWithinSurface(*target, x, y, width, height, fromX, fromY))
    return TRUE;
  return Blit(to, x, y, width, height, from, fromX, fromY, width, height, rop);
}

BOOL StretchBlt(HDC to, int x, int y, int width, int height, HDC from, int fromX, int fromY,
                int fromWidth, int fromHeight, DWORD rop) {
  DeviceContext* target = FindDC(to);
  if (!target) return FALSE;
  RecordBlit(*target, x, y, width, height, from, fromX, fromY, fromWidth, fromHeight, rop);
  return Blit(to, x, y, width, height, from, fromX, fromY, fromWidth, fromHeight, rop);
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  DeviceContext* target = FindDC(dc);
  if (!target) return FALSE;
  RecordBlit(*target, x, y, width, height, nullptr, 0, 0, 0, 0, rop);
  return Blit(dc, x, y, width, height, nullptr, 0, 0, 0, 0, rop);
}

BOOL TransparentBlt(HDC to, int x, int y, int width, int height, HDC from, int fromX, int fromY,
                    int fromWidth, int fromHeight, UINT keyColour) {
  DeviceContext* target = FindDC(to);
  DeviceContext* source = FindDC(from);
  if (!target || !source || width <= 0 || height <= 0 || fromWidth <= 0 || fromHeight <= 0)
    return FALSE;
  // Pixel by pixel with nearest sampling: the key must match exactly, which scaling with
  // interpolation would spoil.
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) {
      const COLORREF colour = GetPixel(from, fromX + column * fromWidth / width,
                                       fromY + row * fromHeight / height);
      if (colour != CLR_INVALID && colour != keyColour) SetPixel(to, x + column, y + row, colour);
    }
  return TRUE;
}

BOOL AlphaBlend(HDC to, int x, int y, int width, int height, HDC from, int fromX, int fromY,
                int fromWidth, int fromHeight, BLENDFUNCTION blend) {
  if (!FindDC(to) || !FindDC(from) || width <= 0 || height <= 0 || fromWidth <= 0 ||
      fromHeight <= 0 || blend.BlendOp != AC_SRC_OVER || blend.AlphaFormat != 0)
    return FALSE;
  const unsigned alpha = blend.SourceConstantAlpha;
  const auto mix = [alpha](COLORREF over, COLORREF under, int shift) {
    const unsigned a = (over >> shift) & 0xFF, b = (under >> shift) & 0xFF;
    return ((a * alpha + b * (255 - alpha) + 127) / 255) << shift;
  };
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) {
      const COLORREF over = GetPixel(from, fromX + column * fromWidth / width,
                                     fromY + row * fromHeight / height);
      const COLORREF under = GetPixel(to, x + column, y + row);
      if (over == CLR_INVALID || under == CLR_INVALID) continue;
      SetPixel(to, x + column, y + row, mix(over, under, 0) | mix(over, under, 8) | mix(over, under, 16));
    }
  return TRUE;
}

namespace {

// The part of a 32-bit DIB from (fromX, fromY), `width` x `height` pixels, as a bitmap selected
// into a new memory context. Null for any other DIB.
HDC DibContext(HDC dc, const BITMAPINFO* info, const void* bits, int fromX, int fromY, int width,
               int height) {
  if (!info || !bits || info->bmiHeader.biBitCount != 32 || width <= 0 || height <= 0) return nullptr;
  const int dibWidth = info->bmiHeader.biWidth;
  const int dibHeight = std::abs(info->bmiHeader.biHeight);
  const bool topDown = info->bmiHeader.biHeight < 0;
  const HDC memory = CreateCompatibleDC(dc);
  SelectObject(memory, CreateCompatibleBitmap(dc, width, height));
  const auto* pixels = static_cast<const uint32_t*>(bits);
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column) {
      const int sx = fromX + column, sy = fromY + row;
      if (sx < 0 || sy < 0 || sx >= dibWidth || sy >= dibHeight) continue;
      const int storedRow = topDown ? sy : dibHeight - 1 - sy;
      SetPixel(memory, column, row, FromPixel(pixels[storedRow * dibWidth + sx]));
    }
  return memory;
}

void DeleteDibContext(HDC memory) {
  const HGDIOBJ bitmap = GetCurrentObject(memory, OBJ_BITMAP);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

}  // namespace

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int fromX, int fromY, UINT,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT) {
  const HDC memory = DibContext(dc, info, bits, fromX, fromY, int(width), int(height));
  if (!memory) return 0;
  BitBlt(dc, x, y, int(width), int(height), memory, 0, 0, SRCCOPY);
  DeleteDibContext(memory);
  return int(lines ? lines : height);
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int fromX, int fromY, int fromWidth,
                  int fromHeight, const void* bits, const BITMAPINFO* info, UINT, DWORD rop) {
  if (rop != SRCCOPY) return 0;
  const HDC memory = DibContext(dc, info, bits, fromX, fromY, fromWidth, fromHeight);
  if (!memory) return 0;
  StretchBlt(dc, x, y, width, height, memory, 0, 0, fromWidth, fromHeight, SRCCOPY);
  DeleteDibContext(memory);
  return fromHeight;
}

BOOL DrawFrameControl(HDC dc, RECT* rect, UINT kind, UINT state) {
  if (!rect || kind != DFC_SCROLL || !(state & DFCS_SCROLLSIZEGRIP)) return FALSE;
  FillRect(dc, rect, GetSysColorBrush(COLOR_BTNFACE));
  // Three diagonal ridges of highlight and shadow towards the bottom-right corner.
  const int size = std::min(rect->right - rect->left, rect->bottom - rect->top);
  HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HPEN light = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  HGDIOBJ old = SelectObject(dc, shadow);
  for (int step = 3; step < size; step += 4) {
    for (int line = 0; line < 2; ++line) {
      SelectObject(dc, line == 0 ? light : shadow);
      const int d = step - line;
      MoveToEx(dc, rect->right - 1, rect->bottom - 1 - d, nullptr);
      LineTo(dc, rect->right - 1 - d, rect->bottom - 1);
    }
  }
  SelectObject(dc, old);
  DeleteObject(shadow);
  DeleteObject(light);
  return TRUE;
}
