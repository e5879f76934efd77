#include "host/browser/devtools_text.h"

#include <cstdint>

namespace PendrelBrowser {

namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// The length of the valid UTF-8 sequence at `at`, 0 when the bytes there are not one.
size_t Utf8SequenceLength(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(at);
  if (lead < 0x80) return 1;
  size_t length;
  uint32_t code;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2, code = lead & 0x1F;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3, code = lead & 0x0F;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4, code = lead & 0x07;
  else return 0;
  if (at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (overlong || surrogate || code > 0x10FFFF) return 0;
  return length;
}

// The code unit of a \uXXXX escape at `at`, or -1.
int EscapedUnit(std::string_view text, size_t at) {
  if (at + 6 > text.size() || text[at] != '\\' || text[at + 1] != 'u') return -1;
  int unit = 0;
  for (size_t i = at + 2; i < at + 6; ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return -1;
    unit = unit * 16 + digit;
  }
  return unit;
}

bool IsHigh(int unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLow(int unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace

std::string WellFormedProtocolText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      const int unit = EscapedUnit(text, i);
      if (IsHigh(unit) && IsLow(EscapedUnit(text, i + 6))) {
        out.append(text.substr(i, 12));
        i += 12;
      } else if (IsHigh(unit) || IsLow(unit)) {
        out.append("\\uFFFD");
        i += 6;
      } else {
        // Any other escape passes whole, so an escaped backslash never starts a new one.
        out.append(text.substr(i, 2));
        i += 2;
      }
      continue;
    }
    const size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      out.append(kReplacementUtf8);
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

}  // namespace PendrelBrowser
