#include "hostframework/eeh3/eeh3_enumerator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "core/com_ptr.h"
#include "core/quor_string.h"
#include "hostframework/tests/crossing_algorithm.h"
#include "hostframework/tests/in_memory_sources.h"

namespace {

using testing_algorithm::CrossingEnumerator;
using testing_algorithm::CrossingEvent;
using testing_sources::InMemoryFloats;
using testing_sources::SampleData;

constexpr double kTickInterval = 0.001;
constexpr int kEventBytes = sizeof(CrossingEvent);

// Runs of 0 and 1 of lengths between 50 and 3049 ticks, with a little noise: a few hundred
// crossings over a record of several checkpoint spacings.
std::vector<float> Signal(std::size_t n) {
  std::vector<float> samples(n);
  unsigned state = 12345;
  auto random = [&state] { return (state = state * 1103515245u + 12345u) >> 8; };
  float level = 0.0f;
  std::size_t runLeft = 0;
  for (float& sample : samples) {
    if (runLeft == 0) {
      runLeft = 50 + random() % 3000;
      level = 1.0f - level;
    }
    --runLeft;
    sample = level + float(int(random() % 100) - 50) * 0.002f;
  }
  return samples;
}

std::vector<CrossingEvent> From(const std::vector<CrossingEvent>& events, LONG tick) {
  std::vector<CrossingEvent> rest;
  for (const CrossingEvent& e : events) {
    if (e.tick >= tick) rest.push_back(e);
  }
  return rest;
}

HRESULT SetParamsText(ICalcEnum* enumerator, const char16_t* text) {
  IQuorString* object = Quor::String(text).GetInterface();
  const HRESULT hr = enumerator->SetParams(object);
  object->Release();
  return hr;
}

Quor::ComPtr<IEnumEventEx> EventsOf(ICalcEnum* enumerator) {
  Quor::ComPtr<IEnumEventEx> events;
  enumerator->QueryInterface(IEnumEventEx::iid, Quor::ComPtrOut<IEnumEventEx>::Bind(events));
  return events;
}

struct ReadResult {
  std::vector<CrossingEvent> events;
  HRESULT last = E_FAIL;
  LONG next = 0;
};

// Reads until the enumerator ends the record or, online, has nothing more for now.
ReadResult ReadOn(IEnumEventEx* events, int perCall = 7, LONG end = kRecordEndOffset) {
  ReadResult result;
  std::vector<CrossingEvent> buffer(perCall);
  for (;;) {
    int fetched = -1;
    result.last = events->Next(perCall * kEventBytes, end, buffer.data(), &fetched, &result.next);
    result.events.insert(result.events.end(), buffer.begin(), buffer.begin() + fetched);
    if (result.last != S_OK || fetched == 0) return result;
  }
}

// The events from `before` down to the record's start, found one by one with backward seeks.
std::vector<CrossingEvent> WalkBackward(IEnumEventEx* events, LONG before) {
  std::vector<CrossingEvent> found;
  for (LONG pos = before; events->Seek(TRUE, pos, 0, kRecordEndOffset) == S_OK;) {
    CrossingEvent event{};
    int fetched = 0;
    LONG next = 0;
    events->Next(kEventBytes, kRecordEndOffset, &event, &fetched, &next);
    if (fetched != 1) break;
    found.insert(found.begin(), event);
    pos = event.tick;
  }
  return found;
}

class CrossingRecord : public ::testing::Test {
 protected:
  void UseSamples(std::vector<float> samples) {
    data->samples = std::move(samples);
    data->available = data->samples.size();
    expected = testing_algorithm::ExpectedCrossings(data->samples, 0.5, kTickInterval);
  }

  void SetUp() override { UseSamples(Signal(350000)); }

  Quor::ComPtr<ICalcEnum> Make(const char16_t* params = u"0 0.5") {
    Quor::ComPtr<ICalcEnum> enumerator;
    enumerator.Attach(new CrossingEnumerator(nullptr));
    EXPECT_EQ(SetParamsText(enumerator.Get(), params), S_OK);
    EXPECT_EQ(Start(enumerator.Get(), 0), S_OK);
    return enumerator;
  }

  HRESULT Start(ICalcEnum* enumerator, LONG record, LONG online = 0) {
    Quor::ComPtr<IEnumFloatEx> signal;
    signal.Attach(new InMemoryFloats(data, 0));
    IUnknown* sources[] = {signal.Get()};
    return enumerator->StartRecord(record, 1, sources, 0, kTickInterval, online);
  }

  std::shared_ptr<SampleData> data = std::make_shared<SampleData>();
  std::vector<CrossingEvent> expected;
};

TEST_F(CrossingRecord, TheSignalCrossesOftenOverSeveralCheckpoints) {
  ASSERT_GT(expected.size(), 100u);
  EXPECT_GT(expected.back().tick, 3 * EEH3::kCheckpointSpacing);
}

TEST_F(CrossingRecord, ReadingFromTheStartGivesEveryEventAndEndsTheRecord) {
  Quor::ComPtr<ICalcEnum> enumerator = Make();
  const ReadResult read = ReadOn(EventsOf(enumerator.Get()).Get());
  EXPECT_EQ(read.events, expected);
  EXPECT_EQ(read.last, S_FALSE);
  EXPECT_EQ(read.next, kRecordEndOffset);
}

TEST_F(CrossingRecord, ReadingFromTheMiddleGivesTheSameEventsNumbersAndValues) {
  struct Case {
    LONG start;
    bool reused;  // read the whole record with the same enumerator first
  };
  const Case cases[] = {{0, false},      {99999, false}, {100000, false}, {250123, false},
                        {349000, false}, {250123, true}, {120000, true},  {5, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "start " << c.start << (c.reused ? ", reused" : ""));
    Quor::ComPtr<ICalcEnum> enumerator = Make();
    Quor::ComPtr<IEnumEventEx> events = EventsOf(enumerator.Get());
    if (c.reused) ReadOn(events.Get());
    ASSERT_EQ(enumerator->SetPosition(c.start), S_OK);
    EXPECT_EQ(ReadOn(events.Get(), 5).events, From(expected, c.start));
  }
}

TEST_F(CrossingRecord, WalkingBackwardGivesTheSameEvents) {
  for (bool reused : {false, true}) {
    SCOPED_TRACE(reused ? "reused" : "fresh");
    Quor::ComPtr<ICalcEnum> enumerator = Make();
    Quor::ComPtr<IEnumEventEx> events = EventsOf(enumerator.Get());
    if (reused) ReadOn(events.Get());
    EXPECT_EQ(WalkBackward(events.Get(), kRecordEndOffset), expected);
  }
}

TEST_F(CrossingRecord, AnEventFoundBySeekComesFirstThenReadingGoesOn) {
  Quor::ComPtr<ICalcEnum> enumerator = Make();
  Quor::ComPtr<IEnumEventEx> events = EventsOf(enumerator.Get());
  const std::vector<CrossingEvent> rest = From(expected, 230000);
  ASSERT_EQ(events->Seek(FALSE, 230000, 0, kRecordEndOffset), S_OK);
  LONG position = 0;
  events->GetPosition(&position);
  EXPECT_EQ(position, rest.front().tick);
  EXPECT_EQ(ReadOn(events.Get()).events, rest);

  // Backwards, the event before a tick; reading then goes on from it.
  const LONG tick = rest[3].tick;
  ASSERT_EQ(events->Seek(TRUE, tick, 0, kRecordEndOffset), S_OK);
  EXPECT_EQ(ReadOn(events.Get()).events, From(expected, rest[2].tick));

  // Seeking back from beyond the window's end finds its last event, also one just before it.
  ASSERT_EQ(events->Seek(TRUE, kRecordEndOffset, 0, tick + 1), S_OK);
  events->GetPosition(&position);
  EXPECT_EQ(position, tick);
}

TEST_F(CrossingRecord, AnEventAtTickZeroIsDeliveredLikeAnyOther) {
  std::vector<float> samples = Signal(5000);
  samples[0] = 1.0f;
  UseSamples(samples);
  ASSERT_EQ(expected.front().tick, 0);

  Quor::ComPtr<ICalcEnum> enumerator = Make();
  Quor::ComPtr<IEnumEventEx> events = EventsOf(enumerator.Get());
  EXPECT_EQ(ReadOn(events.Get()).events, expected);

  LONG position = -1;
  ASSERT_EQ(events->Seek(FALSE, 0, 0, kRecordEndOffset), S_OK);
  events->GetPosition(&position);
  EXPECT_EQ(position, 0);
  EXPECT_EQ(ReadOn(events.Get()).events, expected);

  ASSERT_EQ(events->Seek(TRUE, 10, 0, kRecordEndOffset), S_OK);
  events->GetPosition(&position);
  EXPECT_EQ(position, 0);
  EXPECT_EQ(ReadOn(events.Get()).events, expected);
}

TEST_F(CrossingRecord, NextStopsAtItsEndAndEndsOnlyAtTheRecordsEnd) {
  Quor::ComPtr<ICalcEnum> enumerator = Make();
  Quor::ComPtr<IEnumEventEx> events = EventsOf(enumerator.Get());
  const LONG end = expected[10].tick;
  const ReadResult first = ReadOn(events.Get(), 7, end);
  EXPECT_EQ(first.last, S_OK);
  EXPECT_EQ(first.next, end);
  EXPECT_EQ(first.events, std::vector<CrossingEvent>(expected.begin(), expected.begin() + 10));

  // A buffer with no room for a whole record receives nothing and moves nothing.
  CrossingEvent event{};
  int fetched = -1;
  LONG next = 0;
  EXPECT_EQ(events->Next(kEventBytes - 1, kRecordEndOffset, &event, &fetched, &next), S_OK);
  EXPECT_EQ(fetched, 0);
  EXPECT_EQ(next, end);

  const ReadResult rest = ReadOn(events.Get());
  EXPECT_EQ(rest.events, From(expected, end));
  EXPECT_EQ(rest.last, S_FALSE);
  EXPECT_EQ(rest.next, kRecordEndOffset);
}

TEST_F(CrossingRecord, TheLimitRangeBoundsTheEventsButNotTheirNumbers) {
  const LONG startOffset = expected[5].tick + 1;
  const LONG endOffset = expected[40].tick;
  std::vector<CrossingEvent> inRange;
  for (const CrossingEvent& e : expected) {
    if (e.tick >= startOffset && e.tick < endOffset) inRange.push_back(e);
  }
  const std::string params =
      "0 0.5 0 " + std::to_string(startOffset) + " 0 " + std::to_string(endOffset);
  Quor::ComPtr<ICalcEnum> enumerator = Make(Quor::String(params).ToStdWString().c_str());
  Quor::ComPtr<IEnumEventEx> events = EventsOf(enumerator.Get());
  const ReadResult read = ReadOn(events.Get());
  EXPECT_EQ(read.events, inRange);
  EXPECT_EQ(read.last, S_FALSE);
  EXPECT_EQ(WalkBackward(events.Get(), kRecordEndOffset), inRange);

  // The record after the range's end record has no events at all.
  ASSERT_EQ(Start(enumerator.Get(), 1), S_OK);
  const ReadResult later = ReadOn(events.Get());
  EXPECT_TRUE(later.events.empty());
  EXPECT_EQ(later.last, S_FALSE);
  EXPECT_EQ(later.next, kRecordEndOffset);
}

TEST_F(CrossingRecord, FourZerosOrNoRangeLeaveTheRecordOpen) {
  for (const char16_t* params : {u"0 0.5 0 0 0 0", u"0 0.5", u"0 0.5 0 0 -1 -1", u""}) {
    SCOPED_TRACE(Quor::String(params).ToUtf8String());
    Quor::ComPtr<ICalcEnum> enumerator = Make(params);
    EXPECT_EQ(ReadOn(EventsOf(enumerator.Get()).Get()).events, expected);
  }
}

TEST_F(CrossingRecord, AnOnlineRecordIsNeverEndedWhileItCanGrow) {
  data->available = 5000;
  Quor::ComPtr<ICalcEnum> enumerator = Make();
  ASSERT_EQ(Start(enumerator.Get(), 0, -1), S_OK);
  Quor::ComPtr<IEnumEventEx> events = EventsOf(enumerator.Get());
  std::vector<CrossingEvent> read;
  for (std::size_t available : {5000, 5000, 120000, 350000, 350000}) {
    data->available = available;
    const ReadResult step = ReadOn(events.Get());
    EXPECT_EQ(step.last, S_OK);
    EXPECT_EQ(step.next, LONG(available));
    read.insert(read.end(), step.events.begin(), step.events.end());
    EXPECT_EQ(read, std::vector<CrossingEvent>(expected.begin(),
                                               expected.begin() + From(expected, 0).size() -
                                                   From(expected, LONG(available)).size()));
  }
  // Once the record is closed, its end is reported.
  ASSERT_EQ(Start(enumerator.Get(), 0, 0), S_OK);
  ASSERT_EQ(enumerator->SetPosition(350000), S_OK);
  const ReadResult closed = ReadOn(events.Get());
  EXPECT_TRUE(closed.events.empty());
  EXPECT_EQ(closed.last, S_FALSE);
  EXPECT_EQ(closed.next, kRecordEndOffset);
}

TEST_F(CrossingRecord, ARecordIndexNearTheTopCostsNoMoreThanRecordZero) {
  Quor::ComPtr<ICalcEnum> enumerator = Make();
  ASSERT_EQ(Start(enumerator.Get(), 2000000000), S_OK);
  EXPECT_EQ(ReadOn(EventsOf(enumerator.Get()).Get()).events, expected);
}

TEST_F(CrossingRecord, AClonedEnumeratorGoesOnFromTheSamePointOnItsOwn) {
  Quor::ComPtr<ICalcEnum> enumerator = Make();
  Quor::ComPtr<IEnumEventEx> events = EventsOf(enumerator.Get());
  const LONG end = expected[50].tick;
  ReadOn(events.Get(), 7, end);

  Quor::ComPtr<ICalcEnum> calcCopy;
  ASSERT_EQ(enumerator->Clone(Quor::ComPtrOut<ICalcEnum>::Bind(calcCopy)), S_OK);
  Quor::ComPtr<IEnumEventEx> eventCopy;
  ASSERT_EQ(events->Clone(Quor::ComPtrOut<IEnumEventEx>::Bind(eventCopy)), S_OK);

  EXPECT_EQ(ReadOn(events.Get()).events, From(expected, end));
  EXPECT_EQ(ReadOn(EventsOf(calcCopy.Get()).Get()).events, From(expected, end));
  EXPECT_EQ(ReadOn(eventCopy.Get()).events, From(expected, end));
}

TEST_F(CrossingRecord, ACloneThatCannotBeMadeReportsOutOfMemory) {
  Quor::ComPtr<ICalcEnum> enumerator = Make();
  ICalcEnum* copy = enumerator.Get();
  testing_algorithm::g_failNextParamsCopy = true;
  EXPECT_EQ(enumerator->Clone(&copy), E_OUTOFMEMORY);
  EXPECT_EQ(copy, nullptr);
}

TEST_F(CrossingRecord, BadParametersAreRefusedAndChangeNothing) {
  Quor::ComPtr<ICalcEnum> enumerator = Make(u"0 0.25");
  Quor::ComPtr<IEnumEventEx> events = EventsOf(enumerator.Get());
  IUnknown* noSources[] = {nullptr};
  const struct {
    const char* what;
    HRESULT hr;
  } cases[] = {
      {"a word for the threshold", SetParamsText(enumerator.Get(), u"0 abc")},
      {"a word for the leading number", SetParamsText(enumerator.Get(), u"x 0.5")},
      {"a word inside the range", SetParamsText(enumerator.Get(), u"0 0.5 0 zero")},
      {"a zero tick interval", enumerator->StartRecord(0, 1, noSources, 0, 0.0, 0)},
      {"a NaN tick interval", enumerator->StartRecord(0, 1, noSources, 0, std::nan(""), 0)},
      {"a negative source count", enumerator->StartRecord(0, -1, noSources, 0, 0.001, 0)},
      {"sources missing", enumerator->StartRecord(0, 1, nullptr, 0, 0.001, 0)},
      {"a negative position", enumerator->SetPosition(-1)},
      {"a seek range upside down", events->Seek(FALSE, 10, 500, 100)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.hr, E_INVALIDARG) << c.what;

  IQuorString* text = nullptr;
  ASSERT_EQ(enumerator->GetParams(&text), S_OK);
  EXPECT_EQ(Quor::String(text), Quor::String(u"0.25"));
  text->Release();
}

TEST_F(CrossingRecord, ChangedParametersDropTheCheckpointsOfTheOldOnes) {
  Quor::ComPtr<ICalcEnum> enumerator = Make(u"0 0.9");
  Quor::ComPtr<IEnumEventEx> events = EventsOf(enumerator.Get());
  ReadOn(events.Get());
  ASSERT_EQ(SetParamsText(enumerator.Get(), u"0 0.5"), S_OK);
  ASSERT_EQ(enumerator->SetPosition(250000), S_OK);
  EXPECT_EQ(ReadOn(events.Get()).events, From(expected, 250000));
}

TEST_F(CrossingRecord, UnitsAndRateRatioAnswerForTheRecord) {
  Quor::ComPtr<ICalcEnum> enumerator = Make();
  double tickInterval = 0.0;
  Quor::ComPtr<IUnitName> unit;
  ASSERT_EQ(enumerator->GetUnits(&tickInterval, Quor::ComPtrOut<IUnitName>::Bind(unit)), S_OK);
  EXPECT_EQ(tickInterval, kTickInterval);
  IQuorString* text = nullptr;
  ASSERT_EQ(unit->GetText(-1, &text), S_OK);
  EXPECT_EQ(Quor::String(text), Quor::String(u"s"));
  text->Release();

  // Before any parameters the ratio is one to one, and its value says so.
  Quor::ComPtr<ICalcEnum> bare;
  bare.Attach(new CrossingEnumerator(nullptr));
  PendrelRateRatio ratio{};
  ASSERT_EQ(bare->GetRateRatio(&ratio), S_OK);
  EXPECT_EQ(ratio.numerator, 1);
  EXPECT_EQ(ratio.denominator, 1);
  EXPECT_EQ(ratio.value, 1.0);
}

}  // namespace
