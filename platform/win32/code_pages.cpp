#include "platform/win32/code_pages.h"

#include <atomic>
#include <cstring>
#include <string>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"

namespace {

// Windows-1252 bytes 0x80..0x9F; the five undefined bytes map to the C1 control of their value.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char16_t kReplacement = 0xFFFD;

enum class Page { Windows1252, Utf8, Unknown };

std::atomic<UINT> ansiCodePage{CP_WINDOWS_1252};

Page Resolve(UINT codePage) {
  if (codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_THREAD_ACP) {
    codePage = ansiCodePage.load();
  }
  switch (codePage) {
    case CP_WINDOWS_1252:
      return Page::Windows1252;
    case CP_UTF8:
      return Page::Utf8;
    default:
      return Page::Unknown;
  }
}

char16_t Windows1252ToUnit(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char16_t(byte);
}

// -1 when the unit has no Windows-1252 byte.
int UnitToWindows1252(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return unit;
  for (int i = 0; i < 32; ++i) {
    if (kWindows1252High[i] == unit) return 0x80 + i;
  }
  return -1;
}

// Decodes UTF-8, replacing each maximal ill-formed subpart by U+FFFD. False on the first
// ill-formed sequence when strict.
bool DecodeUtf8(const unsigned char* s, std::size_t n, bool strict, std::u16string& out) {
  std::size_t i = 0;
  while (i < n) {
    const unsigned char lead = s[i];
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    int trail = 0;
    char32_t cp = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      trail = 1;
      cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      trail = 2;
      cp = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      trail = 3;
      cp = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    }
    std::size_t j = i + 1;
    int taken = 0;
    for (; taken < trail && j < n; ++taken, ++j) {
      const unsigned char c = s[j];
      if (c < (taken == 0 ? low : 0x80) || c > (taken == 0 ? high : 0xBF)) break;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (trail == 0 || taken < trail) {
      if (strict) return false;
      out.push_back(kReplacement);
      i = trail == 0 ? i + 1 : j;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i = j;
  }
  return true;
}

void AppendUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Encodes UTF-16 as UTF-8; a lone surrogate becomes U+FFFD, or fails when strict.
bool EncodeUtf8(const char16_t* s, std::size_t n, bool strict, std::string& out) {
  for (std::size_t i = 0; i < n; ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < n && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      if (strict) return false;
      cp = kReplacement;
    }
    AppendUtf8(cp, out);
  }
  return true;
}

template <class Unit>
std::size_t TerminatedLength(const Unit* s) {
  std::size_t n = 0;
  while (s[n]) ++n;
  return n + 1;  // the NUL is converted too
}

// Copies a finished conversion out as the API does: the size when there is no buffer, else the
// units when they fit, else ERROR_INSUFFICIENT_BUFFER.
template <class Text, class Unit>
int Deliver(const Text& converted, Unit* target, int capacity) {
  const std::size_t n = converted.size();
  if (n > static_cast<std::size_t>(INT32_MAX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (capacity == 0) return static_cast<int>(n);
  if (n > static_cast<std::size_t>(capacity)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::memcpy(target, converted.data(), n * sizeof(Unit));
  return static_cast<int>(n);
}

}  // namespace

UINT GetACP() { return ansiCodePage.load(); }

namespace win32 {
void SetAnsiCodePageForTesting(UINT codePage) { ansiCodePage = codePage; }
}  // namespace win32

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceBytes, LPWSTR target,
                        int targetUnits) {
  const Page page = Resolve(codePage);
  if (page == Page::Unknown || !source || sourceBytes == 0 || sourceBytes < -1 ||
      targetUnits < 0 || (targetUnits > 0 && !target)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::size_t n =
      sourceBytes == -1 ? TerminatedLength(source) : static_cast<std::size_t>(sourceBytes);
  const auto* bytes = reinterpret_cast<const unsigned char*>(source);
  std::u16string converted;
  converted.reserve(n);
  if (page == Page::Utf8) {
    if (!DecodeUtf8(bytes, n, (flags & MB_ERR_INVALID_CHARS) != 0, converted)) {
      SetLastError(ERROR_NO_UNICODE_TRANSLATION);
      return 0;
    }
  } else {
    for (std::size_t i = 0; i < n; ++i) converted.push_back(Windows1252ToUnit(bytes[i]));
  }
  return Deliver(converted, target, targetUnits);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceUnits, LPSTR target,
                        int targetBytes, LPCSTR defaultChar, BOOL* usedDefaultChar) {
  const Page page = Resolve(codePage);
  const bool utf8 = page == Page::Utf8;
  if (page == Page::Unknown || !source || sourceUnits == 0 || sourceUnits < -1 ||
      targetBytes < 0 || (targetBytes > 0 && !target) ||
      (utf8 && (defaultChar || usedDefaultChar))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::size_t n =
      sourceUnits == -1 ? TerminatedLength(source) : static_cast<std::size_t>(sourceUnits);
  std::string converted;
  converted.reserve(n);
  if (utf8) {
    if (!EncodeUtf8(source, n, (flags & WC_ERR_INVALID_CHARS) != 0, converted)) {
      SetLastError(ERROR_NO_UNICODE_TRANSLATION);
      return 0;
    }
  } else {
    const char fallback = defaultChar ? *defaultChar : '?';
    bool usedDefault = false;
    for (std::size_t i = 0; i < n; ++i) {
      const bool pair = source[i] >= 0xD800 && source[i] <= 0xDBFF && i + 1 < n &&
                        source[i + 1] >= 0xDC00 && source[i + 1] <= 0xDFFF;
      if (pair) ++i;  // one character, one default byte
      const int byte = pair ? -1 : UnitToWindows1252(source[i]);
      usedDefault |= byte < 0;
      converted.push_back(byte < 0 ? fallback : static_cast<char>(byte));
    }
    if (usedDefaultChar) *usedDefaultChar = usedDefault ? TRUE : FALSE;
  }
  return Deliver(converted, target, targetBytes);
}
