#include "platform/gdiplus/metafile.h"

#include <cmath>

#include "platform/gdiplus/startup.h"

namespace Gdiplus {

Metafile::Metafile(HDC reference, const RectF& frame, MetafileFrameUnit unit, EmfType,
                   const WCHAR* description) {
  Begin(nullptr, reference, frame, unit, description);
}

Metafile::Metafile(const WCHAR* fileName, HDC reference, const RectF& frame, MetafileFrameUnit unit,
                   EmfType, const WCHAR* description) {
  if (!fileName) {
    m_status = InvalidParameter;
    return;
  }
  Begin(fileName, reference, frame, unit, description);
}

void Metafile::Begin(const WCHAR* fileName, HDC reference, const RectF& frame, MetafileFrameUnit unit,
                     const WCHAR* description) {
  if (!IsGdiplusRunning()) {
    m_status = GdiplusNotInitialized;
    return;
  }
  if (!(frame.Width > 0) || !(frame.Height > 0)) {
    m_status = InvalidParameter;
    return;
  }
  int dpi = reference ? GetDeviceCaps(reference, LOGPIXELSX) : 0;
  if (dpi <= 0) dpi = 96;
  // The EMF frame is kept in 0.01 mm.
  const double toHundredthsOfMm = unit == MetafileFrameUnitPixel ? 2540.0 / dpi : 1.0;
  const RECT hundredths{LONG(std::lround(frame.X * toHundredthsOfMm)), LONG(std::lround(frame.Y * toHundredthsOfMm)),
                        LONG(std::lround((frame.X + frame.Width) * toHundredthsOfMm)),
                        LONG(std::lround((frame.Y + frame.Height) * toHundredthsOfMm))};
  m_dc = CreateEnhMetaFileW(reference, fileName, &hundredths, description);
  if (!m_dc) {
    m_status = Win32Error;
    return;
  }
  const double toPixels = unit == MetafileFrameUnitPixel ? 1.0 : dpi / 2540.0;
  m_width = UINT(std::lround(frame.Width * toPixels));
  m_height = UINT(std::lround(frame.Height * toPixels));
}

HENHMETAFILE Metafile::GetHENHMETAFILE() {
  if (!m_dc) return nullptr;
  const HENHMETAFILE handle = CloseEnhMetaFile(m_dc);
  m_dc = nullptr;
  if (!handle) Report(Win32Error);
  return handle;
}

Metafile::~Metafile() {
  if (m_dc) DeleteEnhMetaFile(GetHENHMETAFILE());
}

}  // namespace Gdiplus
