#include "platform/gdiplus/image_encoding.h"

namespace Gdiplus::detail {

namespace {

void PutLittleEndian(Bytes& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

}  // namespace

// A 24-bit bottom-up DIB with its file header; rows padded to four bytes.
bool EncodeBmp(const PixelRows& pixels, Bytes& out, std::string& error) {
  const std::uint64_t rowBytes = (std::uint64_t(pixels.width) * 3 + 3) / 4 * 4;
  const std::uint64_t imageBytes = rowBytes * pixels.height;
  if (imageBytes + 54 > 0xFFFFFFFFu) {
    error = "image too large for a BMP file";
    return false;
  }
  out.clear();
  out.reserve(std::size_t(imageBytes) + 54);
  out.push_back('B');
  out.push_back('M');
  PutLittleEndian(out, std::uint32_t(imageBytes + 54), 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, 54, 4);
  PutLittleEndian(out, 40, 4);
  PutLittleEndian(out, pixels.width, 4);
  PutLittleEndian(out, pixels.height, 4);
  PutLittleEndian(out, 1, 2);
  PutLittleEndian(out, 24, 2);
  PutLittleEndian(out, 0, 4);  // BI_RGB
  PutLittleEndian(out, std::uint32_t(imageBytes), 4);
  PutLittleEndian(out, 3780, 4);  // 96 dots per inch, in dots per metre
  PutLittleEndian(out, 3780, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, 0, 4);
  for (UINT row = pixels.height; row-- > 0;) {
    const std::size_t start = out.size();
    for (UINT x = 0; x < pixels.width; ++x) PutLittleEndian(out, OverWhite(pixels.At(x, row)) & 0xFFFFFF, 3);
    out.resize(start + std::size_t(rowBytes), 0);
  }
  return true;
}

}  // namespace Gdiplus::detail
