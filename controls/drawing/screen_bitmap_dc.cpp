#include "controls/drawing/screen_bitmap_dc.h"

#include "core/xquor.h"
#include "platform/win32/last_error.h"

ScreenBitMapDC::ScreenBitMapDC(int width, int height) : m_height(height), m_width(width) {
  if (width < 1 || height < 1) return;
  const HDC screen = GetDC(nullptr);
  m_bitmap = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  if (!m_bitmap) throw XQuor(Quor::String(u"ScreenBitMapDC:: ctor fail"), HRESULT_FROM_WIN32(GetLastError()));
  m_previous = ::SelectObject(GetHDC(), m_bitmap);
}

ScreenBitMapDC::~ScreenBitMapDC() {
  SetViewportOrgEx(GetHDC(), 0, 0, nullptr);
  SetWindowOrgEx(GetHDC(), 0, 0, nullptr);
  if (m_previous) ::SelectObject(GetHDC(), m_previous);
  if (m_bitmap) DeleteObject(m_bitmap);
}
