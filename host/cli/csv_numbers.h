// Numbers as the command line's CSV output writes them, in the classic locale whatever the
// user's: values in their shortest exact form, times in seconds with six decimals.
#pragma once

#include <charconv>
#include <string>

namespace PendrelHost {

template <typename Number>
void AppendShortest(std::string& line, Number value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  line.append(text, result.ptr);
}

// "12.5 s": a time for a person to read, in its shortest exact form.
inline std::string SecondsText(double seconds) {
  std::string text;
  AppendShortest(text, seconds);
  return text + " s";
}

inline void AppendTime(std::string& line, double seconds) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed, 6);
  line.append(text, result.ptr);
}

}  // namespace PendrelHost
