// The report of a plot markup error: the message head, the line number and the line itself
// with "_" where the error stands, as in «Expected } on line 1: a: {b: 1_». Stateless.
#pragma once

#include <cstddef>
#include <string>

namespace Quor {

// The report for an error found at byte `position` of `text`. The mark moves back to the end
// of the token before the error, and in front of a comment that ends the line before it, since
// that is where the missing element belonged. `line` receives the line number (from 1).
std::string MakeMarkupErrorReport(const std::string& text, std::size_t position,
                                  const std::string& head, int& line);

}  // namespace Quor
