// GUIDs, parsed at compile time from their registry text form.
#pragma once

#include <string_view>

#include "platform/win32/types.h"

struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];

  friend constexpr bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i) {
      if (a.Data4[i] != b.Data4[i]) return false;
    }
    return true;
  }
};
static_assert(sizeof(GUID) == 16);

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

constexpr GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

inline bool IsEqualGUID(REFGUID a, REFGUID b) { return a == b; }
inline bool IsEqualIID(REFIID a, REFIID b) { return a == b; }

namespace win32 {

constexpr unsigned HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
  if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
  if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
  throw "not a hexadecimal digit";  // a compile-time error in constant evaluation
}

constexpr std::uint64_t HexValue(std::string_view text, std::size_t from, std::size_t digits) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < digits; ++i) value = value * 16 + HexDigit(text[from + i]);
  return value;
}

// "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx", optionally in braces.
constexpr GUID ParseGuid(std::string_view text) {
  if (text.size() == 38 && text.front() == '{' && text.back() == '}') text = text.substr(1, 36);
  if (text.size() != 36 || text[8] != '-' || text[13] != '-' || text[18] != '-' || text[23] != '-') {
    throw "malformed GUID text";
  }
  GUID g{};
  g.Data1 = static_cast<DWORD>(HexValue(text, 0, 8));
  g.Data2 = static_cast<WORD>(HexValue(text, 9, 4));
  g.Data3 = static_cast<WORD>(HexValue(text, 14, 4));
  g.Data4[0] = static_cast<BYTE>(HexValue(text, 19, 2));
  g.Data4[1] = static_cast<BYTE>(HexValue(text, 21, 2));
  for (int i = 0; i < 6; ++i) g.Data4[2 + i] = static_cast<BYTE>(HexValue(text, 24 + 2 * i, 2));
  return g;
}

}  // namespace win32
