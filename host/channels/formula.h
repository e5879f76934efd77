// A formula of the arithmetic channel language, parsed: numbers, channel references by number
// (Ch<n>, RCh<n>) or by name, the four operations, negation and function calls.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace PendrelHost {

struct Formula {
  enum class Kind { Number, ChannelNumber, Name, Negate, Operation, Call };

  Kind kind = Kind::Number;
  std::size_t position = 0;     // of its first character in the text, from 0
  double number = 0.0;          // Number
  std::size_t channel = 0;      // ChannelNumber: as written, from 1
  bool raw = false;             // ChannelNumber written RCh<n>
  std::string name;             // Name, Call
  char operation = 0;           // Operation: + - * /
  std::vector<Formula> operands;  // Negate: one; Operation: two; Call: the arguments
};

}  // namespace PendrelHost
