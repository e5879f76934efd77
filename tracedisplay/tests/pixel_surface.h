// A white memory surface at a chosen resolution for the drawers' pixel probes: the drawers
// draw on it as on a band's layer and tests read its pixels back.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/gdi.h"
#include "platform/win32/monitors.h"

class PixelSurface {
 public:
  PixelSurface(int width, int height, int dotsPerInch = 96) : m_width(width), m_height(height) {
    // Memory contexts take the primary monitor's resolution when they are made.
    if (dotsPerInch != 96) win32::SetMonitorsForTesting({{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, dotsPerInch}});
    m_dc = CreateCompatibleDC(nullptr);
    if (dotsPerInch != 96) win32::SetMonitorsForTesting({});
    m_bitmap = CreateCompatibleBitmap(m_dc, width, height);
    m_previous = SelectObject(m_dc, m_bitmap);
    Clear(RGB(255, 255, 255));
  }
  ~PixelSurface() {
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  PixelSurface(const PixelSurface&) = delete;
  PixelSurface& operator=(const PixelSurface&) = delete;

  void Clear(COLORREF colour) {
    const RECT all{0, 0, m_width, m_height};
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
  }
  HDC Dc() const { return m_dc; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y) & 0xFFFFFF; }
  // The rows of column x whose colour is `colour`.
  std::vector<int> RowsOf(int x, COLORREF colour) const {
    std::vector<int> rows;
    for (int y = 0; y < m_height; ++y)
      if (At(x, y) == colour) rows.push_back(y);
    return rows;
  }
  // The columns of row y whose colour is not white.
  std::vector<int> InkedColumns(int y) const {
    std::vector<int> columns;
    for (int x = 0; x < m_width; ++x)
      if (At(x, y) != RGB(255, 255, 255)) columns.push_back(x);
    return columns;
  }
  // Every pixel, row by row.
  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < m_height; ++y)
      for (int x = 0; x < m_width; ++x) pixels.push_back(At(x, y));
    return pixels;
  }

 private:
  int m_width;
  int m_height;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_previous;
};
