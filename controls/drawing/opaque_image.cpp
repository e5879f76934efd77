#include "controls/drawing/opaque_image.h"

std::unique_ptr<Gdiplus::Bitmap> OpaqueImageOf(HDC dc, int width, int height) {
  auto image = std::make_unique<Gdiplus::Bitmap>(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF pixel = GetPixel(dc, x, y);
      image->SetPixel(x, y, Gdiplus::Color(255, GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)));
    }
  }
  return image;
}
