// The objects behind drawing handles and device contexts. Internal to the platform library.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/win32/gdi.h"

namespace win32::gdi {

enum class ObjectKind { Pen, Brush, Font, Bitmap, Region };

struct Object {
  explicit Object(ObjectKind kind) : kind(kind) {}
  virtual ~Object() = default;
  ObjectKind kind;
  bool stock = false;
};

struct Pen : Object {
  Pen() : Object(ObjectKind::Pen) {}
  int style = PS_SOLID;  // PS_STYLE_MASK part
  bool geometric = false;
  int width = 1;
  COLORREF colour = 0;
  std::vector<double> userDashes;
};

struct Brush : Object {
  Brush() : Object(ObjectKind::Brush) {}
  bool null = false;
  COLORREF colour = 0;
};

struct Font : Object {
  Font() : Object(ObjectKind::Font) {}
  LOGFONTW logFont{};
};

// A bitmap's pixels live in a Cairo image surface (RGB24: blue, green, red, unused per pixel).
struct Bitmap : Object {
  Bitmap() : Object(ObjectKind::Bitmap) {}
  ~Bitmap() override {
    if (surface) cairo_surface_destroy(surface);
  }
  cairo_surface_t* surface = nullptr;
  int bitsPerPixel = 32;
  int selectedInto = 0;  // a bitmap is selected into at most one memory context
};

struct Region : Object {
  Region() : Object(ObjectKind::Region) {}
  ~Region() override {
    if (region) cairo_region_destroy(region);
  }
  cairo_region_t* region = nullptr;
};

enum class DeviceKind { Screen, Window, Memory, Printer, Metafile };

struct SavedState {
  HPEN pen;
  HBRUSH brush;
  HFONT font;
  COLORREF textColour, backColour;
  int backMode, rop2;
  UINT textAlign;
  POINT position, viewportOrigin, windowOrigin;
  cairo_region_t* clip;  // owned copy or null
  int graphicsMode;
  XFORM transform;
};

constexpr XFORM kIdentityTransform{1, 0, 0, 1, 0, 0};
bool IsIdentity(const XFORM& transform);

class Recorder;
struct TextLayoutCache;

struct DeviceContext {
  ~DeviceContext();
  DeviceKind kind = DeviceKind::Screen;
  HWND window = nullptr;
  cairo_surface_t* surface = nullptr;  // referenced
  cairo_t* cairo = nullptr;
  int width = 0;  // of the surface, in device pixels
  int height = 0;
  int dotsPerInch = 96;
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HFONT font = nullptr;
  HBITMAP bitmap = nullptr;
  COLORREF textColour = 0;
  COLORREF backColour = 0xFFFFFF;
  int backMode = OPAQUE;
  int rop2 = R2_COPYPEN;
  UINT textAlign = 0;
  POINT position{};
  POINT viewportOrigin{};
  POINT windowOrigin{};
  cairo_region_t* clip = nullptr;  // device coordinates; null: the whole surface
  int graphicsMode = GM_COMPATIBLE;
  XFORM transform = kIdentityTransform;
  std::vector<SavedState> saved;
  // A printer context's open document, when StartDocW has begun one.
  std::string printPath;
  int printJob = 0;
  // A metafile context records what is drawn on it, besides drawing it on its surface.
  std::shared_ptr<Recorder> recorder;
  // The layouts of the text drawn on it, made on first use (text_layout_cache.h).
  std::shared_ptr<TextLayoutCache> textLayouts;
};

// Looks an object up by handle: null when the handle is not a live object of that kind.
Object* FindObject(HGDIOBJ handle);
Pen* FindPen(HGDIOBJ handle);
Brush* FindBrush(HGDIOBJ handle);
Font* FindFont(HGDIOBJ handle);
Bitmap* FindBitmap(HGDIOBJ handle);
Region* FindRegion(HGDIOBJ handle);
HGDIOBJ AddObject(std::unique_ptr<Object> object);
HBITMAP MakeBitmap(int width, int height, int bitsPerPixel);

DeviceContext* FindDC(HDC dc);
HDC AddDC(std::unique_ptr<DeviceContext> dc);
// A context of a kind over a surface, with the default objects selected.
HDC NewDeviceContext(DeviceKind kind, HWND window, cairo_surface_t* surface, int dotsPerInch);
// Points the context at a surface (taking a reference) and resets its Cairo state.
void AttachSurface(DeviceContext& dc, cairo_surface_t* surface);

// Prepares the context's Cairo state for a drawing call: device transform from the origins, the
// clip, no antialiasing, the mix. Returns the Cairo context.
cairo_t* Prepare(DeviceContext& dc);
void SetSourceColour(cairo_t* cairo, COLORREF colour);
// Sets the operator and source for the pen or a fill colour under the context's mix.
void SetMixSource(DeviceContext& dc, COLORREF colour);

LOGFONTW DefaultGuiFont();
// The font selected into a context, as a description.
LOGFONTW SelectedFont(const DeviceContext& dc);

// The one installed face the Windows interface faces are drawn in.
inline constexpr char kInterfaceFaceFamily[] = "Liberation Sans";
// Whether a face is one of the Windows interface faces ("Arial", "Tahoma", "Segoe UI", "MS Shell
// Dlg" and others), none of which is installed here.
bool IsInterfaceFace(const std::u16string& face);

}  // namespace win32::gdi
