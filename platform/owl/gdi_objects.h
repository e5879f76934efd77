// The GUI framework's drawing objects: device contexts (one given, a window's client area, or a
// memory context) and the fonts, brushes, pens and bitmaps selected into them. Each object owns
// its platform handle and releases it when it goes; a context puts back what was selected into
// it before it goes.
#pragma once

#include <string>

#include "platform/owl/geometry.h"
#include "platform/owl/module.h"
#include "platform/win32/gdi.h"

namespace OWL {

class TGdiObject {
 public:
  virtual ~TGdiObject();
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;
  HGDIOBJ GetHandle() const { return m_handle; }
  bool IsValid() const { return m_handle != nullptr; }

 protected:
  explicit TGdiObject(HGDIOBJ handle) : m_handle(handle) {}
  HGDIOBJ m_handle;
};

class TFont : public TGdiObject {
 public:
  explicit TFont(const LOGFONTW& font) : TGdiObject(CreateFontIndirectW(&font)) {}
  // `height` as LOGFONTW's: negative for the em height in pixels.
  TFont(const std::u16string& face, int height, int weight = FW_NORMAL);
  operator HFONT() const { return static_cast<HFONT>(m_handle); }
  LOGFONTW GetObject() const;
};

class TBrush : public TGdiObject {
 public:
  explicit TBrush(const TColor& colour) : TGdiObject(CreateSolidBrush(colour)) {}
  operator HBRUSH() const { return static_cast<HBRUSH>(m_handle); }
};

class TPen : public TGdiObject {
 public:
  TPen(const TColor& colour, int width = 1, int style = PS_SOLID)
      : TGdiObject(CreatePen(style, width, colour)) {}
  operator HPEN() const { return static_cast<HPEN>(m_handle); }
};

class TBitmap : public TGdiObject {
 public:
  // A bitmap compatible with the context, of the given size in pixels.
  TBitmap(HDC compatible, int width, int height)
      : TGdiObject(CreateCompatibleBitmap(compatible, width, height)), m_size(width, height) {}
  // The bitmap resource of a module; invalid (no handle, size 0 x 0) when it has none.
  TBitmap(HINSTANCE module, TResId id);
  operator HBITMAP() const { return static_cast<HBITMAP>(m_handle); }
  int Width() const { return m_size.cx; }
  int Height() const { return m_size.cy; }

 private:
  TSize m_size;
};

class TDC {
 public:
  // Draws on a context the caller owns.
  explicit TDC(HDC dc);
  virtual ~TDC();
  TDC(const TDC&) = delete;
  TDC& operator=(const TDC&) = delete;

  HDC GetHDC() const { return m_dc; }
  operator HDC() const { return m_dc; }

  void SelectObject(const TFont& font) { ::SelectObject(m_dc, font.GetHandle()); }
  void SelectObject(const TBrush& brush) { ::SelectObject(m_dc, brush.GetHandle()); }
  void SelectObject(const TPen& pen) { ::SelectObject(m_dc, pen.GetHandle()); }
  void SelectObject(const TBitmap& bitmap) { ::SelectObject(m_dc, bitmap.GetHandle()); }
  void SelectStockObject(int index) { ::SelectObject(m_dc, GetStockObject(index)); }
  // Puts back the objects and state the context had when this object took it.
  void RestoreObjects();

  TColor SetTextColor(const TColor& colour) { return TColor(::SetTextColor(m_dc, colour)); }
  TColor SetBkColor(const TColor& colour) { return TColor(::SetBkColor(m_dc, colour)); }
  int SetBkMode(int mode) { return ::SetBkMode(m_dc, mode); }
  UINT SetTextAlign(UINT align) { return ::SetTextAlign(m_dc, align); }
  bool TextOut(const TPoint& at, const std::u16string& text) {
    return ::TextOutW(m_dc, at.x, at.y, text.c_str(), int(text.size()));
  }
  int DrawText(const std::u16string& text, TRect& rect, UINT format) {
    return ::DrawTextW(m_dc, text.c_str(), int(text.size()), &rect, format);
  }
  bool FillRect(const TRect& rect, const TBrush& brush) { return ::FillRect(m_dc, &rect, brush); }
  bool Rectangle(const TRect& rect) { return ::Rectangle(m_dc, rect.left, rect.top, rect.right, rect.bottom); }
  bool MoveTo(const TPoint& point) { return ::MoveToEx(m_dc, point.x, point.y, nullptr); }
  bool LineTo(const TPoint& point) { return ::LineTo(m_dc, point.x, point.y); }
  TColor GetPixel(const TPoint& point) const { return TColor(::GetPixel(m_dc, point.x, point.y)); }
  TEXTMETRICW GetTextMetrics() const;
  TSize GetTextExtent(const std::u16string& text) const;
  bool BitBlt(const TRect& to, const TDC& from, const TPoint& fromAt, DWORD rop = SRCCOPY) {
    return ::BitBlt(m_dc, to.left, to.top, to.Width(), to.Height(), from, fromAt.x, fromAt.y, rop);
  }

 protected:
  // For contexts that make their own handle first.
  TDC() = default;
  void Take(HDC dc);
  // Puts the context's state back and lets go of the handle, for the owner to release.
  HDC Release();

 private:
  HDC m_dc = nullptr;
  int m_saved = 0;
};

// The client area of a window, released with the object.
class TClientDC : public TDC {
 public:
  explicit TClientDC(HWND window);
  ~TClientDC() override;

 private:
  HWND m_window;
};

// A memory context compatible with another (null: the screen), deleted with the object.
class TMemoryDC : public TDC {
 public:
  explicit TMemoryDC(HDC compatible = nullptr);
  ~TMemoryDC() override;
};

}  // namespace OWL
