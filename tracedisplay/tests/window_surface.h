// A white memory DC of a pane's size, standing for the window a data pane paints on, with a
// pixel probe.
#pragma once

#include "platform/win32/gdi.h"

class WindowSurface {
 public:
  WindowSurface(int width, int height)
      : m_dc(CreateCompatibleDC(nullptr)), m_bitmap(CreateCompatibleBitmap(nullptr, width, height)) {
    m_previous = SelectObject(m_dc, m_bitmap);
    PatBlt(m_dc, 0, 0, width, height, WHITENESS);
  }
  ~WindowSurface() {
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  HDC Dc() const { return m_dc; }
  COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y) & 0xFFFFFF; }

 private:
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_previous;
};
