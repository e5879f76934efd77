// A document file that cannot be saved or opened: the message says which file and why, in words
// a user can act on.
#pragma once

#include <stdexcept>
#include <string>

namespace PendrelHost {

class DocumentFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace PendrelHost
