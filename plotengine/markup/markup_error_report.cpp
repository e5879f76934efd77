#include "plotengine/markup/markup_error_report.h"

#include <algorithm>

namespace Quor {
namespace {

bool IsClassicSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The mark in front of the white space, and any comment ending a line, before `p`. Each step
// looks only at the line it moves over, so the whole walk reads every byte at most twice.
std::size_t MarkAfterPreviousToken(const std::string& text, std::size_t p) {
  for (;;) {
    std::size_t q = p;
    while (q > 0 && IsClassicSpace(text[q - 1])) --q;
    if (q == 0) return p;  // only white space before the error
    p = q;
    const std::size_t lineFeed = text.rfind('\n', p - 1);
    if (lineFeed == std::string::npos) return p;
    const std::size_t slash = text.find('/', lineFeed);
    if (slash >= p) return p;
    p = slash;
  }
}

}  // namespace

std::string MakeMarkupErrorReport(const std::string& text, std::size_t position,
                                  const std::string& head, int& line) {
  const std::size_t p = MarkAfterPreviousToken(text, std::min(position, text.size()));
  line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + p, '\n'));
  const std::size_t lineFeed = p == 0 ? std::string::npos : text.rfind('\n', p - 1);
  const std::size_t start = lineFeed == std::string::npos ? 0 : lineFeed + 1;
  const std::size_t end = std::min(text.find('\n', p), text.size());
  return head + " on line " + std::to_string(line) + ": " + text.substr(start, p - start) + "_" +
         text.substr(p, end - start - (p - start));
}

}  // namespace Quor
