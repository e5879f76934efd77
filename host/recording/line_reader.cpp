#include "host/recording/line_reader.h"

#include <cstring>
#include <string>

#include "host/recording/recording_error.h"

namespace PendrelHost {

namespace {

constexpr std::size_t kBlockBytes = std::size_t(1) << 20;

}  // namespace

LineReader::LineReader(ByteSource& source) : m_source(source), m_buffer(kBlockBytes) {}

bool LineReader::Next(std::string_view& line) {
  for (;;) {
    const char* start = m_buffer.data() + m_begin;
    const std::size_t available = m_end - m_begin;
    const auto* newline = static_cast<const char*>(std::memchr(start, '\n', available));
    if (newline || (m_ended && available > 0)) {
      const std::size_t length = newline ? std::size_t(newline - start) : available;
      const std::size_t taken = newline ? length + 1 : length;
      m_begin += taken;
      m_consumed += taken;
      ++m_number;
      line = std::string_view(start, length);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      return true;
    }
    if (m_ended) return false;
    Fill();
  }
}

// Moves the part of a line already read to the front and reads more after it.
void LineReader::Fill() {
  if (m_begin > 0) {
    std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
    m_end -= m_begin;
    m_begin = 0;
  }
  if (m_end == m_buffer.size()) {
    if (m_buffer.size() >= kLongestLine) {
      throw RecordingError(m_source.Name() + ":" + std::to_string(m_number + 1) +
                           ": the line is longer than " + std::to_string(kLongestLine >> 20) +
                           " MB");
    }
    m_buffer.resize(m_buffer.size() * 2);
  }
  const std::size_t read =
      m_source.Read(std::span<char>(m_buffer.data() + m_end, m_buffer.size() - m_end));
  m_end += read;
  m_ended = read == 0;
}

void LineReader::Restart() {
  m_source.SeekTo(0);
  m_begin = m_end = 0;
  m_ended = false;
  m_number = 0;
  m_consumed = 0;
}

}  // namespace PendrelHost
