// One field of a CSV line as the host writes its tables: the text as it is, or in double quotes
// with inner quotes doubled when it holds a comma, a quote or a line break.
#pragma once

#include <string>

namespace PendrelHost {

inline std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace PendrelHost
