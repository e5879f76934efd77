#include "views/dialogs/window_picture.h"

#include "controls/gdiplus_starter.h"
#include "controls/image_encoder_lookup.h"
#include "platform/gdiplus/encoders.h"
#include "platform/gdiplus/image.h"
#include "platform/win32/gdi.h"
#include "platform/win32/window.h"

namespace Rhyth {

bool WriteWindowPicture(HWND window, const std::filesystem::path& file) {
  RECT client{};
  if (!IsWindow(window) || !GetClientRect(window, &client)) return false;
  const int width = client.right - client.left, height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return false;
  InvalidateRect(window, nullptr, TRUE);
  UpdateWindow(window);

  EnsureGdiplusStarter();
  Gdiplus::Bitmap image(width, height);
  const HDC dc = GetDC(window);
  if (!dc) return false;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      image.SetPixel(x, y, Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  }
  ReleaseDC(window, dc);
  CLSID png{};
  if (!GetEncoderClsid(u"image/png", &png)) return false;
  const std::u16string name = file.u16string();
  return image.Save(reinterpret_cast<const WCHAR*>(name.c_str()), &png) == Gdiplus::Ok;
}

}  // namespace Rhyth
