#include "platform/gdiplus/image.h"

#include <cairo.h>
#include <png.h>

#include <algorithm>
#include <cstring>

namespace Gdiplus {

namespace {

// Reads the rest of a stream into memory; false when the stream fails.
bool ReadAll(IStream* stream, std::vector<unsigned char>& bytes) {
  unsigned char chunk[8192];
  for (;;) {
    ULONG got = 0;
    if (FAILED(stream->Read(chunk, sizeof chunk, &got))) return false;
    if (got == 0) return true;
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
}

std::uint32_t Premultiplied(ARGB argb) {
  const std::uint32_t a = argb >> 24;
  auto scale = [a](std::uint32_t channel) { return (channel * a + 127) / 255; };
  return a << 24 | scale(argb >> 16 & 0xFF) << 16 | scale(argb >> 8 & 0xFF) << 8 | scale(argb & 0xFF);
}

ARGB Straight(std::uint32_t pixel) {
  const std::uint32_t a = pixel >> 24;
  if (a == 0) return 0;
  auto scale = [a](std::uint32_t channel) {
    return std::min<std::uint32_t>(255, (channel * 255 + a / 2) / a);
  };
  return a << 24 | scale(pixel >> 16 & 0xFF) << 16 | scale(pixel >> 8 & 0xFF) << 8 | scale(pixel & 0xFF);
}

std::uint32_t* Row(cairo_surface_t* surface, UINT y) {
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface) +
                                          std::size_t(y) * cairo_image_surface_get_stride(surface));
}

}  // namespace

void Bitmap::Allocate(UINT width, UINT height) {
  m_width = width;
  m_height = height;
  m_pixels.assign(std::size_t(width) * height, 0);
}

Bitmap::Bitmap(IStream* stream, BOOL) {
  std::vector<unsigned char> bytes;
  if (!stream) {
    m_status = InvalidParameter;
    return;
  }
  if (!ReadAll(stream, bytes)) {
    m_status = Win32Error;
    return;
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
    m_status = UnknownImageFormat;
    return;
  }
  image.format = PNG_FORMAT_BGRA;  // little-endian ARGB words
  std::vector<ARGB> pixels(static_cast<std::size_t>(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    m_status = UnknownImageFormat;
    return;
  }
  m_width = image.width;
  m_height = image.height;
  m_pixels = std::move(pixels);
}

Bitmap::Bitmap(INT width, INT height, PixelFormat) {
  if (width <= 0 || height <= 0) {
    m_status = InvalidParameter;
    return;
  }
  Allocate(UINT(width), UINT(height));
}

Bitmap::~Bitmap() {
  if (m_surface) cairo_surface_destroy(m_surface);
}

cairo_surface_t* Bitmap::Surface() {
  if (m_pixels.empty()) return nullptr;
  if (!m_surface) {
    m_surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(m_width), int(m_height));
    if (cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(m_surface);
      m_surface = nullptr;
      return nullptr;
    }
    for (UINT y = 0; y < m_height; ++y) {
      std::uint32_t* row = Row(m_surface, y);
      for (UINT x = 0; x < m_width; ++x) row[x] = Premultiplied(m_pixels[std::size_t(y) * m_width + x]);
    }
    cairo_surface_mark_dirty(m_surface);
  }
  // SetPixel writes both copies, so the surface never lags the pixels.
  m_surfaceAhead = true;
  return m_surface;
}

void Bitmap::ReadBackSurface() const {
  if (!m_surfaceAhead) return;
  m_surfaceAhead = false;
  cairo_surface_flush(m_surface);
  for (UINT y = 0; y < m_height; ++y) {
    const std::uint32_t* row = Row(m_surface, y);
    for (UINT x = 0; x < m_width; ++x) {
      // A pixel whose premultiplied form did not change keeps its exact straight value, which
      // premultiplying at a low alpha would otherwise round away.
      ARGB& pixel = m_pixels[std::size_t(y) * m_width + x];
      if (Premultiplied(pixel) != row[x]) pixel = Straight(row[x]);
    }
  }
}

Status Bitmap::GetPixel(INT x, INT y, Color* color) const {
  if (!color || x < 0 || y < 0 || static_cast<UINT>(x) >= m_width || static_cast<UINT>(y) >= m_height) {
    return InvalidParameter;
  }
  ReadBackSurface();
  *color = Color(m_pixels[std::size_t(y) * m_width + x]);
  return Ok;
}

Status Bitmap::SetPixel(INT x, INT y, const Color& color) {
  if (x < 0 || y < 0 || static_cast<UINT>(x) >= m_width || static_cast<UINT>(y) >= m_height) {
    return InvalidParameter;
  }
  ReadBackSurface();
  m_pixels[std::size_t(y) * m_width + x] = color.GetValue();
  if (m_surface) {
    cairo_surface_flush(m_surface);
    Row(m_surface, UINT(y))[x] = Premultiplied(color.GetValue());
    cairo_surface_mark_dirty(m_surface);
  }
  return Ok;
}

const std::vector<ARGB>& Bitmap::Pixels() const {
  ReadBackSurface();
  return m_pixels;
}

}  // namespace Gdiplus
