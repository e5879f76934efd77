// The GDI+ image subset: images that can be drawn on and saved. A Bitmap holds GDI+'s straight
// 32-bit ARGB pixels, decoded from a PNG stream or made blank (all transparent); drawing happens
// on a premultiplied Cairo surface made from them on demand and read back when the pixels are
// next read, keeping the exact values of pixels the drawing left alone. Owned by whoever made it.
#pragma once

#include <vector>

#include "platform/gdiplus/types.h"
#include "platform/win32/guid.h"
#include "platform/win32/stream.h"

typedef struct _cairo_surface cairo_surface_t;

namespace Gdiplus {

struct EncoderParameters;

class Image {
 public:
  virtual ~Image() = default;
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  UINT GetWidth() const { return m_width; }
  UINT GetHeight() const { return m_height; }
  PixelFormat GetPixelFormat() const { return PixelFormat32bppARGB; }
  Status GetLastStatus() const { return m_status; }
  // Encodes the image with the encoder of that class id and writes the file; see
  // GdipSaveImageToFile.
  Status Save(const WCHAR* fileName, const CLSID* encoder, const EncoderParameters* parameters = nullptr);

 protected:
  Image() = default;
  Status Report(Status status) { return m_status = status; }
  UINT m_width = 0;
  UINT m_height = 0;
  Status m_status = Ok;
};

class Bitmap : public Image {
 public:
  // Decodes a PNG image from the stream, read from its current position.
  explicit Bitmap(IStream* stream, BOOL useEmbeddedColorManagement = FALSE);
  // A blank bitmap, every pixel transparent black; InvalidParameter when a side is not positive.
  Bitmap(INT width, INT height, PixelFormat format = PixelFormat32bppARGB);
  ~Bitmap() override;

  static Bitmap* FromStream(IStream* stream, BOOL useEmbeddedColorManagement = FALSE) {
    return new Bitmap(stream, useEmbeddedColorManagement);
  }

  Status GetPixel(INT x, INT y, Color* color) const;
  Status SetPixel(INT x, INT y, const Color& color);

  // The pixels as straight ARGB, row by row, top row first.
  const std::vector<ARGB>& Pixels() const;
  // The surface to draw on, current with the pixels; null when the bitmap holds none. What is
  // drawn on it shows in the pixels from their next read.
  cairo_surface_t* Surface();

 private:
  void Allocate(UINT width, UINT height);
  void ReadBackSurface() const;

  mutable std::vector<ARGB> m_pixels;  // row by row, top row first
  cairo_surface_t* m_surface = nullptr;
  mutable bool m_surfaceAhead = false;  // drawing may have changed the surface since the last read
};

}  // namespace Gdiplus
