// The host's arithmetic channel language: each line of the input is the formula of a named
// channel (L1, L2, ...), so formulas can use each other and form cycles. Every channel is
// compiled and read in full over a small two-record recording. A channel must give its values or
// fail with a ChannelError; any other exception, crash, hang or huge allocation is a finding.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "host/channels/channel_error.h"
#include "host/channels/computed_channels.h"

using namespace PendrelHost;

namespace {

constexpr std::size_t kMostChannels = 8;

// 5 s at 200 Hz of a pulse train over a slow wave, then a record of three samples.
const Recording& TestRecording() {
  static const Recording recording = [] {
    Recording made(200.0);
    made.AddChannel({"ECG", "mV"});
    made.AddChannel({"Resp", "V"});
    const std::vector<std::size_t> lengths{1000, 3};
    for (const std::size_t length : lengths) {
      std::vector<std::vector<float>> samples(2, std::vector<float>(length));
      for (std::size_t i = 0; i < length; ++i) {
        samples[0][i] = i % 160 < 6 ? 1.5f : float(0.1 * std::sin(double(i) / 30.0));
        samples[1][i] = float(std::sin(double(i) / 200.0));
      }
      const std::size_t record = made.AddRecord(0.0);
      made.AppendSamples(record, std::move(samples));
      made.CloseRecord(record);
    }
    return made;
  }();
  return recording;
}

void ReadWhole(const ChannelValue& value, const Recording& recording) {
  for (std::size_t record = 0; record < recording.RecordCount(); ++record) {
    if (value.IsSamples()) {
      std::vector<float> samples(std::size_t(value.samples->Extent(record).available));
      value.samples->Read(record, 0, samples);
      RhythFuzz::Touch(std::span<const float>(samples));
    } else if (value.IsEvents()) {
      value.events->SettleTo(record, kAllSettled);
      const EventRecords& events = value.events->Found(record);
      for (std::size_t i = 0; i < events.Count(); ++i) RhythFuzz::Touch(std::span<const int32_t>({events.Tick(i)}));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input = RhythFuzz::AsText(data, size);
  const Recording& recording = TestRecording();
  const EventEnumeratorRegistry registry;
  ComputedChannels channels(recording, registry);
  for (std::size_t line = 1; line <= kMostChannels && !input.empty(); ++line) {
    const std::size_t end = std::min(input.find('\n'), input.size());
    channels.SetFormula(channels.Add("L" + std::to_string(line)), std::string(input.substr(0, end)));
    input.remove_prefix(std::min(end + 1, input.size()));
  }
  for (std::size_t index = 0; index < channels.Count(); ++index) {
    try {
      ReadWhole(channels.Channel(index), recording);
    } catch (const ChannelError&) {
    }
  }
  return 0;
}
