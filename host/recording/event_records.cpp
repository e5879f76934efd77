#include "host/recording/event_records.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace PendrelHost {

EventRecords::EventRecords(std::size_t recordSize) : m_recordSize(recordSize) {
  if (recordSize < sizeof(int32_t)) throw std::invalid_argument("an event record holds at least its tick");
}

int32_t EventTick(const std::byte* record) {
  int32_t tick;
  std::memcpy(&tick, record, sizeof tick);
  return tick;
}

float EventFraction(const std::byte* record, std::size_t size) {
  if (size < offsetof(EventRecord, fraction) + sizeof(float)) return 0.0f;
  float fraction;
  std::memcpy(&fraction, record + offsetof(EventRecord, fraction), sizeof fraction);
  return fraction;
}

double EventValue(const std::byte* record, std::size_t size) {
  if (size < sizeof(EventRecord)) return std::numeric_limits<double>::quiet_NaN();
  double value;
  std::memcpy(&value, record + offsetof(EventRecord, value), sizeof value);
  return value;
}

void EventRecords::Append(const void* record) {
  const auto* bytes = static_cast<const std::byte*>(record);
  const int32_t tick = EventTick(bytes);
  // Events after the last one (the usual case) go at the end without a search.
  std::size_t at = Count();
  if (at > 0 && Tick(at - 1) > tick) {
    at = LowerBound(int64_t{tick} + 1);
  }
  m_bytes.insert(m_bytes.begin() + static_cast<std::ptrdiff_t>(at * m_recordSize), bytes,
                 bytes + m_recordSize);
}

void EventRecords::Append(const EventRecord& record) {
  if (m_recordSize == sizeof record) {
    Append(static_cast<const void*>(&record));
    return;
  }
  std::vector<std::byte> full(m_recordSize);
  std::memcpy(full.data(), &record, std::min(m_recordSize, sizeof record));
  Append(full.data());
}

std::size_t EventRecords::LowerBound(int64_t tick) const {
  std::size_t low = 0;
  std::size_t high = Count();
  while (low < high) {
    const std::size_t middle = (low + high) / 2;
    if (Tick(middle) < tick) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

}  // namespace PendrelHost
