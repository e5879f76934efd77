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
  // One pass into a buffer of the largest size the image can take: asking for the exact size
  // first would compress the image twice.
  png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
  out.resize(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.argb, 0, nullptr)) {
    error = image.message;
    return false;
  }
  out.resize(size);
  return true;
}

}  // namespace Gdiplus::detail
