#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/com_ptr.h"
#include "hostframework/eeh3/event_wrapper.h"
#include "hostframework/eeh3/float_ex_wrapper.h"
#include "hostframework/tests/in_memory_sources.h"

namespace {

using testing_sources::EventData;
using testing_sources::InMemoryEvents;
using testing_sources::InMemoryFloats;
using testing_sources::PlainEvent;
using testing_sources::SampleData;

std::shared_ptr<SampleData> Ramp(std::size_t n, std::size_t available) {
  auto data = std::make_shared<SampleData>();
  for (std::size_t i = 0; i < n; ++i) data->samples.push_back(float(i));
  data->available = available;
  return data;
}

// Reads from the source's position to the end of what it has now.
std::vector<float> ReadSamples(EEH3::FloatExWrapper& source) {
  std::vector<float> values;
  for (; source.HasCurrent(); source.Advance()) {
    EXPECT_EQ(LONG(source.Value()), source.Position());
    values.push_back(source.Value());
  }
  return values;
}

TEST(FloatExWrapper, SeekingBackIntoItsBufferAsksTheHostNothing) {
  auto data = Ramp(3000, 3000);
  Quor::ComPtr<IEnumFloatEx> host;
  host.Attach(new InMemoryFloats(data, 0));
  EEH3::FloatExWrapper source(host.Get());
  source.SetEnd(kRecordEndOffset, false);
  for (int i = 0; i < 1100; ++i) source.Advance();  // into the second block of samples
  const testing_sources::CallCounts before = data->calls;

  source.Seek(1030);
  ASSERT_TRUE(source.HasCurrent());
  EXPECT_EQ(source.Value(), 1030.0f);
  EXPECT_EQ(data->calls.next, before.next);
  EXPECT_EQ(data->calls.skip, before.skip);

  source.Seek(10);  // long gone: the host moves back once
  EXPECT_EQ(ReadSamples(source).size(), 2990u);
  EXPECT_EQ(data->calls.skip, before.skip + 1);
  EXPECT_TRUE(source.AtEnd());
}

TEST(FloatExWrapper, AGrowingRecordWaitsWhereAClosedOneEnds) {
  for (bool growing : {false, true}) {
    SCOPED_TRACE(growing ? "growing" : "closed");
    auto data = Ramp(3000, 1500);
    Quor::ComPtr<IEnumFloatEx> host;
    host.Attach(new InMemoryFloats(data, 0));
    EEH3::FloatExWrapper source(host.Get());
    source.SetEnd(2500, growing);
    EXPECT_EQ(ReadSamples(source).size(), 1500u);
    EXPECT_EQ(source.AtEnd(), !growing);
    EXPECT_EQ(source.Position(), 1500);

    data->available = 3000;
    source.SetEnd(2500, growing);  // the enumerator does so before every step
    EXPECT_EQ(ReadSamples(source).size(), 1000u) << "samples stop at the hard end";
    EXPECT_TRUE(source.AtEnd());
  }
}

TEST(FloatExWrapper, WithoutAHostThereIsNoData) {
  EEH3::FloatExWrapper source(nullptr);
  EXPECT_FALSE(source.HasCurrent());
  EXPECT_TRUE(source.AtEnd());
}

class EventSource : public ::testing::Test {
 protected:
  EventSource() {
    for (LONG tick = 100; tick <= 3000; tick += 100) data->Add(PlainEvent{tick, 0.0f, tick * 0.5});
    host.Attach(new InMemoryEvents(data, 0));
  }

  std::vector<LONG> ReadTicks(EEH3::EventWrapper& source) {
    std::vector<LONG> ticks;
    for (; source.HasCurrent(); source.Advance()) ticks.push_back(source.Position());
    return ticks;
  }

  std::shared_ptr<EventData> data = std::make_shared<EventData>();
  Quor::ComPtr<IEnumEventEx> host;
};

TEST_F(EventSource, ASeekThatFindsItsPositionInTheBufferKeepsTheBuffer) {
  EEH3::EventWrapper source(host.Get());
  source.SetEnd(kRecordEndOffset, false);
  for (int i = 0; i < 6; ++i) source.Advance();  // the first eight records are buffered
  const testing_sources::CallCounts before = data->calls;

  const struct {
    LONG seek, position;
  } cases[] = {{300, 300}, {250, 300}, {800, 800}, {100, 100}, {701, 800}};
  for (const auto& c : cases) {
    source.Seek(c.seek);
    ASSERT_TRUE(source.HasCurrent()) << c.seek;
    EXPECT_EQ(source.Position(), c.position) << c.seek;
  }
  EXPECT_EQ(data->calls.next, before.next);
  EXPECT_EQ(data->calls.seek, before.seek);

  source.Seek(2050);  // beyond the buffer: the host finds the next event once
  EXPECT_EQ(data->calls.seek, before.seek + 1);
  const std::vector<LONG> rest = ReadTicks(source);
  ASSERT_FALSE(rest.empty());
  EXPECT_EQ(rest.front(), 2100);
  EXPECT_EQ(rest.back(), 3000);
  EXPECT_TRUE(source.AtEnd());
}

TEST_F(EventSource, TheHardEndStopsTheEvents) {
  EEH3::EventWrapper source(host.Get());
  source.SetEnd(1050, false);
  EXPECT_EQ(ReadTicks(source).back(), 1000);
  EXPECT_TRUE(source.AtEnd());
}

TEST_F(EventSource, RecordsSmallerThanTheTypeGiveNoData) {
  struct Large {
    LONG tick;
    BYTE rest[60];
  };
  EEH3::EventWrapperEx<Large> source(host.Get());
  source.SetEnd(kRecordEndOffset, false);
  EXPECT_FALSE(source.HasCurrent());
  EXPECT_EQ(data->calls.next, 0);

  EEH3::EventWrapperEx<PlainEvent> plain(host.Get());
  plain.SetEnd(kRecordEndOffset, false);
  ASSERT_TRUE(plain.HasCurrent());
  EXPECT_EQ(plain.Current().value, 50.0);
}

}  // namespace
