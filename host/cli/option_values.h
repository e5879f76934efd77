// The values of the command line's options: numbers, and pairs of numbers such as a time and
// what happens at it. Each throws std::invalid_argument with a message naming the option.
#pragma once

#include <string>
#include <utility>

namespace PendrelHost {

double NumberArgument(const std::string& option, const std::string& text);

// "A,B".
std::pair<double, double> NumberPairArgument(const std::string& option, const std::string& text);

}  // namespace PendrelHost
