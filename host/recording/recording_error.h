// A recording that cannot be made or read. The message names the file (when there is one) and
// the reason, ready to show as it is.
#pragma once

#include <stdexcept>

namespace PendrelHost {

class RecordingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace PendrelHost
