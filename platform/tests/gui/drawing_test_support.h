// Drawing surfaces and outside tools for the drawing, metafile and printing tests.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/gdi.h"

namespace win32::testing {

// Colours the drawing and metafile tests paint with.
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A memory context over a fresh white bitmap; everything is released with it.
class Canvas {
 public:
  Canvas(int width, int height) : m_width(width), m_height(height) {
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateCompatibleBitmap(m_dc, width, height);
    m_old = SelectObject(m_dc, m_bitmap);
    const RECT all{0, 0, width, height};
    FillRect(m_dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~Canvas() {
    SelectObject(m_dc, m_old);
    DeleteDC(m_dc);
    DeleteObject(m_bitmap);
  }
  HDC dc() const { return m_dc; }
  // Row by row, top row first.
  std::vector<COLORREF> Pixels() const;
  int Count(COLORREF colour) const;

 private:
  int m_width, m_height;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
};

// What a shell command prints on its standard output; empty when it cannot run.
std::string RunCommand(const std::string& command);
// True when every named program is on the PATH.
bool HaveTools(const std::vector<std::string>& programs);

}  // namespace win32::testing
