#include "controls/image_encoder_lookup.h"

#include <cstdlib>
#include <string_view>

#include "platform/gdiplus/encoders.h"

bool GetEncoderClsid(const WCHAR* mimeType, CLSID* clsid) {
  if (!mimeType || !clsid) return false;
  UINT count = 0, size = 0;
  if (GdipGetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  auto* codecs = static_cast<Gdiplus::ImageCodecInfo*>(std::malloc(size));
  if (!codecs) return false;
  bool found = false;
  if (GdipGetImageEncoders(count, size, codecs) == Gdiplus::Ok) {
    for (UINT i = 0; i < count; ++i) {
      if (std::u16string_view(codecs[i].MimeType) == mimeType) {
        *clsid = codecs[i].Clsid;
        found = true;
      }
    }
  }
  std::free(codecs);
  return found;
}
