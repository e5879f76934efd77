// The temporary-folder, temporary-file-name and full-path services.
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "platform/win32/files.h"
#include "platform/win32/utf8_path.h"

namespace {

// Copies text with its NUL when it fits: the length without the NUL; else the size the buffer
// needs, NUL included.
DWORD Deliver(const std::u16string& text, DWORD bufferUnits, LPWSTR buffer) {
  const auto length = static_cast<DWORD>(text.size());
  if (!buffer || bufferUnits <= length) return length + 1;
  text.copy(buffer, length);
  buffer[length] = u'\0';
  return length;
}

std::string TemporaryFolder() {
  const char* folder = std::getenv("TMPDIR");
  std::string path = folder && *folder ? folder : "/tmp";
  if (!path.ends_with('/')) path += '/';
  return path;
}

std::string TemporaryFileName(std::string folder, const std::u16string& prefix, UINT number) {
  if (!folder.empty() && !folder.ends_with('/')) folder += '/';
  std::string start;
  win32::Utf8PathFromName(prefix.substr(0, 3).c_str(), start);
  char digits[16];
  std::snprintf(digits, sizeof digits, "%X", number & 0xFFFF);
  return folder + start + digits + ".tmp";
}

// Numbers to try first, spread over processes and calls.
UINT NextCandidate() {
  static std::atomic<UINT> next{static_cast<UINT>(getpid()) * 2654435761u ^
                                static_cast<UINT>(std::time(nullptr))};
  return next.fetch_add(1) & 0xFFFF;
}

}  // namespace

DWORD GetTempPathW(DWORD bufferUnits, LPWSTR buffer) {
  return Deliver(win32::NameFromUtf8Path(TemporaryFolder()), bufferUnits, buffer);
}

UINT GetTempFileNameW(LPCWSTR path, LPCWSTR prefix, UINT unique, LPWSTR tempFileName) {
  std::string folder;
  if (!win32::Utf8PathFromName(path, folder) || !tempFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::u16string start = prefix ? prefix : u"";
  std::string name;
  UINT number = unique & 0xFFFF;
  if (unique == 0) {
    // The file is created here, so that the number stays ours.
    for (int attempt = 0; attempt < 0x10000; ++attempt) {
      number = NextCandidate();
      if (number == 0) continue;
      name = TemporaryFileName(folder, start, number);
      const int descriptor = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
      if (descriptor >= 0) {
        close(descriptor);
        break;
      }
      if (errno != EEXIST) {
        SetLastError(win32::Win32ErrorFromErrno(errno));
        return 0;
      }
      name.clear();
    }
    if (name.empty()) {
      SetLastError(ERROR_FILE_EXISTS);
      return 0;
    }
  } else {
    name = TemporaryFileName(folder, start, number);
  }
  const std::u16string wide = win32::NameFromUtf8Path(name);
  if (wide.size() >= MAX_PATH) {
    if (unique == 0) unlink(name.c_str());
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return 0;
  }
  Deliver(wide, MAX_PATH, tempFileName);
  SetLastError(ERROR_SUCCESS);
  return unique == 0 ? number : unique;
}

DWORD GetFullPathNameW(LPCWSTR name, DWORD bufferUnits, LPWSTR buffer, LPWSTR* filePart) {
  if (filePart) *filePart = nullptr;
  std::string path;
  if (!win32::Utf8PathFromName(name, path) || path.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) {
    SetLastError(win32::Win32ErrorFromErrno(error.value()));
    return 0;
  }
  const std::u16string full = win32::NameFromUtf8Path(absolute.lexically_normal().string());
  const DWORD result = Deliver(full, bufferUnits, buffer);
  if (result < bufferUnits && filePart) {
    const auto slash = full.find_last_of(u'/');
    if (slash + 1 < full.size()) *filePart = buffer + slash + 1;
  }
  return result;
}
