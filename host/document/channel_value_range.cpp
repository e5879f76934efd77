#include "host/document/channel_value_range.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "host/channels/sample_cursor.h"

namespace PendrelHost {

namespace {

// Samples read at a time: a computed channel is evaluated block by block.
constexpr std::size_t kBlock = 4096;

void Widen(std::optional<ValueRange>& range, double value) {
  if (std::isnan(value)) return;
  if (!range) {
    range = ValueRange{value, value};
    return;
  }
  range->minimum = std::min(range->minimum, value);
  range->maximum = std::max(range->maximum, value);
}

void WidenBySamples(std::optional<ValueRange>& range, const ChannelValue& channel,
                    std::size_t record) {
  SampleCursor cursor(channel.samples, record, 0);
  std::vector<float> block(kBlock);
  for (std::size_t read; (read = cursor.Read(block)) > 0;) {
    for (std::size_t i = 0; i < read; ++i) Widen(range, block[i]);
  }
}

void WidenByEvents(std::optional<ValueRange>& range, const ChannelValue& channel,
                   std::size_t record) {
  channel.events->SettleTo(record, kAllSettled);
  const EventRecords& events = channel.events->Found(record);
  for (std::size_t i = 0; i < events.Count(); ++i) Widen(range, events.Value(i));
}

}  // namespace

std::optional<ValueRange> ChannelValueRange(const ChannelValue& channel, std::size_t first,
                                            std::size_t last) {
  std::optional<ValueRange> range;
  for (std::size_t record = first; record <= last; ++record) {
    if (channel.IsSamples()) WidenBySamples(range, channel, record);
    if (channel.IsEvents()) WidenByEvents(range, channel, record);
  }
  return range;
}

}  // namespace PendrelHost
