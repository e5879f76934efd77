// Recordings and readings that the host's signal tests share.
#pragma once

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "host/channels/channel_value.h"
#include "host/channels/computed_channels.h"
#include "host/recording/recording.h"

namespace PendrelHost::Testing {

// A closed one-record recording of the given channels.
inline Recording MakeRecording(double sampleRate, const std::vector<std::vector<float>>& channels) {
  Recording recording(sampleRate);
  for (std::size_t i = 0; i < channels.size(); ++i) recording.AddChannel({"Signal" + std::to_string(i + 1), "mV"});
  const std::size_t record = recording.AddRecord(0.0);
  const std::vector<std::span<const float>> parts(channels.begin(), channels.end());
  recording.AppendSamples(record, parts);
  recording.CloseRecord(record);
  return recording;
}

inline std::vector<float> Sine(double sampleRate, std::size_t count, double frequency, double amplitude = 1.0,
                               double phase = 0.0) {
  std::vector<float> values(count);
  for (std::size_t i = 0; i < count; ++i) {
    values[i] = static_cast<float>(
        amplitude * std::sin(2.0 * std::numbers::pi * frequency * static_cast<double>(i) / sampleRate + phase));
  }
  return values;
}

// Every available sample of a sampled channel in one record.
inline std::vector<float> ReadAll(const ChannelValue& channel, std::size_t record = 0) {
  std::vector<float> values(static_cast<std::size_t>(channel.samples->Extent(record).available));
  channel.samples->Read(record, 0, values);
  return values;
}

// Every sample of record 0 of a formula over the recording.
inline std::vector<float> EvaluateSamples(const Recording& recording, const std::string& formula) {
  const EventEnumeratorRegistry registry;
  ComputedChannels channels(recording, registry);
  return ReadAll(channels.Evaluate(formula));
}

// The ticks of every event of an event channel in one record.
inline std::vector<int64_t> EventTicks(const ChannelValue& channel, std::size_t record = 0) {
  channel.events->SettleTo(record, kAllSettled);
  const EventRecords& events = channel.events->Found(record);
  std::vector<int64_t> ticks;
  for (std::size_t i = 0; i < events.Count(); ++i) ticks.push_back(events.Tick(i));
  return ticks;
}

// The message of the Error that `action` throws, or "(no failure)".
template <typename Error, typename Action>
std::string FailureOf(Action action) {
  try {
    action();
    return "(no failure)";
  } catch (const Error& error) {
    return error.what();
  }
}

// The folder of public test recordings, next to the repository.
inline std::filesystem::path SharedDataFolder() { return RHYTH_SHARED_DATA_DIR; }

// The beat detection chain's stages 1 to 5 as named channels, with the module's default
// parameters for a QRS width of 0.08 s.
inline void DefineDetectionChain(ComputedChannels& channels, double sampleRate) {
  const int width = std::max(21, static_cast<int>(0.08 / (1.0 / sampleRate) * 2.0));
  channels.SetFormula(channels.Add("Rhyth_vLPF"), "lowpass(Ch1,30)");
  channels.SetFormula(channels.Add("Rhyth_vDIF"), "differentiate(Rhyth_vLPF,3)");
  channels.SetFormula(channels.Add("Rhyth_vHLB"), "resample(Rhyth_vDIF,1,1,1," + std::to_string(width) + ",0,2)");
  channels.SetFormula(channels.Add("Rhyth_vENV"), "Rhyth_vDIF * Rhyth_vDIF + Rhyth_vHLB * Rhyth_vHLB");
  channels.SetFormula(channels.Add("Rhyth_vNRM"), "normalizeSec(Rhyth_vENV,5,2.5,0)");
  channels.SetFormula(channels.Add("Rhyth_vDET"), "cmpeakdet(Rhyth_vNRM,3,0.3,30)");
}

}  // namespace PendrelHost::Testing
