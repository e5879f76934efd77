#include "core/utf_codec.h"

#include <memory>

namespace Quor {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kMaxCodePoint = 0x10FFFF;

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Trailing bytes after each lead byte (the illegal leads are caught by IsLegalUtf8).
constexpr unsigned char TrailingBytes(unsigned char lead) {
  return lead < 0xC0 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : lead < 0xF8 ? 3 : lead < 0xFC ? 4 : 5;
}

// Subtracted after assembling a sequence, removing the lead-byte marks.
constexpr char32_t kOffsets[6] = {0x00000000, 0x00003080, 0x000E2080,
                                  0x03C82080, 0xFA082080, 0x82082080};
constexpr unsigned char kLeadMarks[5] = {0x00, 0x00, 0xC0, 0xE0, 0xF0};

bool IsLegalUtf8(const unsigned char* s, int length) {
  if (length < 1 || length > 4) return false;
  for (int i = length - 1; i >= 2; --i) {
    if (s[i] < 0x80 || s[i] > 0xBF) return false;
  }
  if (length >= 2) {
    const unsigned char second = s[1];
    if (second < 0x80 || second > 0xBF) return false;
    switch (s[0]) {
      case 0xE0:
        if (second < 0xA0) return false;
        break;
      case 0xED:
        if (second > 0x9F) return false;
        break;
      case 0xF0:
        if (second < 0x90) return false;
        break;
      case 0xF4:
        if (second > 0x8F) return false;
        break;
      default:
        break;
    }
  }
  const unsigned char lead = s[0];
  if (lead >= 0x80 && lead < 0xC2) return false;
  return lead <= 0xF4;
}

int EncodedLength(char32_t cp) { return cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4; }

}  // namespace

ConversionResult ConvertUtf16ToUtf8(const char16_t*& source, const char16_t* sourceEnd,
                                    char*& target, char* targetEnd) {
  while (source < sourceEnd) {
    const char16_t* start = source;
    char32_t cp = *source++;
    if (IsHighSurrogate(cp)) {
      if (source == sourceEnd) {
        source = start;
        return ConversionResult::SourceExhausted;
      }
      if (IsLowSurrogate(*source)) {
        cp = ((cp - 0xD800) << 10) + (*source++ - 0xDC00) + 0x10000;
      } else {
        cp = kReplacement;
      }
    } else if (IsLowSurrogate(cp)) {
      cp = kReplacement;
    }
    if (cp > kMaxCodePoint) cp = kReplacement;
    const int length = EncodedLength(cp);
    if (targetEnd - target < length) {
      source = start;
      return ConversionResult::TargetExhausted;
    }
    target += length;
    char* p = target;
    switch (length) {
      case 4:
        *--p = static_cast<char>((cp | 0x80) & 0xBF);
        cp >>= 6;
        [[fallthrough]];
      case 3:
        *--p = static_cast<char>((cp | 0x80) & 0xBF);
        cp >>= 6;
        [[fallthrough]];
      case 2:
        *--p = static_cast<char>((cp | 0x80) & 0xBF);
        cp >>= 6;
        [[fallthrough]];
      case 1:
        *--p = static_cast<char>(cp | kLeadMarks[length]);
    }
  }
  return ConversionResult::Complete;
}

ConversionResult ConvertUtf8ToUtf16(const char*& source, const char* sourceEnd, char16_t*& target,
                                    char16_t* targetEnd) {
  while (source < sourceEnd) {
    const auto* s = reinterpret_cast<const unsigned char*>(source);
    const int trailing = TrailingBytes(*s);
    if (sourceEnd - source < trailing + 1) return ConversionResult::SourceExhausted;
    if (!IsLegalUtf8(s, trailing + 1)) return ConversionResult::SourceIllegal;
    char32_t cp = 0;
    for (int i = 0; i <= trailing; ++i) {
      cp += s[i];
      if (i < trailing) cp <<= 6;
    }
    cp -= kOffsets[trailing];
    if (cp < 0x10000) {
      if (target >= targetEnd) return ConversionResult::TargetExhausted;
      *target++ = (cp >= 0xD800 && cp <= 0xDFFF) ? char16_t(kReplacement) : char16_t(cp);
    } else if (cp <= kMaxCodePoint) {
      if (targetEnd - target < 2) return ConversionResult::TargetExhausted;
      cp -= 0x10000;
      *target++ = static_cast<char16_t>((cp >> 10) + 0xD800);
      *target++ = static_cast<char16_t>((cp & 0x3FF) + 0xDC00);
    } else {
      if (target >= targetEnd) return ConversionResult::TargetExhausted;
      *target++ = char16_t(kReplacement);
    }
    source += trailing + 1;
  }
  return ConversionResult::Complete;
}

std::string Utf16ToUtf8(const char16_t* units, std::size_t count) {
  const std::size_t capacity = 3 * count;
  char stackBuffer[256];
  std::unique_ptr<char[]> heapBuffer;
  char* buffer = stackBuffer;
  if (capacity > sizeof stackBuffer) {
    heapBuffer = std::make_unique<char[]>(capacity);
    buffer = heapBuffer.get();
  }
  const char16_t* source = units;
  char* target = buffer;
  ConvertUtf16ToUtf8(source, units + count, target, buffer + capacity);
  return std::string(buffer, target);
}

std::u16string Utf8ToStdWString(const std::string& utf8) {
  const std::size_t capacity = utf8.size();
  char16_t stackBuffer[256];
  std::unique_ptr<char16_t[]> heapBuffer;
  char16_t* buffer = stackBuffer;
  if (capacity > 256) {
    heapBuffer = std::make_unique<char16_t[]>(capacity);
    buffer = heapBuffer.get();
  }
  const char* source = utf8.data();
  char16_t* target = buffer;
  ConvertUtf8ToUtf16(source, utf8.data() + utf8.size(), target, buffer + capacity);
  return std::u16string(buffer, target);
}

}  // namespace Quor
