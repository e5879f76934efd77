#include "views/export/replacing_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"

namespace Rhyth {

namespace {

// New files get the permissions the user's umask leaves, as any file the user makes.
constexpr mode_t kNewFileMode = 0666;
constexpr int kNameAttempts = 100;

// A hidden name beside the target, unique to this process and attempt.
std::string PartialName(const std::string& target, int attempt) {
  const std::filesystem::path path(target);
  std::string name(".");
  name.append(path.filename().string());
  for (const long number : {long(::getpid()), long(attempt)}) {
    name.push_back('.');
    name.append(std::to_string(number));
  }
  name.append(".partial");
  return (path.parent_path() / name).string();
}

}  // namespace

const FileCalls& SystemFileCalls() {
  static const FileCalls calls{&::write, &::close};
  return calls;
}

HRESULT HResultFromErrno(int error) {
  return HRESULT_FROM_WIN32(win32::Win32ErrorFromErrno(error));
}

ReplacingFile::ReplacingFile(std::string target, const FileCalls& calls)
    : m_target(std::move(target)), m_calls(calls) {}

ReplacingFile::~ReplacingFile() { Discard(); }

HRESULT ReplacingFile::Open() {
  if (m_target.empty()) return HResultFromErrno(ENOENT);
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string partial = PartialName(m_target, attempt);
    m_descriptor = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
    if (m_descriptor >= 0) {
      m_partial = partial;
      return S_OK;
    }
    if (errno != EEXIST) return HResultFromErrno(errno);
  }
  return HResultFromErrno(EEXIST);
}

HRESULT ReplacingFile::Write(const char* data, std::size_t size) {
  if (m_descriptor < 0) return HResultFromErrno(EBADF);
  while (size > 0) {
    const ssize_t written = m_calls.write(m_descriptor, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return HResultFromErrno(written < 0 ? errno : ENOSPC);
    data += written;
    size -= std::size_t(written);
  }
  return S_OK;
}

HRESULT ReplacingFile::Commit() {
  if (m_descriptor < 0) return HResultFromErrno(EBADF);
  const int descriptor = m_descriptor;
  m_descriptor = -1;
  // A close can report a write the system deferred: the file is then not complete.
  if (m_calls.close(descriptor) != 0) return HResultFromErrno(errno);
  if (std::rename(m_partial.c_str(), m_target.c_str()) != 0) return HResultFromErrno(errno);
  m_partial.clear();
  return S_OK;
}

void ReplacingFile::Discard() {
  if (m_descriptor >= 0) ::close(m_descriptor);
  m_descriptor = -1;
  if (!m_partial.empty()) ::unlink(m_partial.c_str());
  m_partial.clear();
}

}  // namespace Rhyth
