// The bytes of a recording file, read front to back in blocks: from a file on disk, or from
// memory for the tests and for fuzzing. Every reader of recording files takes its bytes through
// one; the reader that opens it owns it for as long as it reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace PendrelHost {

class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // The name that stands for the bytes in messages.
  virtual const std::string& Name() const = 0;
  virtual uint64_t Size() const = 0;
  // Up to into.size() bytes from the current position; fewer only at the end. Throws
  // RecordingError when reading fails.
  virtual std::size_t Read(std::span<char> into) = 0;
  // Moves the position; a position past the end reads nothing.
  virtual void SeekTo(uint64_t position) = 0;
};

// Throws RecordingError naming the file when it is missing, a folder, not a regular file (a
// device or a pipe could be read forever), or cannot be opened.
std::unique_ptr<ByteSource> OpenFileBytes(const std::filesystem::path& path);

// Bytes the caller keeps alive for as long as the source is read.
std::unique_ptr<ByteSource> MemoryBytes(std::string_view bytes, std::string name);

}  // namespace PendrelHost
