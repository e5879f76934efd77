#include "platform/gdiplus/image.h"

#include <png.h>

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

}  // namespace

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
  m_width = static_cast<UINT>(width);
  m_height = static_cast<UINT>(height);
  m_pixels.assign(static_cast<std::size_t>(m_width) * m_height, 0);
}

Status Bitmap::GetPixel(INT x, INT y, Color* color) const {
  if (!color || x < 0 || y < 0 || static_cast<UINT>(x) >= m_width || static_cast<UINT>(y) >= m_height) {
    return InvalidParameter;
  }
  *color = Color(m_pixels[static_cast<std::size_t>(y) * m_width + x]);
  return Ok;
}

Status Bitmap::SetPixel(INT x, INT y, const Color& color) {
  if (x < 0 || y < 0 || static_cast<UINT>(x) >= m_width || static_cast<UINT>(y) >= m_height) {
    return InvalidParameter;
  }
  m_pixels[static_cast<std::size_t>(y) * m_width + x] = color.GetValue();
  return Ok;
}

}  // namespace Gdiplus
