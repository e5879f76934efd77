#include "core/format_into_buffer.h"

#include <cstdarg>
#include <cwchar>
#include <string>
#include <vector>

namespace Quor {

namespace {

// Unit by unit: the format's text passes through the C library unchanged, so a surrogate pair
// comes back as the same two units.
std::wstring ToLibraryText(const WCHAR* text) {
  std::wstring out;
  for (; text && *text; ++text) out += wchar_t(*text);
  return out;
}

// The C library refuses (rather than cuts) a text that does not fit, so the text is formatted
// whole first.
std::vector<wchar_t> FormatWhole(const std::wstring& format, va_list arguments) {
  constexpr std::size_t kLargest = std::size_t(1) << 20;
  std::vector<wchar_t> out(64);
  for (;;) {
    va_list attempt;
    va_copy(attempt, arguments);
    const int written = std::vswprintf(out.data(), out.size(), format.c_str(), attempt);
    va_end(attempt);
    if (written >= 0) {
      out.resize(std::size_t(written));
      return out;
    }
    // Also the answer to a format the library rejects: give up with nothing.
    if (out.size() >= kLargest) return {};
    out.resize(out.size() * 4);
  }
}

}  // namespace

int FormatIntoBuffer32(WCHAR (&buffer)[32], const WCHAR* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const std::vector<wchar_t> text = FormatWhole(ToLibraryText(format), arguments);
  va_end(arguments);
  std::size_t kept = text.size() < 31 ? text.size() : 31;
  // A cut never leaves half a surrogate pair.
  if (kept < text.size() && kept > 0 && text[kept - 1] >= 0xD800 && text[kept - 1] < 0xDC00) --kept;
  for (std::size_t i = 0; i < kept; ++i) buffer[i] = WCHAR(text[i]);
  buffer[kept] = 0;
  return int(kept);
}

}  // namespace Quor
