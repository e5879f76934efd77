#include "host/recording/recording.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "host/recording/recording_error.h"

namespace PendrelHost {

namespace {

// Ticks travel to modules as 32-bit words.
constexpr int64_t kMaxTicksPerRecord = std::numeric_limits<int32_t>::max();

std::string RateText(double rate) {
  char text[32];
  std::snprintf(text, sizeof text, "%g Hz", rate);
  return text;
}

}  // namespace

void Recording::SetSampleRate(double sampleRate) {
  if (!m_channels.empty() || !m_eventChannels.empty() || !m_records.empty()) {
    throw RecordingError("the sample rate of a recording with channels cannot change");
  }
  m_sampleRate = Recording(sampleRate).m_sampleRate;
}

Recording::Recording(double sampleRate) : m_sampleRate(sampleRate) {
  // Rounding of rates read from files must not refuse the limits themselves.
  constexpr double kSlack = 1e-9;
  if (!(sampleRate >= kMinSampleRate * (1 - kSlack) && sampleRate <= kMaxSampleRate * (1 + kSlack))) {
    throw RecordingError("the sample rate " + RateText(sampleRate) + " is outside " +
                         RateText(kMinSampleRate) + " to " + RateText(kMaxSampleRate));
  }
}

std::size_t Recording::AddChannel(ChannelInfo info) {
  if (!m_records.empty()) throw RecordingError("channels are added before the first record");
  m_channels.push_back(std::move(info));
  return m_channels.size() - 1;
}

std::size_t Recording::AddEventChannel(ChannelInfo info) {
  if (!m_records.empty()) throw RecordingError("channels are added before the first record");
  m_eventChannels.push_back(std::move(info));
  return m_eventChannels.size() - 1;
}

std::size_t Recording::AddRecord(double startTime) {
  Record record;
  record.startTime = startTime;
  record.samples.resize(m_channels.size());
  record.events.resize(m_eventChannels.size());
  m_records.push_back(std::move(record));
  return m_records.size() - 1;
}

const Recording::Record& Recording::At(std::size_t record) const {
  if (record >= m_records.size()) {
    throw RecordingError("record " + std::to_string(record + 1) + " does not exist (the recording has " +
                         std::to_string(m_records.size()) + ")");
  }
  return m_records[record];
}

Recording::Record& Recording::OpenRecord(std::size_t record) {
  Record& found = const_cast<Record&>(At(record));
  if (found.closed) throw RecordingError("record " + std::to_string(record + 1) + " is closed");
  return found;
}

void Recording::AppendSamples(std::size_t record, std::span<const std::span<const float>> channels) {
  Record& target = OpenRecord(record);
  CheckBlock(record, target, channels);
  if (channels.empty()) return;
  for (std::size_t channel = 0; channel < channels.size(); ++channel) {
    target.samples[channel].insert(target.samples[channel].end(), channels[channel].begin(),
                                   channels[channel].end());
  }
  target.tickCount += static_cast<int64_t>(channels.front().size());
}

void Recording::CheckBlock(std::size_t record, const Record& target,
                           std::span<const std::span<const float>> channels) const {
  if (channels.size() != m_channels.size()) {
    throw RecordingError("a block of samples needs one part per channel (" +
                         std::to_string(m_channels.size()) + "), not " + std::to_string(channels.size()));
  }
  if (channels.empty()) return;
  const std::size_t length = channels.front().size();
  for (const auto& block : channels) {
    if (block.size() != length) throw RecordingError("every channel's part of a block has the same length");
  }
  if (target.tickCount + static_cast<int64_t>(length) > kMaxTicksPerRecord) {
    throw RecordingError("record " + std::to_string(record + 1) + " would exceed 2^31 - 1 ticks");
  }
}

void Recording::AppendSamples(std::size_t record, std::vector<std::vector<float>>&& channels) {
  Record& target = OpenRecord(record);
  const std::vector<std::span<const float>> parts(channels.begin(), channels.end());
  if (target.tickCount != 0) return AppendSamples(record, parts);
  CheckBlock(record, target, parts);
  if (channels.empty()) return;
  target.tickCount = static_cast<int64_t>(channels.front().size());
  target.samples = std::move(channels);
}

void Recording::ReserveTicks(std::size_t record, int64_t ticks) {
  Record& target = OpenRecord(record);
  if (ticks <= 0 || ticks > kMaxTicksPerRecord) return;
  for (std::vector<float>& samples : target.samples) samples.reserve(static_cast<std::size_t>(ticks));
}

void Recording::AddEvent(std::size_t record, std::size_t eventChannel, const EventRecord& event) {
  Record& target = OpenRecord(record);
  if (eventChannel >= target.events.size()) {
    throw RecordingError("event channel " + std::to_string(eventChannel + 1) + " does not exist");
  }
  target.events[eventChannel].Append(event);
}

void Recording::CloseRecord(std::size_t record) { OpenRecord(record).closed = true; }

std::span<const float> Recording::Samples(std::size_t record, std::size_t channel) const {
  const Record& found = At(record);
  if (channel >= found.samples.size()) {
    throw RecordingError("channel " + std::to_string(channel + 1) + " does not exist (the recording has " +
                         std::to_string(found.samples.size()) + ")");
  }
  return found.samples[channel];
}

const EventRecords& Recording::Events(std::size_t record, std::size_t eventChannel) const {
  const Record& found = At(record);
  if (eventChannel >= found.events.size()) {
    throw RecordingError("event channel " + std::to_string(eventChannel + 1) + " does not exist");
  }
  return found.events[eventChannel];
}

void Recording::Select(std::optional<Selection> selection) {
  if (selection) {
    const auto inside = [&](const RecordPosition& at) {
      return at.record < m_records.size() && at.tick >= 0 && at.tick <= m_records[at.record].tickCount;
    };
    if (!inside(selection->start) || !inside(selection->end) || selection->end < selection->start) {
      throw RecordingError("the selection lies outside the recording's data");
    }
  }
  m_selection = selection;
}

}  // namespace PendrelHost
