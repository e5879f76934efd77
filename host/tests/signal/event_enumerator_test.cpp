// Registered calculated event enumerators as functions of the channel language, and reading
// event channels through cursors.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "host/channels/channel_error.h"
#include "host/channels/computed_channels.h"
#include "host/channels/event_cursor.h"
#include "host/tests/signal/signal_test_support.h"
#include "host/tests/signal/stub_enumerators.h"

namespace PendrelHost {
namespace {

using testing::HasSubstr;
using Testing::EventTicks;
using Testing::MakeRecording;
using Testing::Sine;

class EventEnumeratorTest : public testing::Test {
 protected:
  EventEnumeratorTest() {
    registry.Register(Testing::CrossingsClass());
    registry.Register(Testing::DelayedClass());
  }

  std::string FailureOf(const std::string& formula) {
    return Testing::FailureOf<ChannelError>([&] { channels.Evaluate(formula); });
  }

  // Two cycles of a 1 Hz sine at 100 Hz: upward crossings of 0.5 at ticks 9 and 109.
  Recording recording = MakeRecording(100.0, {Sine(100.0, 200, 1.0)});
  EventEnumeratorRegistry registry;
  ComputedChannels channels{recording, registry};
};

TEST_F(EventEnumeratorTest, FormulasCallEnumeratorsByOutputNameInAnyCase) {
  for (const char* formula : {"Crossings(Ch1, 0.5)", "CROSSINGS(Ch1, 0.5)", "crossings(Ch1 * 2, 1)"}) {
    EXPECT_EQ(EventTicks(channels.Evaluate(formula)), (std::vector<int64_t>{9, 109})) << formula;
  }
}

TEST_F(EventEnumeratorTest, EnumeratorsReadEventChannelsToo) {
  channels.SetFormula(channels.Add("Marks"), "crossings(Ch1, 0.5)");
  EXPECT_EQ(EventTicks(channels.Evaluate("Delayed(Marks, 5)")), (std::vector<int64_t>{14, 114}));
  EXPECT_EQ(EventTicks(channels.Evaluate("delayed(cmpeakdet(Ch1, 0.9, 0, 10), 1)")), (std::vector<int64_t>{26, 126}));
}

TEST_F(EventEnumeratorTest, ArgumentsThatDoNotSuitTheEnumeratorFailTheChannel) {
  struct Case {
    const char* formula;
    const char* message;
  };
  const Case cases[] = {
      {"Crossings(Ch1)", "Crossings (TestCrossingsEnum): takes 2 arguments, not 1"},
      {"Crossings(0.5, Ch1)", "Crossings (TestCrossingsEnum): argument 1 must be a sampled channel, not a number"},
      {"Delayed(Ch1, 5)", "Delayed (TestDelayedEnum): argument 1 must be an event channel, not a sampled channel"},
      {"Crossings(Ch1, -1)", "Crossings (TestCrossingsEnum): a negative number does not suit it"},
      {"Crossings(Ch1, 0.5) * 2", "an event channel cannot take part in arithmetic"},
      {"Uncrossings(Ch1, 0.5)", "unknown function 'Uncrossings'"},
  };
  for (const Case& c : cases) EXPECT_THAT(FailureOf(c.formula), HasSubstr(c.message)) << c.formula;
}

TEST_F(EventEnumeratorTest, RevokedClassesAreNoLongerFunctions) {
  const auto revoked = Testing::CrossingsClass();
  EventEnumeratorRegistry own;
  own.Register(revoked);
  EXPECT_TRUE(own.FindByOutputName("crossings"));
  own.Revoke(revoked.get());
  EXPECT_FALSE(own.FindByOutputName("crossings"));
}

TEST_F(EventEnumeratorTest, CursorsDeliverEventsInBatchesWithinTheirRange) {
  // A 10 Hz sine crosses 0.5 upwards at ticks 1, 11, ..., 191.
  const ChannelValue marks = channels.Evaluate("Crossings(sinewave(10), 0.5)");
  const std::vector<int64_t> all = EventTicks(marks);
  ASSERT_EQ(all.size(), 20u);
  EXPECT_EQ(all[19], 191);

  EventCursor cursor(marks.events, 0, 0, kAllSettled);
  std::vector<std::byte> twoEvents(2 * sizeof(EventRecord));
  std::vector<int64_t> seen;
  while (true) {
    const EventBatch batch = cursor.Next(kAllSettled, twoEvents);
    for (std::size_t i = 0; i < batch.fetched; ++i) seen.push_back(EventTick(twoEvents.data() + i * sizeof(EventRecord)));
    if (batch.ended) break;
    ASSERT_EQ(batch.fetched, 2u);
  }
  EXPECT_EQ(seen, all);

  EventCursor ranged(marks.events, 0, all[1], all[3]);
  EXPECT_EQ(ranged.Next(kAllSettled, twoEvents).fetched, 2u);
  EXPECT_EQ(EventTick(twoEvents.data()), all[1]);
  const EventBatch last = ranged.Next(kAllSettled, twoEvents);
  EXPECT_EQ(last.fetched, 0u);
  EXPECT_TRUE(last.ended);

  EXPECT_TRUE(ranged.Seek(true, all[3], 0, kAllSettled));
  EXPECT_EQ(ranged.Position(), all[2]);
  EXPECT_TRUE(ranged.Seek(false, all[1] + 1, 0, kAllSettled));
  EXPECT_EQ(ranged.Position(), all[2]);
  EXPECT_FALSE(ranged.Seek(false, all[2] + 1, 0, kAllSettled));
}

}  // namespace
}  // namespace PendrelHost
