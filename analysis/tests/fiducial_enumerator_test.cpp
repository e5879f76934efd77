#include "analysis/detection/fiducial_enumerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/tests/beat_recording.h"

namespace {

using Rhyth::FiducialEvent;
using RhythTest::BeatRecording;
using RhythTest::FiducialSettings;
using RhythTest::kReferenceLag;
using RhythTest::kTickInterval;
using RhythTest::ReadBeats;

constexpr LONG kHalfWindow = 50;  // a width of 0.1 s at 1 kHz: 100 ticks

// The sample variance of the window the beat at `tick` is measured over, the textbook way.
double WindowVariance(const std::vector<float>& samples, LONG tick) {
  const LONG from = std::max<LONG>(tick - kHalfWindow, 0);
  const LONG n = 2 * kHalfWindow;
  double mean = 0.0, squares = 0.0;
  for (LONG t = from; t < from + n; ++t) mean += samples[t] / double(n);
  for (LONG t = from; t < from + n; ++t) squares += (samples[t] - mean) * (samples[t] - mean);
  return squares / double(n - 1);
}

// The host puts a number of its own before the enumerator's parameters.
Quor::String WithLeadingNumber(const Quor::String& text) {
  Quor::String full(u"0 ");
  full += text;
  return full;
}

std::vector<LONG> Positions(const std::vector<FiducialEvent>& beats) {
  std::vector<LONG> positions;
  for (const FiducialEvent& beat : beats) positions.push_back(beat.position);
  return positions;
}

std::vector<DWORD> Flags(const std::vector<FiducialEvent>& beats) {
  std::vector<DWORD> flags;
  for (const FiducialEvent& beat : beats) flags.push_back(beat.flags);
  return flags;
}

std::vector<FiducialEvent> From(const std::vector<FiducialEvent>& beats, LONG tick) {
  std::vector<FiducialEvent> rest;
  for (const FiducialEvent& beat : beats) {
    if (beat.position >= tick) rest.push_back(beat);
  }
  return rest;
}

class FiducialRecord : public ::testing::Test {
 protected:
  void Use(std::size_t length, const std::vector<LONG>& peaks) {
    recording.Use(RhythTest::BeatSignal(length, peaks), peaks);
  }
  std::vector<FiducialEvent> Beats(const FiducialSettings& settings = {}) {
    return ReadBeats(recording.MakeEnumerator(settings).Get());
  }

  BeatRecording recording;
};

TEST_F(FiducialRecord, BeatsLieAtTheWindowsLargestSampleWithTheirIntervals) {
  // The first reference event lies closer to the record's start than half a window.
  const std::vector<LONG> peaks = {20, 820, 1620, 2320, 3220};
  Use(4000, peaks);
  const std::vector<FiducialEvent> beats = Beats();
  ASSERT_EQ(Positions(beats), peaks);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double rr[] = {nan, 0.8, 0.8, 0.7, 0.9};
  const DWORD flags[] = {0xFF, 0x100, 0x300, 0x300, 0x300};
  for (std::size_t i = 0; i < beats.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "beat " << i);
    const FiducialEvent& beat = beats[i];
    EXPECT_EQ(beat.value, double(recording.Samples()[peaks[i]]));
    EXPECT_EQ(beat.referenceDistance, -kReferenceLag);
    EXPECT_EQ(beat.beatNumber, LONG(i + 1));
    EXPECT_EQ(beat.fraction, 0.0f);
    EXPECT_NEAR(beat.variance, WindowVariance(recording.Samples(), peaks[i]), 1e-12);
    EXPECT_EQ(std::isnan(beat.rr), std::isnan(rr[i]));
    if (i > 0) {
      EXPECT_NEAR(beat.rr, rr[i], 1e-12);
      EXPECT_DOUBLE_EQ(beat.rate, 1.0 / rr[i]);
    }
    if (i > 1) {
      EXPECT_NEAR(beat.deltaRR, rr[i] - rr[i - 1], 1e-12);
    } else {
      EXPECT_TRUE(std::isnan(beat.deltaRR));
    }
    EXPECT_EQ(beat.flags, flags[i]);
  }
  // Form and mobility come from the same window, differentiated at the record's rate and
  // smoothed over 5 values (5 % of the window).
  const std::vector<float>& samples = recording.Samples();
  const Rhyth::HjorthValues first = Rhyth::HjorthMeasures(
      std::span<const float>(samples.data(), 2 * kHalfWindow), kTickInterval, 5);
  EXPECT_EQ(beats[0].mobility, first.mobility);
  EXPECT_EQ(beats[0].ff, first.formFactor);
}

TEST_F(FiducialRecord, TheFirstExtremeIsTheFiducialPointAndNaNSamplesNeverAre) {
  // One reference event at tick 500: the window is [450, 550].
  const LONG reference = 500;
  const float nanSample = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char* what;
    double type;
    std::vector<std::pair<LONG, float>> samples;
    LONG point;
    float value;
  } cases[] = {
      {"two equal largest", 0, {{480, 2.0f}, {520, 2.0f}}, 480, 2.0f},
      {"two equal smallest", 1, {{470, -2.0f}, {530, -2.0f}, {500, 3.0f}}, 470, -2.0f},
      {"a type outside 0 and 1 looks for the largest", 7, {{480, 2.0f}, {520, 2.0f}}, 480, 2.0f},
      {"NaN at the window's start", 0, {{450, nanSample}, {510, 2.0f}}, 510, 2.0f},
      {"NaN beside the largest", 0, {{509, nanSample}, {510, 2.0f}, {511, nanSample}}, 510, 2.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<float> samples(1000, 0.5f);
    for (const auto& [tick, value] : c.samples) samples[tick] = value;
    recording.Use(samples, {reference - kReferenceLag});
    FiducialSettings settings;
    settings.type = c.type;
    const std::vector<FiducialEvent> beats = Beats(settings);
    ASSERT_EQ(beats.size(), 1u);
    EXPECT_EQ(beats[0].position, c.point);
    EXPECT_EQ(beats[0].value, double(c.value));
    EXPECT_EQ(beats[0].referenceDistance, c.point - reference);
  }

  // A window without a number puts the point at the reference event, with no value.
  std::vector<float> samples(1000, 0.5f);
  for (LONG t = 450; t <= 550; ++t) samples[t] = nanSample;
  recording.Use(samples, {reference - kReferenceLag});
  const std::vector<FiducialEvent> beats = Beats();
  ASSERT_EQ(beats.size(), 1u);
  EXPECT_EQ(beats[0].position, reference);
  EXPECT_TRUE(std::isnan(beats[0].value));
  EXPECT_EQ(beats[0].flags, Rhyth::kBeatUnclassified);
}

TEST_F(FiducialRecord, AReferenceEventInsideThePreviousBeatsWindowGivesNoBeat) {
  const std::vector<LONG> peaks = {1000, 1800, 2600};
  std::vector<float> samples = RhythTest::BeatSignal(3000, peaks);
  recording.Use(samples, {1000 - kReferenceLag, 1010, 1800 - kReferenceLag, 2600 - kReferenceLag});
  EXPECT_EQ(Positions(Beats()), peaks);
}

TEST_F(FiducialRecord, RRAndFFLimitsIncludeTheirEnds) {
  Use(5500, {1000, 1800, 2200, 3000, 3800, 4600});
  const std::vector<FiducialEvent> open = Beats();
  ASSERT_EQ(open.size(), 6u);
  const double shortRR = open[2].rr, longRR = open[1].rr;
  std::size_t lowest = 1, highest = 1;
  for (std::size_t i = 1; i < open.size(); ++i) {
    if (open[i].ff < open[lowest].ff) lowest = i;
    if (open[i].ff > open[highest].ff) highest = i;
  }
  ASSERT_NE(lowest, highest);
  const double minFF = open[lowest].ff, maxFF = open[highest].ff;

  struct Case {
    const char* what;
    double minRR, maxRR, minFF, maxFF;
    std::vector<std::size_t> rrOutside, ffOutside;
  } cases[] = {
      {"every limit met exactly", shortRR, longRR, minFF, maxFF, {}, {}},
      {"MinRR above the shortest", std::nextafter(shortRR, 1.0), longRR, minFF, maxFF, {2}, {}},
      {"MaxRR below the longest", shortRR, std::nextafter(longRR, 0.0), minFF, maxFF,
       {1, 3, 4, 5}, {}},
      {"MinFF above the lowest", shortRR, longRR, std::nextafter(minFF, 10.0), maxFF, {},
       {lowest}},
      {"MaxFF below the highest", shortRR, longRR, minFF, std::nextafter(maxFF, 0.0), {},
       {highest}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FiducialSettings settings;
    settings.minRR = c.minRR;
    settings.maxRR = c.maxRR;
    settings.minFF = c.minFF;
    settings.maxFF = c.maxFF;
    const std::vector<FiducialEvent> beats = Beats(settings);
    ASSERT_EQ(beats.size(), 6u);
    for (std::size_t i = 1; i < beats.size(); ++i) {
      DWORD expected = 0;
      for (std::size_t k : c.rrOutside) expected |= k == i ? Rhyth::kBeatRROutsideLimits : 0;
      for (std::size_t k : c.ffOutside) expected |= k == i ? Rhyth::kBeatFFOutsideLimits : 0;
      EXPECT_EQ(beats[i].flags & Rhyth::kBeatClassMask, expected) << "beat " << i;
    }
  }
}

TEST_F(FiducialRecord, EctopicBeatsAreUsableOnlyWhenNotExcluded) {
  // The third beat comes early: its RR of 0.4 s lies below the lower limit.
  Use(5500, {1000, 1800, 2200, 3000, 3800, 4600});
  FiducialSettings settings;
  settings.minRR = 0.6;
  settings.maxRR = 1.0;
  settings.excludeEctopic = 1;
  EXPECT_EQ(Flags(Beats(settings)),
            (std::vector<DWORD>{0xFF, 0x100, 0x001, 0x100, 0x300, 0x300}));
  settings.excludeEctopic = 0;
  EXPECT_EQ(Flags(Beats(settings)),
            (std::vector<DWORD>{0xFF, 0x100, 0x301, 0x300, 0x300, 0x300}));
}

TEST_F(FiducialRecord, BeatsTheUserAddedJoinAndThoseRemovedLeave) {
  Use(5000, {1000, 1800, 2600, 3400, 4200});
  recording.AddBeat(1400);
  recording.AddBeat(4700);    // after the last reference event
  recording.AddBeat(500, 1);  // in another record
  recording.RemoveBeat(2600);
  recording.RemoveBeat(3401);  // not where a beat is
  const std::vector<FiducialEvent> beats = Beats();
  ASSERT_EQ(Positions(beats), (std::vector<LONG>{1000, 1400, 1800, 3400, 4200, 4700}));
  const double rr[] = {0.4, 0.4, 1.6, 0.8, 0.5};
  const bool byUser[] = {false, true, false, false, false, true};
  for (std::size_t i = 0; i < beats.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "beat at " << beats[i].position);
    EXPECT_EQ(beats[i].beatNumber, LONG(i + 1));
    EXPECT_EQ((beats[i].flags & Rhyth::kBeatAddedByUser) != 0, byUser[i]);
    if (i > 0) {
      EXPECT_NEAR(beats[i].rr, rr[i - 1], 1e-12);
    }
    if (byUser[i]) {
      EXPECT_EQ(beats[i].value, 0.0);
      EXPECT_EQ(beats[i].referenceDistance, 0);
    } else {
      EXPECT_EQ(beats[i].value, double(recording.Samples()[beats[i].position]));
      EXPECT_EQ(beats[i].referenceDistance, -kReferenceLag);
    }
  }
}

TEST_F(FiducialRecord, TheSameBeatsWhereverTheHostStartsReading) {
  Use(350000, RhythTest::WanderingPeaks(30, 349900, 550, 1100));
  recording.AddBeat(100020);
  recording.AddBeat(250500);
  recording.RemoveBeat(RhythTest::WanderingPeaks(30, 349900, 550, 1100)[150]);
  Quor::ComPtr<ICalcEnum> enumerator = recording.MakeEnumerator();
  const std::vector<FiducialEvent> all = ReadBeats(enumerator.Get());
  ASSERT_GT(all.size(), 400u);
  ASSERT_EQ(all.back().beatNumber, LONG(all.size()));

  struct Case {
    LONG start;
    bool reused;  // the enumerator read the whole record first
  } cases[] = {{5, false},      {99999, false}, {100000, false}, {100021, false},
               {250123, false}, {349000, true}, {120000, true},  {5, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "from " << c.start << (c.reused ? ", reused" : ""));
    Quor::ComPtr<ICalcEnum> reader = c.reused ? enumerator : recording.MakeEnumerator();
    ASSERT_EQ(reader->SetPosition(c.start), S_OK);
    EXPECT_EQ(ReadBeats(reader.Get(), 3), From(all, c.start));
  }

  // Seeking back from a beat finds the one before it, as reading found it.
  Quor::ComPtr<IEnumEventEx> events;
  enumerator->QueryInterface(IEnumEventEx::iid, Quor::ComPtrOut<IEnumEventEx>::Bind(events));
  ASSERT_EQ(events->Seek(TRUE, all[300].position, 0, kRecordEndOffset), S_OK);
  EXPECT_EQ(ReadBeats(enumerator.Get()), From(all, all[299].position));
}

TEST_F(FiducialRecord, BeatNumbersGoOnIntoTheNextRecordButIntervalsDoNot) {
  Use(5000, {1000, 1800, 2600, 3400, 4200});
  Quor::ComPtr<ICalcEnum> enumerator = recording.MakeEnumerator();
  ASSERT_EQ(ReadBeats(enumerator.Get()).size(), 5u);
  DWORD stored = 0;
  EXPECT_EQ(recording.Numbers().GetId(0, &stored), S_OK);
  EXPECT_EQ(stored, 5u);

  ASSERT_EQ(recording.Start(enumerator.Get(), 1), S_OK);
  const std::vector<FiducialEvent> next = ReadBeats(enumerator.Get());
  ASSERT_EQ(next.size(), 5u);
  EXPECT_EQ(next[0].beatNumber, 6);
  EXPECT_TRUE(std::isnan(next[0].rr));
  EXPECT_EQ(next[0].flags, Rhyth::kBeatUnclassified);
  EXPECT_EQ(next[4].beatNumber, 10);

  // Another enumerator reading the record from its middle numbers its beats alike.
  Quor::ComPtr<ICalcEnum> other = recording.MakeEnumerator();
  ASSERT_EQ(recording.Start(other.Get(), 1), S_OK);
  ASSERT_EQ(other->SetPosition(2000), S_OK);
  EXPECT_EQ(ReadBeats(other.Get()), From(next, 2000));

  // Without the document's numbers every record counts from 1.
  recording.LeaveDocument();
  Quor::ComPtr<ICalcEnum> alone = recording.MakeEnumerator();
  ASSERT_EQ(recording.Start(alone.Get(), 1), S_OK);
  EXPECT_EQ(ReadBeats(alone.Get())[0].beatNumber, 1);
}

TEST_F(FiducialRecord, OnlyBeatsInsideTheLimitRangeAreGiven) {
  Use(5000, {1000, 1800, 2600, 3400, 4200});
  struct Case {
    const char* range;
    std::vector<LONG> positions;
  } cases[] = {
      {"0 2000 0 4000", {2600, 3400}},
      {"0 2600 0 3400", {2600}},
      {"0 2000 -1 -1", {2600, 3400, 4200}},
      {"-1 -1 -1 -1", {1000, 1800, 2600, 3400, 4200}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.range);
    FiducialSettings settings;
    settings.range = c.range;
    const std::vector<FiducialEvent> beats = Beats(settings);
    ASSERT_EQ(Positions(beats), c.positions);
    // Numbers start inside the range; intervals reach back to the beat before it.
    EXPECT_EQ(beats[0].beatNumber, 1);
    if (beats[0].position > 1000) {
      EXPECT_NEAR(beats[0].rr, 0.8, 1e-12);
    }
  }

  FiducialSettings settings;
  settings.range = "0 2000 0 4000";
  Quor::ComPtr<ICalcEnum> enumerator = recording.MakeEnumerator(settings);
  ASSERT_EQ(recording.Start(enumerator.Get(), 1), S_OK);
  EXPECT_TRUE(ReadBeats(enumerator.Get()).empty());
}

TEST_F(FiducialRecord, ARecordBeingSampledGivesTheBeatsOfTheFinishedOne) {
  const std::vector<LONG> peaks = RhythTest::WanderingPeaks(30, 19900, 550, 1100);
  Use(20000, peaks);
  recording.AddBeat(9000);
  const std::vector<FiducialEvent> finished = Beats();
  // The data also ends just after a reference event, and inside a window.
  std::vector<LONG> steps = {3000, 3000, 7777, 12345, 19999, peaks[5] + kReferenceLag + 1,
                             peaks[12] + 30};
  std::sort(steps.begin(), steps.end());

  Quor::ComPtr<ICalcEnum> enumerator = recording.MakeEnumerator();
  recording.MakeAvailable(0, true);
  ASSERT_EQ(recording.Start(enumerator.Get(), 0, true), S_OK);
  Quor::ComPtr<IEnumEventEx> events;
  enumerator->QueryInterface(IEnumEventEx::iid, Quor::ComPtrOut<IEnumEventEx>::Bind(events));
  std::vector<FiducialEvent> read;
  LONG position = 0;
  for (LONG available : steps) {
    recording.MakeAvailable(available, true);
    for (const FiducialEvent& beat : ReadBeats(enumerator.Get())) {
      // A beat comes only once its whole window has been sampled.
      EXPECT_LE(beat.position + kHalfWindow, available);
      read.push_back(beat);
    }
    events->GetPosition(&position);
    EXPECT_LE(position, available);
  }
  // Once the record is finished, the host starts it again from where it got.
  recording.MakeAvailable(20000, false);
  ASSERT_EQ(recording.Start(enumerator.Get(), 0), S_OK);
  ASSERT_EQ(enumerator->SetPosition(position), S_OK);
  for (const FiducialEvent& beat : ReadBeats(enumerator.Get())) read.push_back(beat);
  EXPECT_EQ(read, finished);
}

TEST_F(FiducialRecord, ParameterTextsReadBackAsWritten) {
  struct Case {
    const char16_t* text;  // after the leading number
    const char16_t* written;
  } cases[] = {
      {u"0.1 0 0.3 2 0 10 -1 -1 -1 -1 1", u"0.1 0 0.3 2 0 10 0 0 2147483647 2147483647 1"},
      {u"0.08 1 0.25 1.75 0.5 3.5 2 86399999 3 86400001 0",
       u"0.08 1 0.25 1.75 0.5 3.5 2 86399999 3 86400001 0"},
      {u"0.1 7 0.3 2 0 10 0 0 0 0 0.5", u"0.1 0 0.3 2 0 10 0 0 2147483647 2147483647 1"},
      {u"0.1 -1 0.3 2 0 10 0 0 0 0 -0", u"0.1 0 0.3 2 0 10 0 0 2147483647 2147483647 0"},
      {u"0.2", u"0.2 0 0 0 0 0 0 0 2147483647 2147483647 1"},
  };
  Use(3000, {1000, 1800});
  Quor::ComPtr<ICalcEnum> enumerator = recording.MakeEnumerator();
  for (const Case& c : cases) {
    SCOPED_TRACE(Quor::String(c.text).ToUtf8String());
    ASSERT_EQ(RhythTest::SetParamsText(enumerator.Get(), WithLeadingNumber(c.text)), S_OK);
    const Quor::String written = RhythTest::ParamsText(enumerator.Get());
    EXPECT_EQ(written.ToUtf8String(), Quor::String(c.written).ToUtf8String());
    ASSERT_EQ(RhythTest::SetParamsText(enumerator.Get(), WithLeadingNumber(written)), S_OK);
    EXPECT_EQ(RhythTest::ParamsText(enumerator.Get()), written);
  }
  EXPECT_EQ(RhythTest::SetParamsText(enumerator.Get(), u"0 0.1 zero"), E_INVALIDARG);
}

TEST_F(FiducialRecord, NewParametersForAStartedRecordKeepItsWindow) {
  Use(5000, {1000, 1800, 2600, 3400, 4200});
  const std::vector<FiducialEvent> expected = Beats();
  Quor::ComPtr<ICalcEnum> enumerator = recording.MakeEnumerator();
  ASSERT_EQ(RhythTest::SetParamsText(enumerator.Get(), FiducialSettings{}.Text()), S_OK);
  EXPECT_EQ(ReadBeats(enumerator.Get()), expected);
}

TEST_F(FiducialRecord, BeatEventsDescribeThemselves) {
  Use(3000, {1000, 1800});
  Quor::ComPtr<ICalcEnum> enumerator = recording.MakeEnumerator();
  Quor::ComPtr<IEnumEventEx> events;
  enumerator->QueryInterface(IEnumEventEx::iid, Quor::ComPtrOut<IEnumEventEx>::Bind(events));
  DWORD size = 0, type = 0;
  ASSERT_EQ(events->GetEventSize(&size), S_OK);
  EXPECT_EQ(size, 80u);
  ASSERT_EQ(events->GetEventTypeId(&type), S_OK);
  EXPECT_EQ(type, Rhyth::FiducialEventTypeId::Id());
  EXPECT_EQ(type & 0xFFFF, 1u);
}

}  // namespace
