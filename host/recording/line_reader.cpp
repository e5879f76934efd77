#include "host/recording/line_reader.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "host/recording/recording_error.h"

namespace PendrelHost {

namespace {

constexpr std::size_t kBlockBytes = std::size_t(1) << 20;

}  // namespace

// A small source needs no more than its own size (and a byte to see its end).
LineReader::LineReader(ByteSource& source)
    : m_source(source), m_buffer(std::size_t(std::min<uint64_t>(kBlockBytes, source.Size() + 1))) {}

bool LineReader::Next(std::string_view& line) {
  const std::string_view lines = Lines();
  if (lines.empty()) return false;
  const std::size_t newline = lines.find('\n');
  line = lines.substr(0, newline);
  Take(newline == std::string_view::npos ? line.size() : line.size() + 1, 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return true;
}

std::string_view LineReader::Lines() {
  for (;;) {
    const std::string_view unread(m_buffer.data() + m_begin, m_end - m_begin);
    if (m_ended) return unread;
    const std::size_t lastNewline = unread.rfind('\n');
    if (lastNewline != std::string_view::npos) return unread.substr(0, lastNewline + 1);
    Fill();
  }
}

void LineReader::Take(std::size_t bytes, std::size_t lines) {
  m_begin += bytes;
  m_consumed += bytes;
  m_number += lines;
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
