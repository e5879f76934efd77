#include "platform/owl/gdi_objects.h"

#include "platform/win32/bitmap_resources.h"

#include <algorithm>

#include "platform/win32/window.h"

namespace OWL {

TGdiObject::~TGdiObject() {
  if (m_handle) DeleteObject(m_handle);
}

TFont::TFont(const std::u16string& face, int height, int weight) : TGdiObject(nullptr) {
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  std::copy_n(face.begin(), std::min<std::size_t>(face.size(), LF_FACESIZE - 1), font.lfFaceName);
  m_handle = CreateFontIndirectW(&font);
}

LOGFONTW TFont::GetObject() const {
  LOGFONTW font{};
  GetObjectW(m_handle, sizeof font, &font);
  return font;
}

TDC::TDC(HDC dc) { Take(dc); }

TDC::~TDC() { Release(); }

void TDC::Take(HDC dc) {
  m_dc = dc;
  m_saved = dc ? SaveDC(dc) : 0;
}

HDC TDC::Release() {
  RestoreObjects();
  const HDC dc = m_dc;
  m_dc = nullptr;
  return dc;
}

void TDC::RestoreObjects() {
  if (!m_dc || !m_saved) return;
  RestoreDC(m_dc, m_saved);
  m_saved = SaveDC(m_dc);
}

TEXTMETRICW TDC::GetTextMetrics() const {
  TEXTMETRICW metrics{};
  GetTextMetricsW(m_dc, &metrics);
  return metrics;
}

TSize TDC::GetTextExtent(const std::u16string& text) const {
  SIZE size{};
  GetTextExtentPoint32W(m_dc, text.c_str(), int(text.size()), &size);
  return size;
}

TClientDC::TClientDC(HWND window) : m_window(window) { Take(GetDC(window)); }

TClientDC::~TClientDC() { ReleaseDC(m_window, Release()); }

TBitmap::TBitmap(HINSTANCE module, TResId id) : TGdiObject(LoadBitmapW(module, id)) {
  BITMAP info{};
  if (m_handle && GetObjectW(m_handle, sizeof info, &info)) m_size = TSize(info.bmWidth, info.bmHeight);
}

TMemoryDC::TMemoryDC(HDC compatible) { Take(CreateCompatibleDC(compatible)); }

TMemoryDC::~TMemoryDC() { DeleteDC(Release()); }

}  // namespace OWL
