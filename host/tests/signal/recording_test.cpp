// The recording document: its limits, growth and selections.
#include "host/recording/recording.h"

#include <gtest/gtest.h>

#include "host/recording/recording_error.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost {
namespace {

std::string FailureOf(const std::function<void()>& action) { return Testing::FailureOf<RecordingError>(action); }

TEST(Recording, KeepsItsRateWithinTheHostsRange) {
  EXPECT_EQ(FailureOf([] { Recording(99.0); }), "the sample rate 99 Hz is outside 100 Hz to 2000 Hz");
  EXPECT_EQ(FailureOf([] { Recording(2001.0); }), "the sample rate 2001 Hz is outside 100 Hz to 2000 Hz");
  EXPECT_DOUBLE_EQ(Recording(360.0).TickPeriod(), 1.0 / 360.0);
}

TEST(Recording, RecordsGrowInBlocksOfEveryChannelUntilClosed) {
  Recording recording(100.0);
  recording.AddChannel({"ECG", "mV"});
  recording.AddChannel({"Resp", ""});
  recording.AddEventChannel({"Marks", ""});
  const std::size_t record = recording.AddRecord(12.5);
  const std::vector<float> a{1, 2}, b{3, 4}, c{5};
  const std::span<const float> block[] = {a, b};
  recording.AppendSamples(record, block);
  recording.AddEvent(record, 0, {7, 0.0f, 1.0});
  EXPECT_EQ(recording.TickCount(record), 2);
  EXPECT_FALSE(recording.IsClosed(record));
  EXPECT_EQ(recording.RecordStartTime(record), 12.5);
  EXPECT_EQ(recording.Samples(record, 1)[1], 4.0f);
  EXPECT_EQ(recording.Events(record, 0).Tick(0), 7);

  const std::span<const float> uneven[] = {a, c};
  EXPECT_EQ(FailureOf([&] { recording.AppendSamples(record, uneven); }),
            "every channel's part of a block has the same length");
  const std::span<const float> oneOnly[] = {a};
  EXPECT_EQ(FailureOf([&] { recording.AppendSamples(record, oneOnly); }),
            "a block of samples needs one part per channel (2), not 1");
  EXPECT_EQ(FailureOf([&] { recording.AddChannel({"Late", ""}); }), "channels are added before the first record");
  recording.CloseRecord(record);
  EXPECT_EQ(FailureOf([&] { recording.AppendSamples(record, block); }), "record 1 is closed");
  EXPECT_EQ(FailureOf([&] { recording.Samples(3, 0); }), "record 4 does not exist (the recording has 1)");
}

TEST(Recording, SelectionsLieWithinTheData) {
  Recording recording(100.0);
  recording.AddChannel({"ECG", "mV"});
  const std::vector<float> samples(50, 0.0f);
  const std::span<const float> block[] = {samples};
  recording.AppendSamples(recording.AddRecord(0.0), block);
  recording.Select(Selection{{0, 10}, {0, 50}});
  EXPECT_EQ(recording.CurrentSelection()->start.tick, 10);
  EXPECT_EQ(FailureOf([&] { recording.Select(Selection{{0, 10}, {0, 51}}); }),
            "the selection lies outside the recording's data");
  EXPECT_EQ(FailureOf([&] { recording.Select(Selection{{0, 20}, {0, 10}}); }),
            "the selection lies outside the recording's data");
  recording.Select(std::nullopt);
  EXPECT_FALSE(recording.CurrentSelection());
}

}  // namespace
}  // namespace PendrelHost
