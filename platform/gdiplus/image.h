// The GDI+ image subset: bitmaps decoded from PNG streams, kept as 32-bit ARGB pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32/stream.h"
#include "platform/win32/types.h"

namespace Gdiplus {

enum Status {
  Ok = 0,
  GenericError = 1,
  InvalidParameter = 2,
  OutOfMemory = 3,
  ObjectBusy = 4,
  InsufficientBuffer = 5,
  NotImplemented = 6,
  Win32Error = 7,
  WrongState = 8,
  Aborted = 9,
  FileNotFound = 10,
  ValueOverflow = 11,
  AccessDenied = 12,
  UnknownImageFormat = 13,
};

using ARGB = std::uint32_t;
using PixelFormat = INT;
constexpr PixelFormat PixelFormat32bppARGB = 0x0026200A;

class Color {
 public:
  Color() = default;
  explicit Color(ARGB argb) : m_argb(argb) {}
  Color(BYTE a, BYTE r, BYTE g, BYTE b)
      : m_argb(ARGB(a) << 24 | ARGB(r) << 16 | ARGB(g) << 8 | ARGB(b)) {}
  ARGB GetValue() const { return m_argb; }
  BYTE GetA() const { return static_cast<BYTE>(m_argb >> 24); }
  BYTE GetR() const { return static_cast<BYTE>(m_argb >> 16); }
  BYTE GetG() const { return static_cast<BYTE>(m_argb >> 8); }
  BYTE GetB() const { return static_cast<BYTE>(m_argb); }

 private:
  ARGB m_argb = 0xFF000000;
};

class Image {
 public:
  virtual ~Image() = default;
  UINT GetWidth() const { return m_width; }
  UINT GetHeight() const { return m_height; }
  PixelFormat GetPixelFormat() const { return PixelFormat32bppARGB; }
  Status GetLastStatus() const { return m_status; }

 protected:
  Image() = default;
  UINT m_width = 0;
  UINT m_height = 0;
  std::vector<ARGB> m_pixels;  // row by row, top row first
  Status m_status = Ok;
};

class Bitmap : public Image {
 public:
  // Decodes a PNG image from the stream, read from its current position.
  explicit Bitmap(IStream* stream, BOOL useEmbeddedColorManagement = FALSE);
  Bitmap(INT width, INT height, PixelFormat format = PixelFormat32bppARGB);

  static Bitmap* FromStream(IStream* stream, BOOL useEmbeddedColorManagement = FALSE) {
    return new Bitmap(stream, useEmbeddedColorManagement);
  }

  Status GetPixel(INT x, INT y, Color* color) const;
  Status SetPixel(INT x, INT y, const Color& color);
};

}  // namespace Gdiplus
