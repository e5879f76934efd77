#include "host/cli/channel_printer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "host/channels/event_cursor.h"
#include "host/cli/csv_numbers.h"
#include "host/channels/sample_cursor.h"

namespace PendrelHost {

namespace {

constexpr std::size_t kSamplesPerRead = 65536;

// The record's ticks within the range, clamped to [0, ticks).
std::pair<int64_t, int64_t> TickRange(const Recording& recording, const TimeRange& range, int64_t ticks) {
  const auto clampTick = [&](double seconds) {
    const double tick = std::ceil(seconds * recording.SampleRate() - 1e-9);
    return static_cast<int64_t>(std::clamp(tick, 0.0, static_cast<double>(ticks)));
  };
  return {clampTick(range.from), clampTick(range.to)};
}

}  // namespace

void PrintSamples(const Recording& recording, const ChannelValue& channel, const TimeRange& range, std::FILE* out) {
  std::fputs("time_s,value\n", out);
  std::vector<float> values(kSamplesPerRead);
  std::string lines;
  for (std::size_t record = 0; record < recording.RecordCount(); ++record) {
    const auto [first, last] = TickRange(recording, range, channel.samples->Extent(record).available);
    SampleCursor cursor(channel.samples, record, first);
    const double start = recording.RecordStartTime(record);
    while (cursor.Position() < last) {
      const int64_t tick = cursor.Position();
      const std::size_t wanted = static_cast<std::size_t>(std::min<int64_t>(last - tick, kSamplesPerRead));
      const std::size_t read = cursor.Read(std::span<float>(values).first(wanted));
      if (read == 0) break;
      lines.clear();
      for (std::size_t i = 0; i < read; ++i) {
        AppendTime(lines, start + static_cast<double>(tick + static_cast<int64_t>(i)) * recording.TickPeriod());
        lines += ',';
        AppendShortest(lines, values[i]);
        lines += '\n';
      }
      std::fwrite(lines.data(), 1, lines.size(), out);
    }
  }
}

void PrintEvents(const Recording& recording, const ChannelValue& channel, const TimeRange& range, std::FILE* out) {
  std::fputs("record,tick,time_s,value\n", out);
  const std::size_t size = channel.events->RecordSize();
  std::vector<std::byte> buffer(size * 256);
  std::string lines;
  for (std::size_t record = 0; record < recording.RecordCount(); ++record) {
    const auto [first, last] = TickRange(recording, range, recording.TickCount(record));
    EventCursor cursor(channel.events, record, first, last);
    while (true) {
      const EventBatch batch = cursor.Next(last, buffer);
      lines.clear();
      for (std::size_t i = 0; i < batch.fetched; ++i) {
        const std::byte* event = buffer.data() + i * size;
        const int32_t tick = EventTick(event);
        const double ticks = tick + static_cast<double>(EventFraction(event, size));
        lines += std::to_string(record) + ',' + std::to_string(tick) + ',';
        AppendTime(lines, recording.RecordStartTime(record) + ticks * recording.TickPeriod());
        lines += ',';
        AppendShortest(lines, EventValue(event, size));
        lines += '\n';
      }
      std::fwrite(lines.data(), 1, lines.size(), out);
      // A closed record's events all come; a growing one's stop where they are not final yet.
      if (batch.ended || batch.next >= last || batch.fetched == 0) break;
    }
  }
}

}  // namespace PendrelHost
