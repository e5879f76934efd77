// The GUI framework's geometry and colour values: points, sizes and rectangles over the
// platform's own structures (so they pass wherever those are asked for), and RGB colours.
#pragma once

#include <algorithm>

#include "platform/win32/gdi_handles.h"
#include "platform/win32/geometry.h"

namespace OWL {

class TPoint : public POINT {
 public:
  TPoint() : POINT{0, 0} {}
  TPoint(int x, int y) : POINT{x, y} {}
  TPoint(const POINT& point) : POINT(point) {}
  TPoint OffsetBy(int dx, int dy) const { return {x + dx, y + dy}; }
  bool operator==(const TPoint& other) const { return x == other.x && y == other.y; }
};

class TSize : public SIZE {
 public:
  TSize() : SIZE{0, 0} {}
  TSize(int cx, int cy) : SIZE{cx, cy} {}
  TSize(const SIZE& size) : SIZE(size) {}
  bool operator==(const TSize& other) const { return cx == other.cx && cy == other.cy; }
};

class TRect : public RECT {
 public:
  TRect() : RECT{0, 0, 0, 0} {}
  TRect(int left, int top, int right, int bottom) : RECT{left, top, right, bottom} {}
  TRect(const RECT& rect) : RECT(rect) {}
  TRect(const TPoint& topLeft, const TSize& size)
      : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  TSize Size() const { return {Width(), Height()}; }
  TPoint TopLeft() const { return {left, top}; }
  TPoint BottomRight() const { return {right, bottom}; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  // Right and bottom edges are outside, as everywhere on the platform.
  bool Contains(const TPoint& point) const {
    return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
  }
  TRect& Offset(int dx, int dy) {
    left += dx, right += dx, top += dy, bottom += dy;
    return *this;
  }
  TRect OffsetBy(int dx, int dy) const { return TRect(*this).Offset(dx, dy); }
  TRect& Inflate(int dx, int dy) {
    left -= dx, right += dx, top -= dy, bottom += dy;
    return *this;
  }
  TRect InflatedBy(int dx, int dy) const { return TRect(*this).Inflate(dx, dy); }
  // The smallest rectangle holding both; an empty rectangle adds nothing.
  TRect operator|(const TRect& other) const {
    if (IsEmpty()) return other;
    if (other.IsEmpty()) return *this;
    return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
            std::max(bottom, other.bottom)};
  }
  TRect operator&(const TRect& other) const {
    TRect both{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
               std::min(bottom, other.bottom)};
    return both.IsEmpty() ? TRect() : both;
  }
  bool operator==(const TRect& other) const {
    return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
  }
};

class TColor {
 public:
  TColor() = default;
  TColor(int red, int green, int blue) : m_value(RGB(red, green, blue)) {}
  explicit TColor(COLORREF value) : m_value(value) {}
  operator COLORREF() const { return m_value; }
  BYTE Red() const { return GetRValue(m_value); }
  BYTE Green() const { return GetGValue(m_value); }
  BYTE Blue() const { return GetBValue(m_value); }
  bool operator==(const TColor& other) const { return m_value == other.m_value; }

  static const TColor Black, White, LtGray, Gray;

 private:
  COLORREF m_value = 0;
};

inline const TColor TColor::Black{0, 0, 0};
inline const TColor TColor::White{255, 255, 255};
inline const TColor TColor::LtGray{192, 192, 192};
inline const TColor TColor::Gray{128, 128, 128};

}  // namespace OWL
