#include <algorithm>
#include <map>
#include <mutex>

#include "platform/win32/gdi_internal.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/monitors.h"
#include "platform/win32/window.h"

namespace win32::gdi {

bool RemoveDC(HDC dc);

namespace {

// The pixels behind each window's client area and behind the screen, kept from one device
// context to the next so that what was drawn can be read back.
struct Surfaces {
  std::mutex mutex;
  std::map<HWND, cairo_surface_t*> windows;
  cairo_surface_t* screen = nullptr;
};

Surfaces& TheSurfaces() {
  static Surfaces* surfaces = new Surfaces;
  return *surfaces;
}

cairo_surface_t* NewSurface(int width, int height) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(width, 1), std::max(height, 1));
  cairo_t* cairo = cairo_create(surface);
  cairo_set_source_rgb(cairo, 1, 1, 1);
  cairo_paint(cairo);
  cairo_destroy(cairo);
  return surface;
}

// The surface matching a size, keeping what the previous one held where they overlap.
cairo_surface_t* Resized(cairo_surface_t*& surface, int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (surface && cairo_image_surface_get_width(surface) == width &&
      cairo_image_surface_get_height(surface) == height)
    return surface;
  cairo_surface_t* fresh = NewSurface(width, height);
  if (surface) {
    cairo_t* cairo = cairo_create(fresh);
    cairo_set_source_surface(cairo, surface, 0, 0);
    cairo_paint(cairo);
    cairo_destroy(cairo);
    cairo_surface_destroy(surface);
  }
  surface = fresh;
  return surface;
}

cairo_surface_t* WindowSurface(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  Surfaces& surfaces = TheSurfaces();
  std::lock_guard lock(surfaces.mutex);
  // Drop the pixels of windows that are gone, so a reused handle starts blank.
  for (auto it = surfaces.windows.begin(); it != surfaces.windows.end();) {
    if (!IsWindow(it->first)) {
      cairo_surface_destroy(it->second);
      it = surfaces.windows.erase(it);
    } else {
      ++it;
    }
  }
  return Resized(surfaces.windows[window], client.right, client.bottom);
}

cairo_surface_t* ScreenSurface() {
  const RECT primary = win32::CurrentMonitors().front().rect;
  Surfaces& surfaces = TheSurfaces();
  std::lock_guard lock(surfaces.mutex);
  return Resized(surfaces.screen, primary.right - primary.left, primary.bottom - primary.top);
}

int WindowDotsPerInch(HWND window) {
  const int dpi = window ? win32::MonitorDotsPerInch(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY))
                         : win32::CurrentMonitors().front().dotsPerInch;
  return dpi ? dpi : 96;
}

void SelectDefaults(DeviceContext& dc) {
  dc.pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
  dc.brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  dc.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}


}  // namespace

DeviceContext::~DeviceContext() {
  if (cairo) cairo_destroy(cairo);
  if (surface) cairo_surface_destroy(surface);
  if (clip) cairo_region_destroy(clip);
  for (auto& state : saved)
    if (state.clip) cairo_region_destroy(state.clip);
  if (Bitmap* selected = FindBitmap(bitmap)) --selected->selectedInto;
}

void AttachSurface(DeviceContext& dc, cairo_surface_t* surface) {
  if (dc.cairo) cairo_destroy(dc.cairo);
  if (dc.surface) cairo_surface_destroy(dc.surface);
  dc.surface = cairo_surface_reference(surface);
  dc.cairo = cairo_create(surface);
  if (cairo_surface_get_type(surface) == CAIRO_SURFACE_TYPE_IMAGE) {
    dc.width = cairo_image_surface_get_width(surface);
    dc.height = cairo_image_surface_get_height(surface);
  }
}

HDC NewDeviceContext(DeviceKind kind, HWND window, cairo_surface_t* surface, int dotsPerInch) {
  auto dc = std::make_unique<DeviceContext>();
  dc->kind = kind;
  dc->window = window;
  dc->dotsPerInch = dotsPerInch;
  SelectDefaults(*dc);
  AttachSurface(*dc, surface);
  return AddDC(std::move(dc));
}

cairo_t* Prepare(DeviceContext& dc) {
  cairo_t* cairo = dc.cairo;
  cairo_identity_matrix(cairo);
  cairo_reset_clip(cairo);
  if (dc.clip) {
    const int count = cairo_region_num_rectangles(dc.clip);
    for (int i = 0; i < count; ++i) {
      cairo_rectangle_int_t rect;
      cairo_region_get_rectangle(dc.clip, i, &rect);
      cairo_rectangle(cairo, rect.x, rect.y, rect.width, rect.height);
    }
    if (count == 0) cairo_rectangle(cairo, 0, 0, 0, 0);
    cairo_clip(cairo);
  }
  cairo_translate(cairo, dc.viewportOrigin.x - dc.windowOrigin.x,
                  dc.viewportOrigin.y - dc.windowOrigin.y);
  if (!IsIdentity(dc.transform)) {
    const XFORM& t = dc.transform;
    cairo_matrix_t world;
    cairo_matrix_init(&world, t.eM11, t.eM12, t.eM21, t.eM22, t.eDx, t.eDy);
    cairo_transform(cairo, &world);
  }
  cairo_set_antialias(cairo, CAIRO_ANTIALIAS_NONE);
  cairo_set_operator(cairo, CAIRO_OPERATOR_SOURCE);
  cairo_new_path(cairo);
  return cairo;
}

void SetSourceColour(cairo_t* cairo, COLORREF colour) {
  cairo_set_source_rgb(cairo, GetRValue(colour) / 255.0, GetGValue(colour) / 255.0,
                       GetBValue(colour) / 255.0);
}

void SetMixSource(DeviceContext& dc, COLORREF colour) {
  switch (dc.rop2) {
    case R2_NOT:
      // The difference from white inverts every channel, and inverting twice restores it.
      cairo_set_operator(dc.cairo, CAIRO_OPERATOR_DIFFERENCE);
      cairo_set_source_rgb(dc.cairo, 1, 1, 1);
      return;
    case R2_BLACK:
      colour = 0;
      break;
    case R2_WHITE:
      colour = 0xFFFFFF;
      break;
    default:
      break;
  }
  cairo_set_operator(dc.cairo, CAIRO_OPERATOR_SOURCE);
  SetSourceColour(dc.cairo, colour);
}

bool IsIdentity(const XFORM& t) {
  return t.eM11 == 1 && t.eM12 == 0 && t.eM21 == 0 && t.eM22 == 1 && t.eDx == 0 && t.eDy == 0;
}

LOGFONTW SelectedFont(const DeviceContext& dc) {
  const Font* font = FindFont(dc.font);
  return font ? font->logFont : DefaultGuiFont();
}

}  // namespace win32::gdi

using namespace win32::gdi;

HDC GetDC(HWND window) {
  if (window && !IsWindow(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return window ? NewDeviceContext(DeviceKind::Window, window, WindowSurface(window), WindowDotsPerInch(window))
                : NewDeviceContext(DeviceKind::Screen, nullptr, ScreenSurface(), WindowDotsPerInch(nullptr));
}

HDC GetWindowDC(HWND window) { return GetDC(window); }

int ReleaseDC(HWND, HDC dc) {
  DeviceContext* context = FindDC(dc);
  if (!context || (context->kind != DeviceKind::Window && context->kind != DeviceKind::Screen))
    return 0;
  return RemoveDC(dc) ? 1 : 0;
}

HDC CreateCompatibleDC(HDC dc) {
  const DeviceContext* model = dc ? FindDC(dc) : nullptr;
  if (dc && !model) return nullptr;
  // A memory context starts with a one-pixel bitmap, as on Windows, so drawing before a bitmap
  // is selected goes nowhere visible.
  cairo_surface_t* placeholder = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
  const HDC memory = NewDeviceContext(DeviceKind::Memory, nullptr, placeholder,
                           model ? model->dotsPerInch : WindowDotsPerInch(nullptr));
  cairo_surface_destroy(placeholder);
  return memory;
}

BOOL DeleteDC(HDC dc) {
  DeviceContext* context = FindDC(dc);
  if (!context) return FALSE;
  return RemoveDC(dc);
}

int GetDeviceCaps(HDC dc, int index) {
  const DeviceContext* context = FindDC(dc);
  if (!context) return 0;
  const win32::ScreenDescription screen = win32::CurrentScreen();
  const int width = context->width;
  const int height = context->height;
  switch (index) {
    case TECHNOLOGY:
      return context->kind == DeviceKind::Printer    ? DT_RASPRINTER
             : context->kind == DeviceKind::Metafile ? DT_METAFILE
                                                     : DT_RASDISPLAY;
    case BITSPIXEL:
      return context->kind == DeviceKind::Screen || context->kind == DeviceKind::Window
                 ? screen.bitsPerPixel
                 : 32;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return context->dotsPerInch;
    case HORZRES:
    case PHYSICALWIDTH:
      return context->kind == DeviceKind::Screen ? screen.width : width;
    case VERTRES:
    case PHYSICALHEIGHT:
      return context->kind == DeviceKind::Screen ? screen.height : height;
    case HORZSIZE:
      return MulDiv(width, 254, context->dotsPerInch * 10);
    case VERTSIZE:
      return MulDiv(height, 254, context->dotsPerInch * 10);
    default:
      return 0;
  }
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ handle) {
  DeviceContext* context = FindDC(dc);
  Object* object = FindObject(handle);
  if (!context || !object) return nullptr;
  auto swap = [&](auto& field) {
    HGDIOBJ old = field;
    field = static_cast<std::remove_reference_t<decltype(field)>>(handle);
    return old;
  };
  switch (object->kind) {
    case ObjectKind::Pen: return swap(context->pen);
    case ObjectKind::Brush: return swap(context->brush);
    case ObjectKind::Font: return swap(context->font);
    case ObjectKind::Region:
      return reinterpret_cast<HGDIOBJ>(std::intptr_t(SelectClipRgn(dc, static_cast<HRGN>(handle))));
    case ObjectKind::Bitmap: {
      auto* bitmap = static_cast<Bitmap*>(object);
      if (context->kind != DeviceKind::Memory || (bitmap->selectedInto && context->bitmap != handle))
        return nullptr;
      if (Bitmap* old = FindBitmap(context->bitmap)) --old->selectedInto;
      ++bitmap->selectedInto;
      AttachSurface(*context, bitmap->surface);
      HGDIOBJ old = context->bitmap;
      context->bitmap = static_cast<HBITMAP>(handle);
      // The first bitmap selected replaces the built-in one-pixel bitmap, which has no handle;
      // selecting nothing back is how callers put that back.
      return old ? old : handle;
    }
  }
  return nullptr;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT kind) {
  const DeviceContext* context = FindDC(dc);
  if (!context) return nullptr;
  switch (kind) {
    case OBJ_PEN: return context->pen;
    case OBJ_BRUSH: return context->brush;
    case OBJ_FONT: return context->font;
    case OBJ_BITMAP: return context->bitmap;
    default: return nullptr;
  }
}

int SaveDC(HDC dc) {
  DeviceContext* context = FindDC(dc);
  if (!context) return 0;
  context->saved.push_back({context->pen, context->brush, context->font, context->textColour,
                            context->backColour, context->backMode, context->rop2,
                            context->textAlign, context->position, context->viewportOrigin,
                            context->windowOrigin,
                            context->clip ? cairo_region_copy(context->clip) : nullptr,
                            context->graphicsMode, context->transform});
  return int(context->saved.size());
}

BOOL RestoreDC(HDC dc, int saved) {
  DeviceContext* context = FindDC(dc);
  if (!context) return FALSE;
  const int depth = int(context->saved.size());
  const int target = saved < 0 ? depth + saved + 1 : saved;
  if (target < 1 || target > depth) return FALSE;
  while (int(context->saved.size()) > target) {
    if (context->saved.back().clip) cairo_region_destroy(context->saved.back().clip);
    context->saved.pop_back();
  }
  SavedState state = context->saved.back();
  context->saved.pop_back();
  context->pen = state.pen;
  context->brush = state.brush;
  context->font = state.font;
  context->textColour = state.textColour;
  context->backColour = state.backColour;
  context->backMode = state.backMode;
  context->rop2 = state.rop2;
  context->textAlign = state.textAlign;
  context->position = state.position;
  context->viewportOrigin = state.viewportOrigin;
  context->windowOrigin = state.windowOrigin;
  if (context->clip) cairo_region_destroy(context->clip);
  context->clip = state.clip;
  context->graphicsMode = state.graphicsMode;
  context->transform = state.transform;
  return TRUE;
}

BOOL GdiFlush() { return TRUE; }

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
  if (!paint) return nullptr;
  *paint = {};
  RECT update{};
  GetUpdateRect(window, &update, FALSE);
  const HDC dc = GetDC(window);
  if (!dc) return nullptr;
  paint->hdc = dc;
  paint->rcPaint = update;
  paint->fErase = TRUE;
  ValidateRect(window, nullptr);
  if (!IsRectEmpty(&update)) {
    // The class background is painted over the update area, as WM_ERASEBKGND's default does.
    WNDCLASSEXW windowClass{};
    char16_t name[256];
    if (GetClassNameW(window, name, 256) && GetClassInfoExW(nullptr, name, &windowClass) &&
        windowClass.hbrBackground) {
      HBRUSH brush = windowClass.hbrBackground;
      const auto index = reinterpret_cast<std::uintptr_t>(brush);
      if (index > 0 && index <= 31) brush = GetSysColorBrush(int(index) - 1);
      FillRect(dc, &update, brush);
    }
    IntersectClipRect(dc, update.left, update.top, update.right, update.bottom);
  }
  return dc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT* paint) {
  return paint && ReleaseDC(window, paint->hdc);
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous) {
  DeviceContext* context = FindDC(dc);
  if (!context) return FALSE;
  if (previous) *previous = context->viewportOrigin;
  context->viewportOrigin = {x, y};
  return TRUE;
}

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous) {
  DeviceContext* context = FindDC(dc);
  if (!context) return FALSE;
  if (previous) *previous = context->windowOrigin;
  context->windowOrigin = {x, y};
  return TRUE;
}

BOOL GetViewportOrgEx(HDC dc, POINT* origin) {
  const DeviceContext* context = FindDC(dc);
  if (!context || !origin) return FALSE;
  *origin = context->viewportOrigin;
  return TRUE;
}

BOOL GetWindowOrgEx(HDC dc, POINT* origin) {
  const DeviceContext* context = FindDC(dc);
  if (!context || !origin) return FALSE;
  *origin = context->windowOrigin;
  return TRUE;
}

BOOL GetViewportExtEx(HDC dc, SIZE* extent) {
  if (!FindDC(dc) || !extent) return FALSE;
  *extent = {1, 1};
  return TRUE;
}

BOOL GetWindowExtEx(HDC dc, SIZE* extent) { return GetViewportExtEx(dc, extent); }

BOOL LPtoDP(HDC dc, POINT* points, int count) {
  const DeviceContext* context = FindDC(dc);
  if (!context) return FALSE;
  for (int i = 0; i < count; ++i) {
    points[i].x += context->viewportOrigin.x - context->windowOrigin.x;
    points[i].y += context->viewportOrigin.y - context->windowOrigin.y;
  }
  return TRUE;
}

BOOL DPtoLP(HDC dc, POINT* points, int count) {
  const DeviceContext* context = FindDC(dc);
  if (!context) return FALSE;
  for (int i = 0; i < count; ++i) {
    points[i].x -= context->viewportOrigin.x - context->windowOrigin.x;
    points[i].y -= context->viewportOrigin.y - context->windowOrigin.y;
  }
  return TRUE;
}

namespace {

template <class T>
T Exchange(HDC dc, T DeviceContext::*field, T value, T fallback) {
  DeviceContext* context = FindDC(dc);
  if (!context) return fallback;
  T old = context->*field;
  context->*field = value;
  return old;
}

template <class T>
T Read(HDC dc, T DeviceContext::*field, T fallback) {
  const DeviceContext* context = FindDC(dc);
  return context ? context->*field : fallback;
}

cairo_region_t* LogicalRectRegion(const DeviceContext& context, int left, int top, int right,
                                  int bottom) {
  const int dx = context.viewportOrigin.x - context.windowOrigin.x;
  const int dy = context.viewportOrigin.y - context.windowOrigin.y;
  cairo_rectangle_int_t rect{std::min(left, right) + dx, std::min(top, bottom) + dy,
                             std::abs(right - left), std::abs(bottom - top)};
  return cairo_region_create_rectangle(&rect);
}

int ClipKind(const DeviceContext& context) {
  if (!context.clip) return SIMPLEREGION;
  const int count = cairo_region_num_rectangles(context.clip);
  return count == 0 ? NULLREGION : count == 1 ? SIMPLEREGION : COMPLEXREGION;
}

cairo_region_t* WholeSurface(const DeviceContext& context) {
  cairo_rectangle_int_t rect{0, 0, context.width, context.height};
  return cairo_region_create_rectangle(&rect);
}

}  // namespace

int SetROP2(HDC dc, int mode) { return Exchange(dc, &DeviceContext::rop2, mode, 0); }
int GetROP2(HDC dc) { return Read(dc, &DeviceContext::rop2, 0); }
int SetBkMode(HDC dc, int mode) { return Exchange(dc, &DeviceContext::backMode, mode, 0); }
COLORREF SetBkColor(HDC dc, COLORREF colour) {
  return Exchange(dc, &DeviceContext::backColour, colour, CLR_INVALID);
}
COLORREF GetBkColor(HDC dc) { return Read(dc, &DeviceContext::backColour, CLR_INVALID); }
COLORREF SetTextColor(HDC dc, COLORREF colour) {
  return Exchange(dc, &DeviceContext::textColour, colour, CLR_INVALID);
}
COLORREF GetTextColor(HDC dc) { return Read(dc, &DeviceContext::textColour, CLR_INVALID); }
UINT SetTextAlign(HDC dc, UINT align) { return Exchange(dc, &DeviceContext::textAlign, align, 0xFFFFFFFFu); }
UINT GetTextAlign(HDC dc) { return Read(dc, &DeviceContext::textAlign, 0u); }

int SelectClipRgn(HDC dc, HRGN handle) {
  DeviceContext* context = FindDC(dc);
  if (!context) return ERROR;
  if (context->clip) cairo_region_destroy(context->clip);
  context->clip = nullptr;
  if (handle) {
    const Region* region = FindRegion(handle);
    if (!region) return ERROR;
    // Region coordinates are device coordinates.
    context->clip = cairo_region_copy(region->region);
  }
  return ClipKind(*context);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  DeviceContext* context = FindDC(dc);
  if (!context) return ERROR;
  cairo_region_t* rect = LogicalRectRegion(*context, left, top, right, bottom);
  if (!context->clip) context->clip = WholeSurface(*context);
  cairo_region_intersect(context->clip, rect);
  cairo_region_destroy(rect);
  return ClipKind(*context);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  DeviceContext* context = FindDC(dc);
  if (!context) return ERROR;
  cairo_region_t* rect = LogicalRectRegion(*context, left, top, right, bottom);
  if (!context->clip) context->clip = WholeSurface(*context);
  cairo_region_subtract(context->clip, rect);
  cairo_region_destroy(rect);
  return ClipKind(*context);
}

int GetClipBox(HDC dc, RECT* rect) {
  DeviceContext* context = FindDC(dc);
  if (!context || !rect) return ERROR;
  cairo_region_t* clip = context->clip ? cairo_region_copy(context->clip) : WholeSurface(*context);
  cairo_rectangle_int_t box;
  cairo_region_get_extents(clip, &box);
  cairo_region_destroy(clip);
  const int dx = context->viewportOrigin.x - context->windowOrigin.x;
  const int dy = context->viewportOrigin.y - context->windowOrigin.y;
  *rect = {box.x - dx, box.y - dy, box.x + box.width - dx, box.y + box.height - dy};
  return ClipKind(*context);
}

namespace {

// The transform that applies `first`, then `second`.
XFORM Combined(const XFORM& first, const XFORM& second) {
  return {first.eM11 * second.eM11 + first.eM12 * second.eM21,
          first.eM11 * second.eM12 + first.eM12 * second.eM22,
          first.eM21 * second.eM11 + first.eM22 * second.eM21,
          first.eM21 * second.eM12 + first.eM22 * second.eM22,
          first.eDx * second.eM11 + first.eDy * second.eM21 + second.eDx,
          first.eDx * second.eM12 + first.eDy * second.eM22 + second.eDy};
}

}  // namespace

int SetGraphicsMode(HDC dc, int mode) {
  if (mode != GM_COMPATIBLE && mode != GM_ADVANCED) return 0;
  DeviceContext* context = FindDC(dc);
  // Leaving the advanced mode needs the identity transform, as the world transform would
  // otherwise go on applying unseen.
  if (!context || (mode == GM_COMPATIBLE && !IsIdentity(context->transform))) return 0;
  return Exchange(dc, &DeviceContext::graphicsMode, mode, 0);
}

int GetGraphicsMode(HDC dc) { return Read(dc, &DeviceContext::graphicsMode, 0); }

BOOL SetWorldTransform(HDC dc, const XFORM* transform) {
  DeviceContext* context = FindDC(dc);
  if (!context || !transform || context->graphicsMode != GM_ADVANCED) return FALSE;
  context->transform = *transform;
  return TRUE;
}

BOOL ModifyWorldTransform(HDC dc, const XFORM* transform, DWORD mode) {
  DeviceContext* context = FindDC(dc);
  if (!context || context->graphicsMode != GM_ADVANCED) return FALSE;
  switch (mode) {
    case MWT_IDENTITY:
      context->transform = kIdentityTransform;
      return TRUE;
    case MWT_LEFTMULTIPLY:
      if (!transform) return FALSE;
      context->transform = Combined(*transform, context->transform);
      return TRUE;
    case MWT_RIGHTMULTIPLY:
      if (!transform) return FALSE;
      context->transform = Combined(context->transform, *transform);
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL GetWorldTransform(HDC dc, XFORM* transform) {
  const DeviceContext* context = FindDC(dc);
  if (!context || !transform) return FALSE;
  *transform = context->transform;
  return TRUE;
}
