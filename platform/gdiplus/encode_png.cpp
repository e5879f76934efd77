#include <png.h>

#include <cstring>

#include "platform/gdiplus/image_encoding.h"

namespace Gdiplus::detail {

bool EncodePng(const PixelRows& pixels, Bytes& out, std::string& error) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = pixels.width;
  image.height = pixels.height;
  image.format = PNG_FORMAT_BGRA;  // ARGB words in little-endian memory
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, pixels.argb, 0, nullptr)) {
    error = image.message;
    return false;
  }
  out.resize(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.argb, 0, nullptr)) {
    error = image.message;
    return false;
  }
  out.resize(size);
  return true;
}

}  // namespace Gdiplus::detail
