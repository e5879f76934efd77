#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/win32/gdi_internal.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/monitors.h"

namespace win32::gdi {
namespace {

struct ObjectTable {
  std::mutex mutex;
  std::unordered_map<void*, std::unique_ptr<Object>> objects;
  std::unordered_map<void*, std::unique_ptr<DeviceContext>> contexts;
};

// Never destroyed: objects may be deleted by static destructors elsewhere.
ObjectTable& Table() {
  static ObjectTable* table = new ObjectTable;
  return *table;
}

template <class T>
T* FindAs(HGDIOBJ handle, ObjectKind kind) {
  Object* object = FindObject(handle);
  return object && object->kind == kind ? static_cast<T*>(object) : nullptr;
}

HGDIOBJ Stock(std::unique_ptr<Object> object) {
  object->stock = true;
  return AddObject(std::move(object));
}

HGDIOBJ StockBrush(COLORREF colour, bool null = false) {
  auto brush = std::make_unique<Brush>();
  brush->colour = colour;
  brush->null = null;
  return Stock(std::move(brush));
}

HGDIOBJ StockPen(COLORREF colour, int style = PS_SOLID) {
  auto pen = std::make_unique<Pen>();
  pen->colour = colour;
  pen->style = style;
  return Stock(std::move(pen));
}

}  // namespace

Object* FindObject(HGDIOBJ handle) {
  ObjectTable& table = Table();
  std::lock_guard lock(table.mutex);
  auto it = table.objects.find(handle);
  return it == table.objects.end() ? nullptr : it->second.get();
}

Pen* FindPen(HGDIOBJ handle) { return FindAs<Pen>(handle, ObjectKind::Pen); }
Brush* FindBrush(HGDIOBJ handle) { return FindAs<Brush>(handle, ObjectKind::Brush); }
Font* FindFont(HGDIOBJ handle) { return FindAs<Font>(handle, ObjectKind::Font); }
Bitmap* FindBitmap(HGDIOBJ handle) { return FindAs<Bitmap>(handle, ObjectKind::Bitmap); }
Region* FindRegion(HGDIOBJ handle) { return FindAs<Region>(handle, ObjectKind::Region); }

HGDIOBJ AddObject(std::unique_ptr<Object> object) {
  ObjectTable& table = Table();
  void* handle = object.get();
  std::lock_guard lock(table.mutex);
  table.objects.emplace(handle, std::move(object));
  return handle;
}

HBITMAP MakeBitmap(int width, int height, int bitsPerPixel) {
  if (width < 0 || height < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(width, 1), std::max(height, 1));
  if (cairo_surface_status(bitmap->surface) != CAIRO_STATUS_SUCCESS) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  bitmap->bitsPerPixel = bitsPerPixel;
  return static_cast<HBITMAP>(AddObject(std::move(bitmap)));
}

DeviceContext* FindDC(HDC dc) {
  ObjectTable& table = Table();
  std::lock_guard lock(table.mutex);
  auto it = table.contexts.find(dc);
  return it == table.contexts.end() ? nullptr : it->second.get();
}

HDC AddDC(std::unique_ptr<DeviceContext> dc) {
  ObjectTable& table = Table();
  HDC handle = reinterpret_cast<HDC>(dc.get());
  std::lock_guard lock(table.mutex);
  table.contexts.emplace(handle, std::move(dc));
  return handle;
}

bool RemoveDC(HDC dc) {
  std::unique_ptr<DeviceContext> removed;
  ObjectTable& table = Table();
  std::lock_guard lock(table.mutex);
  auto it = table.contexts.find(dc);
  if (it == table.contexts.end()) return false;
  removed = std::move(it->second);
  table.contexts.erase(it);
  return true;
}

LOGFONTW DefaultGuiFont() {
  LOGFONTW font{};
  font.lfHeight = -11;  // 8 points at 96 dots per inch
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  const char16_t face[] = u"MS Shell Dlg";
  std::copy(std::begin(face), std::end(face), font.lfFaceName);
  return font;
}

}  // namespace win32::gdi

using namespace win32::gdi;

HGDIOBJ GetStockObject(int index) {
  static const HGDIOBJ stock[] = {
      StockBrush(RGB(255, 255, 255)),  // WHITE_BRUSH
      StockBrush(RGB(192, 192, 192)),  // LTGRAY_BRUSH
      StockBrush(RGB(128, 128, 128)),  // GRAY_BRUSH
      StockBrush(RGB(64, 64, 64)),     // DKGRAY_BRUSH
      StockBrush(RGB(0, 0, 0)),        // BLACK_BRUSH
      StockBrush(0, true),             // NULL_BRUSH
      StockPen(RGB(255, 255, 255)),    // WHITE_PEN
      StockPen(RGB(0, 0, 0)),          // BLACK_PEN
      StockPen(0, PS_NULL),            // NULL_PEN
  };
  static const HGDIOBJ guiFont = [] {
    auto font = std::make_unique<Font>();
    font->logFont = DefaultGuiFont();
    return Stock(std::move(font));
  }();
  if (index == DEFAULT_GUI_FONT) return guiFont;
  if (index < 0 || index >= int(std::size(stock))) return nullptr;
  return stock[index];
}

HPEN CreatePen(int style, int width, COLORREF colour) {
  auto pen = std::make_unique<Pen>();
  pen->style = style & PS_STYLE_MASK;
  pen->width = std::max(1, width);
  pen->colour = colour;
  return static_cast<HPEN>(AddObject(std::move(pen)));
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount,
                  const DWORD* styles) {
  if (!brush) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto pen = std::make_unique<Pen>();
  pen->style = int(style & PS_STYLE_MASK);
  pen->geometric = style & PS_GEOMETRIC;
  pen->width = std::max<int>(1, int(width));
  pen->colour = brush->lbColor;
  if (brush->lbStyle == BS_NULL) pen->style = PS_NULL;
  for (DWORD i = 0; styles && i < styleCount; ++i) pen->userDashes.push_back(styles[i]);
  return static_cast<HPEN>(AddObject(std::move(pen)));
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  auto brush = std::make_unique<Brush>();
  brush->colour = colour;
  return static_cast<HBRUSH>(AddObject(std::move(brush)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (!brush) return nullptr;
  if (brush->lbStyle == BS_NULL) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  return CreateSolidBrush(brush->lbColor);
}

HBRUSH GetSysColorBrush(int index) {
  static std::mutex mutex;
  static std::unordered_map<int, HGDIOBJ> brushes;
  std::lock_guard lock(mutex);
  HGDIOBJ& brush = brushes[index];
  if (!brush) brush = StockBrush(GetSysColor(index));
  return static_cast<HBRUSH>(brush);
}

HFONT CreateFontIndirectW(const LOGFONTW* logFont) {
  if (!logFont) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto font = std::make_unique<Font>();
  font->logFont = *logFont;
  font->logFont.lfFaceName[LF_FACESIZE - 1] = 0;
  return static_cast<HFONT>(AddObject(std::move(font)));
}

HFONT CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCWSTR face) {
  LOGFONTW font{height, width, escapement, orientation, weight, BYTE(italic), BYTE(underline),
                BYTE(strikeOut), BYTE(charSet), BYTE(outPrecision), BYTE(clipPrecision),
                BYTE(quality), BYTE(pitchAndFamily), {}};
  for (int i = 0; face && face[i] && i < LF_FACESIZE - 1; ++i) font.lfFaceName[i] = face[i];
  return CreateFontIndirectW(&font);
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height) { return MakeBitmap(width, height, 32); }

HBITMAP CreateBitmap(int width, int height, UINT, UINT bitsPerPixel, const void* bits) {
  const HBITMAP handle = MakeBitmap(width, height, int(bitsPerPixel));
  Bitmap* bitmap = FindBitmap(handle);
  if (bitmap && bits && bitsPerPixel == 32) {
    cairo_surface_flush(bitmap->surface);
    unsigned char* data = cairo_image_surface_get_data(bitmap->surface);
    const int stride = cairo_image_surface_get_stride(bitmap->surface);
    for (int row = 0; row < height; ++row)
      std::memcpy(data + row * stride, static_cast<const BYTE*>(bits) + row * width * 4, std::size_t(width) * 4);
    cairo_surface_mark_dirty(bitmap->surface);
  }
  return handle;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE, DWORD) {
  if (!info || (info->bmiHeader.biBitCount != 32 && info->bmiHeader.biBitCount != 24) ||
      info->bmiHeader.biHeight >= 0) {
    // Only top-down 32-bit sections share their memory with the surface exactly.
    if (!info || info->bmiHeader.biBitCount != 32) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
  }
  const int width = info->bmiHeader.biWidth;
  const int height = std::abs(info->bmiHeader.biHeight);
  const HBITMAP handle = MakeBitmap(width, height, 32);
  if (Bitmap* bitmap = FindBitmap(handle); bitmap && bits)
    *bits = cairo_image_surface_get_data(bitmap->surface);
  return handle;
}

BOOL DeleteObject(HGDIOBJ handle) {
  ObjectTable& table = Table();
  std::unique_ptr<Object> removed;
  std::lock_guard lock(table.mutex);
  auto it = table.objects.find(handle);
  if (it == table.objects.end()) return FALSE;
  if (it->second->stock) return TRUE;
  // A bitmap selected into a context stays until it is selected out, as on Windows.
  if (it->second->kind == ObjectKind::Bitmap && static_cast<Bitmap*>(it->second.get())->selectedInto)
    return FALSE;
  removed = std::move(it->second);
  table.objects.erase(it);
  return TRUE;
}

int GetObjectW(HGDIOBJ handle, int size, void* buffer) {
  Object* object = FindObject(handle);
  if (!object) return 0;
  switch (object->kind) {
    case ObjectKind::Bitmap: {
      if (!buffer) return sizeof(BITMAP);
      if (size < int(sizeof(BITMAP))) return 0;
      auto* bitmap = static_cast<Bitmap*>(object);
      const int width = cairo_image_surface_get_width(bitmap->surface);
      BITMAP info{0, width, cairo_image_surface_get_height(bitmap->surface), width * 4, 1,
                  WORD(bitmap->bitsPerPixel), cairo_image_surface_get_data(bitmap->surface)};
      std::memcpy(buffer, &info, sizeof info);
      return sizeof info;
    }
    case ObjectKind::Font: {
      if (!buffer) return sizeof(LOGFONTW);
      if (size < int(sizeof(LOGFONTW))) return 0;
      std::memcpy(buffer, &static_cast<Font*>(object)->logFont, sizeof(LOGFONTW));
      return sizeof(LOGFONTW);
    }
    case ObjectKind::Brush: {
      if (!buffer) return sizeof(LOGBRUSH);
      if (size < int(sizeof(LOGBRUSH))) return 0;
      auto* brush = static_cast<Brush*>(object);
      LOGBRUSH info{brush->null ? BS_NULL : BS_SOLID, brush->colour, 0};
      std::memcpy(buffer, &info, sizeof info);
      return sizeof info;
    }
    default:
      return 0;
  }
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  auto region = std::make_unique<Region>();
  cairo_rectangle_int_t rect{std::min(left, right), std::min(top, bottom), std::abs(right - left),
                             std::abs(bottom - top)};
  region->region = cairo_region_create_rectangle(&rect);
  return static_cast<HRGN>(AddObject(std::move(region)));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

namespace {

int RegionKind(const cairo_region_t* region) {
  const int count = cairo_region_num_rectangles(region);
  return count == 0 ? NULLREGION : count == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace

int CombineRgn(HRGN destination, HRGN a, HRGN b, int mode) {
  Region* out = FindRegion(destination);
  Region* first = FindRegion(a);
  Region* second = mode == RGN_COPY ? first : FindRegion(b);
  if (!out || !first || !second) return ERROR;
  cairo_region_t* result = cairo_region_copy(first->region);
  switch (mode) {
    case RGN_AND: cairo_region_intersect(result, second->region); break;
    case RGN_OR: cairo_region_union(result, second->region); break;
    case RGN_XOR: cairo_region_xor(result, second->region); break;
    case RGN_DIFF: cairo_region_subtract(result, second->region); break;
    case RGN_COPY: break;
    default:
      cairo_region_destroy(result);
      return ERROR;
  }
  cairo_region_destroy(out->region);
  out->region = result;
  return RegionKind(result);
}

BOOL PtInRegion(HRGN handle, int x, int y) {
  Region* region = FindRegion(handle);
  return region && cairo_region_contains_point(region->region, x, y);
}

int GetRgnBox(HRGN handle, RECT* rect) {
  Region* region = FindRegion(handle);
  if (!region || !rect) return ERROR;
  cairo_rectangle_int_t box;
  cairo_region_get_extents(region->region, &box);
  *rect = {box.x, box.y, box.x + box.width, box.y + box.height};
  return RegionKind(region->region);
}
