// Reading the proxy's log in gesture tests: a call "Method(arg|arg|...)" split into its method
// and arguments, and arrays of numbers compared within a tolerance.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace Quor {

struct LoggedCall {
  std::string method;
  std::vector<std::string> args;
};

inline LoggedCall ReadCall(const std::string& call) {
  LoggedCall read;
  const std::size_t open = call.find('(');
  read.method = call.substr(0, open);
  if (open == std::string::npos) return read;
  const std::string inner = call.substr(open + 1, call.size() - open - 2);
  std::size_t start = 0;
  while (true) {
    const std::size_t bar = inner.find('|', start);
    read.args.push_back(inner.substr(start, bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  return read;
}

// "[1,2.5,3]" as numbers.
inline std::vector<double> ReadNumbers(const std::string& text) {
  std::vector<double> numbers;
  std::istringstream in(text.substr(text.find('[') + 1));
  double value;
  char separator;
  while (in >> value) {
    numbers.push_back(value);
    if (!(in >> separator) || separator == ']') break;
  }
  return numbers;
}

// Whether every number is within `tolerance` of the wanted one.
inline ::testing::AssertionResult NumbersNear(const std::vector<double>& seen,
                                              const std::vector<double>& wanted, double tolerance) {
  bool same = seen.size() == wanted.size();
  for (std::size_t i = 0; same && i < seen.size(); ++i) {
    same = std::abs(seen[i] - wanted[i]) <= tolerance;
  }
  if (same) return ::testing::AssertionSuccess();
  std::ostringstream text;
  text << "seen [";
  for (double v : seen) text << v << " ";
  text << "] wanted [";
  for (double v : wanted) text << v << " ";
  text << "] within " << tolerance;
  return ::testing::AssertionFailure() << text.str();
}

}  // namespace Quor
