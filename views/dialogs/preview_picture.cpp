#include "views/dialogs/preview_picture.h"

#include "controls/drawing/opaque_image.h"
#include "controls/drawing/screen_bitmap_dc.h"
#include "controls/gdiplus_starter.h"
#include "controls/image_encoder_lookup.h"
#include "core/xquor.h"
#include "views/dialogs/rhyth_preview_pane.h"

namespace Rhyth {

bool WritePreviewPicture(RhythPreviewPane& preview, const std::filesystem::path& file) {
  const SIZE size = preview.Size();
  if (size.cx <= 0 || size.cy <= 0) return false;
  try {
    // The preview paints over white, as on its dialog.
    ScreenBitMapDC surface(size.cx, size.cy);
    PatBlt(surface, 0, 0, size.cx, size.cy, WHITENESS);
    preview.PaintInto(surface);
    GdiplusStarter gdiplus;
    const auto image = OpaqueImageOf(surface, size.cx, size.cy);
    CLSID png{};
    if (!GetEncoderClsid(u"image/png", &png)) return false;
    const std::u16string name = file.u16string();
    return image->Save(reinterpret_cast<const WCHAR*>(name.c_str()), &png) == Gdiplus::Ok;
  } catch (const XQuor&) {
    return false;  // no bitmap of that size
  }
}

}  // namespace Rhyth
