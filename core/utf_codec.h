// The module's own UTF-16 / UTF-8 codec.
#pragma once

#include <cstddef>
#include <string>

namespace Quor {

enum class ConversionResult {
  Complete = 0,         // everything converted
  SourceExhausted = 1,  // the input ends inside a character
  TargetExhausted = 2,  // the output is full
  SourceIllegal = 3,    // an invalid UTF-8 sequence
};

// Both advance `source` and `target` past what they converted, and stop before a character
// that cannot be converted or does not fit.
//
// A lone surrogate in UTF-16 is written as U+FFFD: the decoder below rejects encoded
// surrogates, so writing them would produce text that this codec cannot read back.
ConversionResult ConvertUtf16ToUtf8(const char16_t*& source, const char16_t* sourceEnd,
                                    char*& target, char* targetEnd);
ConversionResult ConvertUtf8ToUtf16(const char*& source, const char* sourceEnd, char16_t*& target,
                                    char16_t* targetEnd);

// Convenience wrappers: the text converted before a stop is kept, the rest dropped.
std::string Utf16ToUtf8(const char16_t* units, std::size_t count);
std::u16string Utf8ToStdWString(const std::string& utf8);

}  // namespace Quor
