// Rectangles, sizes and the small arithmetic on them that windows and drawing share. A RECT is
// half-open: it holds x from left up to right - 1 and y from top up to bottom - 1.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/win32/types.h"

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

struct SIZE {
  LONG cx;
  LONG cy;
};

struct POINTS {
  SHORT x;
  SHORT y;
};

inline BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = {left, top, right, bottom};
  return TRUE;
}
inline BOOL SetRectEmpty(RECT* rect) { return SetRect(rect, 0, 0, 0, 0); }
inline BOOL CopyRect(RECT* to, const RECT* from) {
  if (!to || !from) return FALSE;
  *to = *from;
  return TRUE;
}
inline BOOL IsRectEmpty(const RECT* rect) {
  return !rect || rect->right <= rect->left || rect->bottom <= rect->top;
}
inline BOOL EqualRect(const RECT* a, const RECT* b) {
  return a && b && a->left == b->left && a->top == b->top && a->right == b->right &&
         a->bottom == b->bottom;
}
inline BOOL PtInRect(const RECT* rect, POINT point) {
  return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top &&
         point.y < rect->bottom;
}
inline BOOL OffsetRect(RECT* rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left += dx;
  rect->right += dx;
  rect->top += dy;
  rect->bottom += dy;
  return TRUE;
}
inline BOOL InflateRect(RECT* rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left -= dx;
  rect->right += dx;
  rect->top -= dy;
  rect->bottom += dy;
  return TRUE;
}
// Empty results are set to all zero, as callers test them with IsRectEmpty or by value.
inline BOOL IntersectRect(RECT* out, const RECT* a, const RECT* b) {
  if (!out || !a || !b) return FALSE;
  RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
         std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(&r)) {
    SetRectEmpty(out);
    return FALSE;
  }
  *out = r;
  return TRUE;
}
inline BOOL UnionRect(RECT* out, const RECT* a, const RECT* b) {
  if (!out || !a || !b) return FALSE;
  if (IsRectEmpty(a)) return CopyRect(out, b) && !IsRectEmpty(b);
  if (IsRectEmpty(b)) return CopyRect(out, a);
  *out = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
          std::max(a->bottom, b->bottom)};
  return TRUE;
}

// number * numerator / denominator with a 64-bit product, rounded half away from zero; -1 for a
// zero denominator or a result that does not fit.
inline int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  std::int64_t product = std::int64_t(number) * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t magnitude = product < 0 ? -product : product;
  const std::int64_t divisor = denominator < 0 ? -std::int64_t(denominator) : denominator;
  const std::int64_t quotient = (magnitude + divisor / 2) / divisor;
  if (quotient > INT32_MAX) return -1;
  return negative ? -int(quotient) : int(quotient);
}

constexpr LPARAM MAKELPARAM(int low, int high) {
  return LPARAM(std::uint32_t(std::uint16_t(low)) | (std::uint32_t(std::uint16_t(high)) << 16));
}
constexpr WPARAM MAKEWPARAM(int low, int high) { return WPARAM(std::uint32_t(MAKELPARAM(low, high))); }
constexpr int GET_X_LPARAM(LPARAM value) { return SHORT(LOWORD(std::uintptr_t(value))); }
constexpr int GET_Y_LPARAM(LPARAM value) { return SHORT(HIWORD(std::uintptr_t(value))); }
