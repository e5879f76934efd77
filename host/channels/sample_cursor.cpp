#include "host/channels/sample_cursor.h"

#include <algorithm>

namespace PendrelHost {

SampleCursor::SampleCursor(std::shared_ptr<SignalNode> channel, std::size_t record, int64_t position)
    : m_channel(std::move(channel)), m_record(record), m_position(std::max<int64_t>(position, 0)) {}

std::size_t SampleCursor::Read(std::span<float> values) {
  const int64_t available = Extent().available;
  const int64_t count = std::clamp<int64_t>(available - m_position, 0, static_cast<int64_t>(values.size()));
  if (count > 0) m_channel->Read(m_record, m_position, values.first(static_cast<std::size_t>(count)));
  m_position += count;
  return static_cast<std::size_t>(count);
}

int64_t SampleCursor::Skip(int64_t ticks) {
  const int64_t target = std::clamp<int64_t>(m_position + ticks, 0, std::max(Extent().available, m_position));
  const int64_t moved = target - m_position;
  m_position = target;
  return moved;
}

}  // namespace PendrelHost
