// Files as kernel objects over POSIX descriptors. Reads and writes use pread and pwrite at the
// handle's own position, so that the descriptor's offset never matters.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <string>
#include <vector>

#include "platform/win32/files.h"
#include "platform/win32/utf8_path.h"

namespace {

struct LockedRange {
  ULONGLONG offset;
  ULONGLONG count;
};

class FileObject final : public win32::KernelObject {
 public:
  FileObject(int descriptor, bool writable, std::string pathToDelete)
      : descriptor(descriptor), writable(writable), pathToDelete(std::move(pathToDelete)) {}
  ~FileObject() override {
    if (!pathToDelete.empty()) DeleteIfStillOurs();
    close(descriptor);
  }
  FileObject(const FileObject&) = delete;
  FileObject& operator=(const FileObject&) = delete;

  const int descriptor;
  const bool writable;
  ULONGLONG position = 0;
  std::vector<LockedRange> locks;

 private:
  // The name may have been given to another file meanwhile; that one is not ours to delete.
  void DeleteIfStillOurs() const {
    struct stat named, opened;
    if (stat(pathToDelete.c_str(), &named) == 0 && fstat(descriptor, &opened) == 0 &&
        named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) {
      unlink(pathToDelete.c_str());
    }
  }

  const std::string pathToDelete;
};

BOOL FailWithErrno(int error) {
  SetLastError(win32::Win32ErrorFromErrno(error));
  return FALSE;
}

HANDLE FailToOpen(DWORD code) {
  SetLastError(code);
  return INVALID_HANDLE_VALUE;
}

int AccessFlags(DWORD access) {
  const bool read = access & GENERIC_READ;
  const bool write = access & GENERIC_WRITE;
  if (read && write) return O_RDWR;
  return write ? O_WRONLY : O_RDONLY;
}

std::string AbsolutePath(const std::string& path) {
  if (path.starts_with('/')) return path;
  char folder[PATH_MAX];
  if (!getcwd(folder, sizeof folder)) return path;
  return std::string(folder) + "/" + path;
}

// Opens the file as the disposition asks; `existed` tells whether it was there before.
int OpenForDisposition(const std::string& path, int flags, DWORD disposition, bool& existed) {
  existed = true;
  switch (disposition) {
    case CREATE_NEW:
      existed = false;
      return open(path.c_str(), flags | O_CREAT | O_EXCL, 0666);
    case CREATE_ALWAYS:
    case OPEN_ALWAYS: {
      const int created = open(path.c_str(), flags | O_CREAT | O_EXCL, 0666);
      if (created >= 0 || errno != EEXIST) {
        existed = false;
        return created;
      }
      return open(path.c_str(), flags);
    }
    case OPEN_EXISTING:
    case TRUNCATE_EXISTING:
      return open(path.c_str(), flags);
    default:
      errno = EINVAL;
      return -1;
  }
}

FileObject* File(HANDLE handle) { return win32::ObjectFromHandleAs<FileObject>(handle); }

bool Overlaps(const LockedRange& a, const LockedRange& b) {
  return a.offset < b.offset + b.count && b.offset < a.offset + a.count;
}

// A POSIX lock length is signed: the range is cut where off_t ends.
struct flock RangeLock(short type, ULONGLONG offset, ULONGLONG count) {
  struct flock lock = {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  const ULONGLONG limit = static_cast<ULONGLONG>(LLONG_MAX);
  lock.l_start = static_cast<off_t>(std::min(offset, limit));
  lock.l_len = static_cast<off_t>(std::min(count, limit - static_cast<ULONGLONG>(lock.l_start)));
  return lock;
}

ULONGLONG Join(DWORD low, DWORD high) { return (ULONGLONG{high} << 32) | low; }

FILETIME FileTimeFrom(const struct statx_timestamp& time) {
  constexpr ULONGLONG kSecondsFrom1601To1970 = 11644473600ull;
  const ULONGLONG ticks =
      (static_cast<ULONGLONG>(time.tv_sec) + kSecondsFrom1601To1970) * 10000000ull +
      time.tv_nsec / 100;
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace

HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD shareMode, SECURITY_ATTRIBUTES*,
                   DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile) {
  if (templateFile) return FailToOpen(ERROR_NOT_SUPPORTED);
  std::string path;
  if (!win32::Utf8PathFromName(name, path) || path.empty()) return FailToOpen(ERROR_INVALID_NAME);
  const int flags = AccessFlags(access) | O_CLOEXEC;
  bool existed = false;
  const int descriptor = OpenForDisposition(path, flags, disposition, existed);
  if (descriptor < 0) return FailToOpen(win32::Win32ErrorFromErrno(errno));
  // Sharing is settled before anything changes, so that a refused opener truncates nothing.
  if (flock(descriptor, (shareMode == 0 ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
    close(descriptor);
    return FailToOpen(ERROR_SHARING_VIOLATION);
  }
  const bool truncate =
      (disposition == CREATE_ALWAYS && existed) || disposition == TRUNCATE_EXISTING;
  if (truncate && ftruncate(descriptor, 0) != 0) {
    const int error = errno;
    close(descriptor);
    return FailToOpen(win32::Win32ErrorFromErrno(error));
  }
  const bool deleteOnClose = flagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE;
  auto file = std::make_unique<FileObject>(descriptor, (access & GENERIC_WRITE) != 0,
                                           deleteOnClose ? AbsolutePath(path) : std::string());
  SetLastError(existed && (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS)
                   ? ERROR_ALREADY_EXISTS
                   : ERROR_SUCCESS);
  return win32::RegisterHandle(std::move(file));
}

BOOL ReadFile(HANDLE handle, LPVOID buffer, DWORD count, LPDWORD read, OVERLAPPED* overlapped) {
  if (read) *read = 0;
  FileObject* file = File(handle);
  if (!file) return FALSE;
  if (overlapped || (!buffer && count)) return FailWithErrno(EINVAL);
  DWORD done = 0;
  while (done < count) {
    const ssize_t n = pread(file->descriptor, static_cast<char*>(buffer) + done, count - done,
                            static_cast<off_t>(file->position + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      file->position += done;
      if (read) *read = done;
      return FailWithErrno(errno);
    }
    if (n == 0) break;  // the end of the file
    done += static_cast<DWORD>(n);
  }
  file->position += done;
  if (read) *read = done;
  return TRUE;
}

BOOL WriteFile(HANDLE handle, LPCVOID buffer, DWORD count, LPDWORD written,
               OVERLAPPED* overlapped) {
  if (written) *written = 0;
  FileObject* file = File(handle);
  if (!file) return FALSE;
  if (overlapped || (!buffer && count)) return FailWithErrno(EINVAL);
  DWORD done = 0;
  while (done < count) {
    const ssize_t n = pwrite(file->descriptor, static_cast<const char*>(buffer) + done,
                             count - done, static_cast<off_t>(file->position + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : ENOSPC;
      file->position += done;
      if (written) *written = done;
      return FailWithErrno(error);
    }
    done += static_cast<DWORD>(n);
  }
  file->position += done;
  if (written) *written = done;
  return TRUE;
}

BOOL SetFilePointerEx(HANDLE handle, LARGE_INTEGER distance, LARGE_INTEGER* newPosition,
                      DWORD method) {
  FileObject* file = File(handle);
  if (!file) return FALSE;
  LONGLONG base = 0;
  if (method == FILE_CURRENT) {
    base = static_cast<LONGLONG>(file->position);
  } else if (method == FILE_END) {
    struct stat status;
    if (fstat(file->descriptor, &status) != 0) return FailWithErrno(errno);
    base = status.st_size;
  } else if (method != FILE_BEGIN) {
    return FailWithErrno(EINVAL);
  }
  LONGLONG target = 0;
  if (__builtin_add_overflow(base, distance.QuadPart, &target)) return FailWithErrno(EINVAL);
  if (target < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return FALSE;
  }
  file->position = static_cast<ULONGLONG>(target);
  if (newPosition) newPosition->QuadPart = target;
  return TRUE;
}

BOOL SetEndOfFile(HANDLE handle) {
  FileObject* file = File(handle);
  if (!file) return FALSE;
  if (ftruncate(file->descriptor, static_cast<off_t>(file->position)) != 0) {
    return FailWithErrno(errno);
  }
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE handle) {
  FileObject* file = File(handle);
  if (!file) return FALSE;
  return fsync(file->descriptor) == 0 ? TRUE : FailWithErrno(errno);
}

BOOL GetFileSizeEx(HANDLE handle, LARGE_INTEGER* size) {
  FileObject* file = File(handle);
  if (!file) return FALSE;
  struct stat status;
  if (!size) return FailWithErrno(EINVAL);
  if (fstat(file->descriptor, &status) != 0) return FailWithErrno(errno);
  size->QuadPart = status.st_size;
  return TRUE;
}

BOOL GetFileTime(HANDLE handle, FILETIME* creation, FILETIME* access, FILETIME* write) {
  FileObject* file = File(handle);
  if (!file) return FALSE;
  struct statx status;
  if (statx(file->descriptor, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &status) != 0) {
    return FailWithErrno(errno);
  }
  // Without a birth time the last change of the contents stands in for it.
  if (creation)
    *creation = FileTimeFrom(status.stx_mask & STATX_BTIME ? status.stx_btime : status.stx_mtime);
  if (access) *access = FileTimeFrom(status.stx_atime);
  if (write) *write = FileTimeFrom(status.stx_mtime);
  return TRUE;
}

BOOL LockFile(HANDLE handle, DWORD offsetLow, DWORD offsetHigh, DWORD countLow, DWORD countHigh) {
  FileObject* file = File(handle);
  if (!file) return FALSE;
  const LockedRange range{Join(offsetLow, offsetHigh), Join(countLow, countHigh)};
  if (range.count == 0) return TRUE;  // a POSIX length of 0 would lock to the end of all files
  // Locks of one descriptor merge in POSIX; an overlap through the same handle is refused here.
  for (const LockedRange& held : file->locks) {
    if (Overlaps(held, range)) {
      SetLastError(ERROR_LOCK_VIOLATION);
      return FALSE;
    }
  }
  struct flock lock = RangeLock(file->writable ? F_WRLCK : F_RDLCK, range.offset, range.count);
  if (fcntl(file->descriptor, F_OFD_SETLK, &lock) != 0) {
    if (errno == EAGAIN || errno == EACCES) {
      SetLastError(ERROR_LOCK_VIOLATION);
      return FALSE;
    }
    return FailWithErrno(errno);
  }
  file->locks.push_back(range);
  return TRUE;
}

BOOL UnlockFile(HANDLE handle, DWORD offsetLow, DWORD offsetHigh, DWORD countLow, DWORD countHigh) {
  FileObject* file = File(handle);
  if (!file) return FALSE;
  const LockedRange range{Join(offsetLow, offsetHigh), Join(countLow, countHigh)};
  if (range.count == 0) return TRUE;
  auto held = std::find_if(file->locks.begin(), file->locks.end(), [&](const LockedRange& r) {
    return r.offset == range.offset && r.count == range.count;
  });
  if (held == file->locks.end()) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  struct flock lock = RangeLock(F_UNLCK, range.offset, range.count);
  if (fcntl(file->descriptor, F_OFD_SETLK, &lock) != 0) return FailWithErrno(errno);
  file->locks.erase(held);
  return TRUE;
}
