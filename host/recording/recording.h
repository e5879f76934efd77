// A recording document: records of sampled channels and event channels at one tick rate. A
// record grows while it is being sampled and is closed when its data is complete; the samples
// of every channel of a record reach the same tick. Not thread-safe: the document's owner
// serialises access.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/recording/event_records.h"
#include "host/recording/selection.h"

namespace PendrelHost {

struct ChannelInfo {
  std::string title;
  std::string unit;
};

class Recording {
 public:
  static constexpr double kMinSampleRate = 100.0;
  static constexpr double kMaxSampleRate = 2000.0;

  // Throws RecordingError for a rate outside kMinSampleRate to kMaxSampleRate.
  explicit Recording(double sampleRate);

  double SampleRate() const { return m_sampleRate; }
  double TickPeriod() const { return 1.0 / m_sampleRate; }
  // The rate of a recording that has neither channels nor records yet, which a device sets
  // when it starts; throws RecordingError otherwise, or for a rate outside the limits.
  void SetSampleRate(double sampleRate);

  // Seconds since 1970-01-01 00:00 of the document's start, when the source tells it.
  std::optional<double> StartDateTime() const { return m_startDateTime; }
  void SetStartDateTime(std::optional<double> seconds) { m_startDateTime = seconds; }

  // Channels are laid out before the first record.
  std::size_t AddChannel(ChannelInfo info);
  std::size_t AddEventChannel(ChannelInfo info);
  std::size_t ChannelCount() const { return m_channels.size(); }
  std::size_t EventChannelCount() const { return m_eventChannels.size(); }
  const ChannelInfo& Channel(std::size_t channel) const { return m_channels.at(channel); }
  const ChannelInfo& EventChannel(std::size_t channel) const { return m_eventChannels.at(channel); }

  // A new, open record starting startTime seconds after the document start.
  std::size_t AddRecord(double startTime);
  std::size_t RecordCount() const { return m_records.size(); }
  double RecordStartTime(std::size_t record) const { return At(record).startTime; }
  // The end of data: ticks sampled so far.
  int64_t TickCount(std::size_t record) const { return At(record).tickCount; }
  bool IsClosed(std::size_t record) const { return At(record).closed; }

  // Makes room for a record to reach `ticks` without moving its samples again on the way.
  void ReserveTicks(std::size_t record, int64_t ticks);
  // One block of samples per channel, all of the same length, appended to an open record.
  void AppendSamples(std::size_t record, std::span<const std::span<const float>> channels);
  // The same for a record's first block, taken over without a copy: a file's whole signal.
  void AppendSamples(std::size_t record, std::vector<std::vector<float>>&& channels);
  void AddEvent(std::size_t record, std::size_t eventChannel, const EventRecord& event);
  void CloseRecord(std::size_t record);

  std::span<const float> Samples(std::size_t record, std::size_t channel) const;
  const EventRecords& Events(std::size_t record, std::size_t eventChannel) const;

  const std::optional<Selection>& CurrentSelection() const { return m_selection; }
  // Throws RecordingError for a selection outside the data or ending before it starts.
  void Select(std::optional<Selection> selection);

 private:
  struct Record {
    double startTime = 0.0;
    int64_t tickCount = 0;
    bool closed = false;
    std::vector<std::vector<float>> samples;  // per channel
    std::vector<EventRecords> events;         // per event channel
  };

  const Record& At(std::size_t record) const;
  // Throws RecordingError for a block that does not fit the channels or the record's limit.
  void CheckBlock(std::size_t record, const Record& target,
                  std::span<const std::span<const float>> channels) const;
  Record& OpenRecord(std::size_t record);

  double m_sampleRate;
  std::optional<double> m_startDateTime;
  std::vector<ChannelInfo> m_channels;
  std::vector<ChannelInfo> m_eventChannels;
  std::vector<Record> m_records;
  std::optional<Selection> m_selection;
};

}  // namespace PendrelHost
