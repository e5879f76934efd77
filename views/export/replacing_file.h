// A file that replaces its target only once it is complete: written as a new file in the
// target's folder and renamed over the target by Commit, so that a failure at any step leaves
// no partial file and whatever stood at the target as it was. Owned by one save for its length;
// an uncommitted file is removed when the object goes. The target is a UTF-8 path.
#pragma once

#include <cstddef>
#include <string>

#include <sys/types.h>

#include "platform/win32/types.h"

namespace Rhyth {

// The system calls on the open file; a test replaces them to make a write or the close fail.
struct FileCalls {
  ssize_t (*write)(int descriptor, const void* data, std::size_t size);
  int (*close)(int descriptor);
};
const FileCalls& SystemFileCalls();

// The HRESULT of an errno value, as the platform reports system errors.
HRESULT HResultFromErrno(int error);

class ReplacingFile {
 public:
  explicit ReplacingFile(std::string target, const FileCalls& calls = SystemFileCalls());
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Makes the new file beside the target: S_OK or the system's error.
  HRESULT Open();
  // All the bytes, or the system's error.
  HRESULT Write(const char* data, std::size_t size);
  // Closes the new file and moves it over the target: S_OK or the system's error.
  HRESULT Commit();

 private:
  void Discard();

  std::string m_target;
  std::string m_partial;
  const FileCalls& m_calls;
  int m_descriptor = -1;
};

}  // namespace Rhyth
