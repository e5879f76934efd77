// The lines of a byte source, one at a time and without their line ends (LF or CR LF), read in
// blocks so that a file of any size is never held whole. A line's view stays valid until the
// next call. Owned by the reader that reads the lines, for as long as it reads them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "host/recording/byte_source.h"

namespace PendrelHost {

class LineReader {
 public:
  // Lines longer than this are refused: no text recording has them, and a binary file read as
  // text could otherwise fill the memory with one.
  static constexpr std::size_t kLongestLine = std::size_t(16) << 20;

  explicit LineReader(ByteSource& source);

  // The next line; false after the last. Throws RecordingError for a line that is too long.
  bool Next(std::string_view& line);
  // Every whole line read so far and not yet taken, as one block with their line ends (the last
  // line of the source may lack its own); empty after the last. Readers that find the line ends
  // themselves take lines from it with Take.
  std::string_view Lines();
  // Takes `bytes` of the block from Lines, holding `lines` lines.
  void Take(std::size_t bytes, std::size_t lines);
  // The number of the line last returned, from 1.
  std::size_t Number() const { return m_number; }
  // Bytes of the source read as lines so far.
  uint64_t Consumed() const { return m_consumed; }
  // Back to the first line.
  void Restart();

 private:
  void Fill();

  ByteSource& m_source;
  std::vector<char> m_buffer;
  std::size_t m_begin = 0;
  std::size_t m_end = 0;
  bool m_ended = false;
  std::size_t m_number = 0;
  uint64_t m_consumed = 0;
};

}  // namespace PendrelHost
