// Wide characters of the standard library's wide streams (wchar_t, 32 bits on Linux) as the
// module's UTF-16 units, and back.
#pragma once

#include "platform/win32/types.h"

namespace Quor {

// The units that EncodeWide writes for c.
constexpr DWORD UnitsOfWide(wchar_t c) {
  const auto v = static_cast<char32_t>(c);
  return v >= 0x10000 && v <= 0x10FFFF ? 2 : 1;
}

// Writes c at out (room for two units) and returns the number of units: a surrogate pair above
// U+FFFF, U+FFFD for a value beyond U+10FFFF, else the value itself.
constexpr DWORD EncodeWide(wchar_t c, WCHAR* out) {
  const auto v = static_cast<char32_t>(c);
  if (v >= 0x10000 && v <= 0x10FFFF) {
    out[0] = static_cast<WCHAR>(0xD800 + ((v - 0x10000) >> 10));
    out[1] = static_cast<WCHAR>(0xDC00 + ((v - 0x10000) & 0x3FF));
    return 2;
  }
  out[0] = v > 0xFFFF ? WCHAR(0xFFFD) : static_cast<WCHAR>(v);
  return 1;
}

// The character at units[0], `available` units being readable: a surrogate pair gives one
// character (consumed 2); any other unit, a lone surrogate included, gives itself (consumed 1).
constexpr wchar_t DecodeWide(const WCHAR* units, DWORD available, DWORD& consumed) {
  const char32_t first = units[0];
  if (first >= 0xD800 && first <= 0xDBFF && available > 1 && units[1] >= 0xDC00 &&
      units[1] <= 0xDFFF) {
    consumed = 2;
    return static_cast<wchar_t>(0x10000 + ((first - 0xD800) << 10) + (units[1] - 0xDC00));
  }
  consumed = 1;
  return static_cast<wchar_t>(first);
}

}  // namespace Quor
