#include "views/dialogs/preview_picture.h"

#include <cstdint>

#include "controls/gdiplus_starter.h"
#include "controls/image_encoder_lookup.h"
#include "platform/gdiplus/image.h"
#include "platform/win32/gdi.h"
#include "views/dialogs/rhyth_preview_pane.h"

namespace Rhyth {

namespace {

// A white memory bitmap the preview paints into, read back pixel by pixel.
class PictureSurface {
 public:
  explicit PictureSurface(SIZE size)
      : m_size(size),
        m_dc(CreateCompatibleDC(nullptr)),
        m_bitmap(CreateCompatibleBitmap(nullptr, size.cx, size.cy)) {
    m_previous = SelectObject(m_dc, m_bitmap);
    PatBlt(m_dc, 0, 0, size.cx, size.cy, WHITENESS);
    BITMAP info{};
    GetObjectW(m_bitmap, sizeof info, &info);
    m_bits = static_cast<const unsigned char*>(info.bmBits);
    m_stride = std::size_t(info.bmWidthBytes);
  }
  ~PictureSurface() {
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  PictureSurface(const PictureSurface&) = delete;
  PictureSurface& operator=(const PictureSurface&) = delete;

  HDC Dc() const { return m_dc; }
  bool Ready() const { return m_bits != nullptr; }

  bool SaveAsPng(const std::filesystem::path& file) const {
    GdiplusStarter gdiplus;
    Gdiplus::Bitmap image(m_size.cx, m_size.cy);
    for (LONG y = 0; y < m_size.cy; ++y) {
      const auto* row = reinterpret_cast<const uint32_t*>(m_bits + std::size_t(y) * m_stride);
      for (LONG x = 0; x < m_size.cx; ++x) {
        const uint32_t pixel = row[x];
        image.SetPixel(x, y, Gdiplus::Color(255, BYTE(pixel >> 16), BYTE(pixel >> 8), BYTE(pixel)));
      }
    }
    CLSID png{};
    if (!GetEncoderClsid(u"image/png", &png)) return false;
    const std::u16string name = file.u16string();
    return image.Save(reinterpret_cast<const WCHAR*>(name.c_str()), &png) == Gdiplus::Ok;
  }

 private:
  SIZE m_size;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_previous;
  const unsigned char* m_bits = nullptr;
  std::size_t m_stride = 0;
};

}  // namespace

bool WritePreviewPicture(RhythPreviewPane& preview, const std::filesystem::path& file) {
  const SIZE size = preview.Size();
  if (size.cx <= 0 || size.cy <= 0) return false;
  PictureSurface surface(size);
  if (!surface.Ready()) return false;
  preview.PaintInto(surface.Dc());
  return surface.SaveAsPng(file);
}

}  // namespace Rhyth
