#include "host/recording/byte_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "host/recording/recording_error.h"

namespace PendrelHost {

namespace {

class FileBytes : public ByteSource {
 public:
  FileBytes(int descriptor, uint64_t size, std::string name)
      : m_descriptor(descriptor), m_size(size), m_name(std::move(name)) {}
  ~FileBytes() override { ::close(m_descriptor); }

  const std::string& Name() const override { return m_name; }
  uint64_t Size() const override { return m_size; }

  std::size_t Read(std::span<char> into) override {
    std::size_t total = 0;
    while (total < into.size()) {
      const ssize_t read = ::read(m_descriptor, into.data() + total, into.size() - total);
      if (read < 0 && errno == EINTR) continue;
      if (read < 0) throw RecordingError(m_name + ": reading failed: " + std::strerror(errno));
      if (read == 0) break;
      total += static_cast<std::size_t>(read);
    }
    return total;
  }

  void SeekTo(uint64_t position) override {
    if (::lseek(m_descriptor, static_cast<off_t>(std::min(position, m_size)), SEEK_SET) < 0) {
      throw RecordingError(m_name + ": reading failed: " + std::strerror(errno));
    }
  }

 private:
  int m_descriptor;
  uint64_t m_size;
  std::string m_name;
};

class MemoryBytesSource : public ByteSource {
 public:
  MemoryBytesSource(std::string_view bytes, std::string name)
      : m_bytes(bytes), m_name(std::move(name)) {}

  const std::string& Name() const override { return m_name; }
  uint64_t Size() const override { return m_bytes.size(); }

  std::size_t Read(std::span<char> into) override {
    const std::size_t count = std::min(into.size(), m_bytes.size() - m_position);
    std::copy_n(m_bytes.data() + m_position, count, into.data());
    m_position += count;
    return count;
  }

  void SeekTo(uint64_t position) override {
    m_position = static_cast<std::size_t>(std::min<uint64_t>(position, m_bytes.size()));
  }

 private:
  std::string_view m_bytes;
  std::string m_name;
  std::size_t m_position = 0;
};

}  // namespace

std::unique_ptr<ByteSource> OpenFileBytes(const std::filesystem::path& path) {
  const std::string name = path.string();
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) throw RecordingError(name + ": no such file");
    throw RecordingError(name + ": cannot be opened for reading: " + std::strerror(errno));
  }
  if (S_ISDIR(status.st_mode)) throw RecordingError(name + ": is a folder, not a file");
  if (!S_ISREG(status.st_mode)) throw RecordingError(name + ": is not a regular file");
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    throw RecordingError(name + ": cannot be opened for reading: " + std::strerror(errno));
  }
  return std::make_unique<FileBytes>(descriptor, static_cast<uint64_t>(status.st_size), name);
}

std::unique_ptr<ByteSource> MemoryBytes(std::string_view bytes, std::string name) {
  return std::make_unique<MemoryBytesSource>(bytes, std::move(name));
}

}  // namespace PendrelHost
