#include "analysis/detection/selector_enumerator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "analysis/tests/beat_recording.h"

namespace {

using Rhyth::FiducialEvent;
using Rhyth::SelectorEvent;
using RhythTest::kTickInterval;

Quor::ComPtr<ICalcEnum> MakeSelector(IUnknown* beats, const char16_t* params) {
  Quor::ComPtr<ICalcEnum> selector;
  selector.Attach(new Rhyth::SelectorEnumeratorObject(nullptr));
  EXPECT_EQ(RhythTest::SetParamsText(selector.Get(), params), S_OK);
  IUnknown* sources[] = {beats};
  EXPECT_EQ(selector->StartRecord(0, 1, sources, 0, kTickInterval, 0), S_OK);
  return selector;
}

Quor::ComPtr<IEnumEventEx> EventsOf(ICalcEnum* enumerator) {
  Quor::ComPtr<IEnumEventEx> events;
  enumerator->QueryInterface(IEnumEventEx::iid, Quor::ComPtrOut<IEnumEventEx>::Bind(events));
  return events;
}

std::vector<SelectorEvent> ReadValues(ICalcEnum* selector, LONG end = kRecordEndOffset) {
  return RhythTest::ReadEvents<SelectorEvent>(selector, end, 3);
}

// A closed channel of the given beats.
Quor::ComPtr<IEnumEventEx> BeatChannel(const std::vector<FiducialEvent>& beats) {
  auto data = std::make_shared<testing_sources::EventData>();
  data->recordSize = sizeof(FiducialEvent);
  data->bytes.resize(beats.size() * sizeof(FiducialEvent));
  std::memcpy(data->bytes.data(), beats.data(), data->bytes.size());
  data->available = beats.size();
  Quor::ComPtr<IEnumEventEx> channel;
  channel.Attach(new testing_sources::InMemoryEvents(data, 0));
  return channel;
}

void ExpectValue(double value, double expected) {
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(value));
  } else {
    EXPECT_NEAR(value, expected, 1e-12 * std::abs(expected));
  }
}

TEST(Selector, GivesTheChosenMeasureOfEveryBeatOfAFiducialChannel) {
  RhythTest::BeatRecording recording;
  const std::vector<LONG> peaks = {1000, 1800, 2200, 3000, 3800};
  recording.Use(RhythTest::BeatSignal(4500, peaks), peaks);
  recording.AddBeat(4300);
  const std::vector<FiducialEvent> beats = RhythTest::ReadBeats(recording.MakeEnumerator().Get());
  ASSERT_EQ(beats.size(), 6u);

  const struct {
    const char16_t* params;
    double (*measure)(const FiducialEvent&);
  } cases[] = {
      {u"0 0 0", [](const FiducialEvent& b) { return b.rr; }},
      {u"0 1 0", [](const FiducialEvent& b) { return b.deltaRR; }},
      {u"0 2 1", [](const FiducialEvent& b) { return 60.0 / b.rr; }},
      {u"0 3 0", [](const FiducialEvent& b) { return b.variance; }},
      {u"0 4 0", [](const FiducialEvent& b) { return b.mobility; }},
      {u"0 5 0", [](const FiducialEvent& b) { return b.ff; }},
      {u"0 6 0", [](const FiducialEvent&) { return std::nan(""); }},
      {u"0 -1 0", [](const FiducialEvent&) { return std::nan(""); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Quor::String(c.params).ToUtf8String());
    Quor::ComPtr<ICalcEnum> fiducial = recording.MakeEnumerator();
    Quor::ComPtr<ICalcEnum> selector = MakeSelector(fiducial.Get(), c.params);
    const std::vector<SelectorEvent> values = ReadValues(selector.Get());
    ASSERT_EQ(values.size(), beats.size());
    for (std::size_t i = 0; i < beats.size(); ++i) {
      EXPECT_EQ(values[i].position, beats[i].position);
      EXPECT_EQ(values[i].fraction, 0.0f);
      SCOPED_TRACE(testing::Message() << "beat " << i);
      ExpectValue(values[i].value, c.measure(beats[i]));
    }
  }
}

TEST(Selector, PlacesEachValueOnTheTickNearestItsBeat) {
  FiducialEvent early = Rhyth::kEmptyBeat, late = Rhyth::kEmptyBeat;
  early.position = 100;
  early.fraction = 0.6f;
  early.rr = 0.8;
  late.position = 500;
  late.fraction = 0.4f;
  late.rr = std::nan("");
  Quor::ComPtr<IEnumEventEx> beats = BeatChannel({early, late});
  Quor::ComPtr<ICalcEnum> selector = MakeSelector(beats.Get(), u"0 2 0");

  // The first value belongs to tick 101: reading up to 101 does not give it yet.
  EXPECT_TRUE(ReadValues(selector.Get(), 101).empty());
  const std::vector<SelectorEvent> values = ReadValues(selector.Get());
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0].position, 101);
  EXPECT_NEAR(values[0].fraction, -0.4f, 1e-6f);
  EXPECT_EQ(values[0].value, 75.0);
  EXPECT_EQ(values[1].position, 500);
  EXPECT_NEAR(values[1].fraction, 0.4f, 1e-6f);
  EXPECT_TRUE(std::isnan(values[1].value));
}

TEST(Selector, ParameterTextsReadBackAsWritten) {
  const struct {
    const char16_t* text;
    const char16_t* written;
  } cases[] = {{u"0 3 1", u"3 1"}, {u"0 5 0", u"5 0"}, {u"0 2", u"2 0"}, {u"0", u"0 0"},
               {u"0 9 1", u"9 1"}};
  Quor::ComPtr<ICalcEnum> selector = MakeSelector(nullptr, u"0");
  for (const auto& c : cases) {
    SCOPED_TRACE(Quor::String(c.text).ToUtf8String());
    ASSERT_EQ(RhythTest::SetParamsText(selector.Get(), c.text), S_OK);
    const Quor::String written = RhythTest::ParamsText(selector.Get());
    EXPECT_EQ(written.ToUtf8String(), Quor::String(c.written).ToUtf8String());
    Quor::String again(u"0 ");
    again += written;
    ASSERT_EQ(RhythTest::SetParamsText(selector.Get(), again), S_OK);
    EXPECT_EQ(RhythTest::ParamsText(selector.Get()), written);
  }
  EXPECT_EQ(RhythTest::SetParamsText(selector.Get(), u"0 rr"), E_INVALIDARG);
}

TEST(Selector, ValueEventsAreSixteenBytesOfNoTypeInAnUnknownUnit) {
  Quor::ComPtr<ICalcEnum> selector = MakeSelector(nullptr, u"0 0 0");
  Quor::ComPtr<IEnumEventEx> events = EventsOf(selector.Get());
  DWORD size = 0, type = 1;
  ASSERT_EQ(events->GetEventSize(&size), S_OK);
  EXPECT_EQ(size, 16u);
  ASSERT_EQ(events->GetEventTypeId(&type), S_OK);
  EXPECT_EQ(type, 0u);
  double interval = 0.0;
  Quor::ComPtr<IUnitName> unit;
  ASSERT_EQ(selector->GetUnits(&interval, Quor::ComPtrOut<IUnitName>::Bind(unit)), S_OK);
  IQuorString* text = nullptr;
  ASSERT_EQ(unit->GetText(VARIANT_TRUE, &text), S_OK);
  EXPECT_EQ(Quor::String(text), Quor::String(u"?"));
  text->Release();
  // Without beats there are no values, and the record ends.
  EXPECT_TRUE(ReadValues(selector.Get()).empty());
}

}  // namespace
