#include "platform/win32/bitmap_resources.h"

#include <cstdlib>
#include <cstring>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/resources.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;

HBITMAP Fail(DWORD error) {
  SetLastError(error);
  return nullptr;
}

}  // namespace

HBITMAP LoadBitmapW(HINSTANCE module, LPCWSTR name) {
  const HRSRC found = FindResourceW(module, name, RT_BITMAP);
  if (!found) return Fail(ERROR_RESOURCE_NAME_NOT_FOUND);
  const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
  std::size_t size = SizeofResource(module, found);
  if (bytes && size >= 2 && bytes[0] == 'B' && bytes[1] == 'M' && size > kFileHeaderSize) {
    bytes += kFileHeaderSize;
    size -= kFileHeaderSize;
  }
  BITMAPINFOHEADER header{};
  if (!bytes || size < sizeof header) return Fail(ERROR_INVALID_DATA);
  std::memcpy(&header, bytes, sizeof header);
  const int width = header.biWidth, height = std::abs(header.biHeight);
  const int bytesPerPixel = header.biBitCount / 8;
  if (width <= 0 || height == 0 || (bytesPerPixel != 3 && bytesPerPixel != 4) || header.biCompression != BI_RGB)
    return Fail(ERROR_INVALID_DATA);
  const std::size_t stride = (std::size_t(width) * bytesPerPixel + 3) & ~std::size_t(3);
  if (size < header.biSize + stride * height) return Fail(ERROR_INVALID_DATA);
  const unsigned char* rows = bytes + header.biSize;

  BITMAPINFO topDown{};
  topDown.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(nullptr, &topDown, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  auto* pixels = static_cast<unsigned char*>(bits);
  for (int y = 0; y < height; ++y) {
    // Stored bottom row first unless the height is negative.
    const unsigned char* from = rows + stride * std::size_t(header.biHeight > 0 ? height - 1 - y : y);
    for (int x = 0; x < width; ++x) {
      unsigned char* to = pixels + (std::size_t(y) * width + x) * 4;
      std::memcpy(to, from + std::size_t(x) * bytesPerPixel, 3);
      to[3] = 0xFF;
    }
  }
  return bitmap;
}
