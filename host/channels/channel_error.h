// A computed channel that cannot be made or evaluated: an unknown name, a cycle, a bad argument.
// The message says what is wrong, ready to show as it is.
#pragma once

#include <stdexcept>

namespace PendrelHost {

class ChannelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace PendrelHost
