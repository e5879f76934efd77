// A record that grows while it is sampled: channels give only values that will not change, and
// in the end the same values and events as the complete record.
#include <gtest/gtest.h>

#include <algorithm>

#include "host/channels/event_cursor.h"
#include "host/recording/synthetic_ecg.h"
#include "host/tests/signal/signal_test_support.h"
#include "host/tests/signal/stub_enumerators.h"

namespace PendrelHost {
namespace {

constexpr double kRecordRate = 250.0;

std::vector<int64_t> Ticks(const std::vector<std::byte>& buffer, std::size_t count) {
  std::vector<int64_t> ticks;
  for (std::size_t i = 0; i < count; ++i) ticks.push_back(EventTick(buffer.data() + i * sizeof(EventRecord)));
  return ticks;
}

struct Chain {
  Chain(const Recording& recording, const EventEnumeratorRegistry& registry) : channels(recording, registry) {
    Testing::DefineDetectionChain(channels, kRecordRate);
    channels.SetFormula(channels.Add("Marks"), "Crossings(Rhyth_vLPF, 0.5)");
  }
  ChannelValue Get(const char* name) { return channels.Channel(*channels.Find(name)); }
  ComputedChannels channels;
};

TEST(OnlineRecord, AGrowingRecordGivesFinalValuesOnlyAndInTheEndWhatTheWholeRecordGives) {
  SyntheticEcgSettings settings;
  settings.sampleRate = kRecordRate;
  settings.duration = 40.0;
  const SyntheticEcg ecg = MakeSyntheticEcg(settings);
  const std::span<const float> samples = ecg.recording.Samples(0, 0);
  EventEnumeratorRegistry registry;
  registry.Register(Testing::CrossingsClass());

  Chain whole(ecg.recording, registry);
  const std::vector<float> wholeNormalised = Testing::ReadAll(whole.Get("Rhyth_vNRM"));

  Recording growing(kRecordRate);
  growing.AddChannel({"ECG", "mV"});
  growing.AddRecord(0.0);
  Chain online(growing, registry);
  EventCursor beats(online.Get("Rhyth_vDET").events, 0, 0, kAllSettled);
  EventCursor marks(online.Get("Marks").events, 0, 0, kAllSettled);
  std::vector<int64_t> beatTicks, markTicks;
  std::vector<std::byte> buffer(64 * sizeof(EventRecord));
  const auto collect = [&](EventCursor& cursor, std::vector<int64_t>& ticks) {
    while (true) {
      const EventBatch batch = cursor.Next(kAllSettled, buffer);
      const std::vector<int64_t> got = Ticks(buffer, batch.fetched);
      ticks.insert(ticks.end(), got.begin(), got.end());
      if (batch.fetched < 64) return batch;
    }
  };

  for (std::size_t at = 0; at < samples.size();) {
    const std::size_t piece = std::min<std::size_t>(777, samples.size() - at);
    const std::span<const float> parts[] = {samples.subspan(at, piece)};
    growing.AppendSamples(0, parts);
    at += piece;
    const ChannelValue normalised = online.Get("Rhyth_vNRM");
    const RecordExtent extent = normalised.samples->Extent(0);
    ASSERT_FALSE(extent.final);
    ASSERT_LT(extent.available, static_cast<int64_t>(at));
    const std::vector<float> values = Testing::ReadAll(normalised);
    ASSERT_TRUE(std::equal(values.begin(), values.end(), wholeNormalised.begin())) << "after " << at << " ticks";
    EXPECT_FALSE(collect(beats, beatTicks).ended);
    collect(marks, markTicks);
  }
  growing.CloseRecord(0);
  EXPECT_TRUE(collect(beats, beatTicks).ended);
  EXPECT_TRUE(collect(marks, markTicks).ended);

  EXPECT_EQ(Testing::ReadAll(online.Get("Rhyth_vNRM")), wholeNormalised);
  EXPECT_EQ(beatTicks, Testing::EventTicks(whole.Get("Rhyth_vDET")));
  EXPECT_EQ(markTicks, Testing::EventTicks(whole.Get("Marks")));
  EXPECT_GT(beatTicks.size(), 30u);
}

}  // namespace
}  // namespace PendrelHost
