#include "platform/win32/last_error.h"

#include <cerrno>

#include "platform/win32/hresult.h"

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}

DWORD GetLastError() { return lastError; }

void SetLastError(DWORD code) { lastError = code; }

namespace win32 {

DWORD Win32ErrorFromErrno(int error) {
  struct Mapping {
    int error;
    DWORD code;
  };
  static constexpr Mapping table[] = {
      {0, ERROR_SUCCESS},
      {EPERM, ERROR_ACCESS_DENIED},
      {ENOENT, ERROR_FILE_NOT_FOUND},
      {EIO, ERROR_IO_DEVICE},
      {EBADF, ERROR_INVALID_HANDLE},
      {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},
      {EACCES, ERROR_ACCESS_DENIED},
      {EBUSY, ERROR_BUSY},
      {EEXIST, ERROR_FILE_EXISTS},
      {ENOTDIR, ERROR_PATH_NOT_FOUND},
      {EISDIR, ERROR_DIRECTORY},
      {EINVAL, ERROR_INVALID_PARAMETER},
      {ENFILE, ERROR_TOO_MANY_OPEN_FILES},
      {EMFILE, ERROR_TOO_MANY_OPEN_FILES},
      {EFBIG, ERROR_DISK_FULL},
      {ENOSPC, ERROR_DISK_FULL},
      {EROFS, ERROR_WRITE_PROTECT},
      {EPIPE, ERROR_BROKEN_PIPE},
      {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
      {ENOTEMPTY, ERROR_DIR_NOT_EMPTY},
      {EAGAIN, ERROR_LOCK_VIOLATION},
      {EDEADLK, ERROR_LOCK_VIOLATION},
      {ENOLCK, ERROR_LOCK_VIOLATION},
      {ETIMEDOUT, ERROR_TIMEOUT},
      {ENOTSUP, ERROR_NOT_SUPPORTED},
      {EILSEQ, ERROR_NO_UNICODE_TRANSLATION},
  };
  for (const Mapping& m : table) {
    if (m.error == error) return m.code;
  }
  return ERROR_INVALID_FUNCTION;
}

}  // namespace win32
