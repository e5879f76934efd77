// A white memory bitmap for drawer tests, read pixel by pixel straight from its memory, at the
// screen resolution a test sets (DotsPerInchForTest restores the screen when it goes).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32/gdi.h"

class DotsPerInchForTest {
 public:
  explicit DotsPerInchForTest(int dpi) : m_saved(win32::CurrentScreen()) {
    win32::ScreenDescription screen = m_saved;
    screen.dotsPerInch = dpi;
    win32::SetScreenForTesting(screen);
  }
  ~DotsPerInchForTest() { win32::SetScreenForTesting(m_saved); }
  DotsPerInchForTest(const DotsPerInchForTest&) = delete;
  DotsPerInchForTest& operator=(const DotsPerInchForTest&) = delete;

 private:
  win32::ScreenDescription m_saved;
};

class DrawingCanvas {
 public:
  DrawingCanvas(int width, int height, COLORREF background = RGB(255, 255, 255))
      : m_width(width),
        m_height(height),
        m_dc(CreateCompatibleDC(nullptr)),
        m_bitmap(CreateCompatibleBitmap(nullptr, width, height)) {
    m_previous = SelectObject(m_dc, m_bitmap);
    BITMAP info{};
    GetObjectW(m_bitmap, sizeof info, &info);
    m_bits = static_cast<const unsigned char*>(info.bmBits);
    m_stride = std::size_t(info.bmWidthBytes);
    Clear(background);
  }
  ~DrawingCanvas() {
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
  }
  DrawingCanvas(const DrawingCanvas&) = delete;
  DrawingCanvas& operator=(const DrawingCanvas&) = delete;

  HDC Dc() const { return m_dc; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  RECT Rect() const { return {0, 0, m_width, m_height}; }

  void Clear(COLORREF colour) {
    const RECT all = Rect();
    const HBRUSH brush = CreateSolidBrush(colour);
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
  }

  COLORREF At(int x, int y) const {
    const uint32_t pixel = Row(y)[x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
  }

  // The rows of column x whose colour is not `background`, top first.
  std::vector<int> MarkedRows(int x, COLORREF background = RGB(255, 255, 255)) const {
    std::vector<int> rows;
    for (int y = 0; y < m_height; ++y) {
      if (At(x, y) != background) rows.push_back(y);
    }
    return rows;
  }

  // The rows of column x whose colour is `colour`, top first.
  std::vector<int> RowsOf(int x, COLORREF colour) const {
    std::vector<int> rows;
    for (int y = 0; y < m_height; ++y) {
      if (At(x, y) == colour) rows.push_back(y);
    }
    return rows;
  }

  // The columns of row y whose colour is not white, left first.
  std::vector<int> InkedColumns(int y) const {
    std::vector<int> columns;
    for (int x = 0; x < m_width; ++x) {
      if (At(x, y) != RGB(255, 255, 255)) columns.push_back(x);
    }
    return columns;
  }

  // Every pixel, row by row, for comparing whole pictures.
  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> all;
    for (int y = 0; y < m_height; ++y)
      for (int x = 0; x < m_width; ++x) all.push_back(At(x, y));
    return all;
  }

 private:
  const uint32_t* Row(int y) const {
    return reinterpret_cast<const uint32_t*>(m_bits + std::size_t(y) * m_stride);
  }

  int m_width;
  int m_height;
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_previous;
  const unsigned char* m_bits = nullptr;
  std::size_t m_stride = 0;
};
