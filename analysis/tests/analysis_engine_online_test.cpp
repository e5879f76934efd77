#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "analysis/engine/analysis_engine.h"
#include "analysis/settings/change_flags.h"
#include "analysis/tests/beat_list_source.h"
#include "analysis/tests/held_settings.h"

namespace {

using Rhyth::AnalysisEngine;
using Rhyth::FiducialEvent;
using RhythTest::BeatListSource;
using RhythTest::HeldSettings;
using RhythTest::kBeatChannel;
using RhythTest::MakeBeat;
using RhythTest::Values;

// A recording being sampled: record 1 grows while the engine follows it.
struct OnlineTest : ::testing::Test {
  Quor::ComPtr<BeatListSource> source = BeatListSource::Create();
  HeldSettings settings;
  AnalysisEngine engine;
  std::vector<FiducialEvent> beats;

  OnlineTest() {
    source->AddRecord({});
    const PendrelRecordInfo info = {0.001, 1000.0, 0.0, 0.0, 0.0, 0, 0};
    source->currentRecord = source->AddRecord({}, info, true);
    std::mt19937 random(5);
    std::normal_distribution<double> noise(0.0, 0.03);
    LONG position = 0;
    double previous = NAN;
    for (int i = 0; i < 800; ++i) {
      const double rr = std::round((0.8 + noise(random)) * 1000) / 1000;
      position += LONG(std::lround(rr * 1000));
      beats.push_back(MakeBeat(position, rr, rr - previous, i ? 0x300 : 0xFF));
      previous = rr;
    }
  }
  void Arrive(std::size_t from, std::size_t to) {
    auto& events = source->records[1].events;
    events.insert(events.end(), beats.begin() + from, beats.begin() + to);
  }
  void Start() {
    engine.PrepareOnline(source.Get(), settings.settings, kBeatChannel);
    ASSERT_EQ(engine.StartOnline(), S_OK);
  }
};

TEST_F(OnlineTest, BeatByBeatGivesTheResultsOfAFullAnalysisOfTheSameBeats) {
  Start();
  EXPECT_EQ(engine.UpdateOnline(), S_FALSE);
  for (std::size_t from = 0; from < beats.size(); from += 100) {
    Arrive(from, from + 100);
    EXPECT_EQ(engine.StartOnline(), S_OK);  // the host starts the pass as data arrives
    EXPECT_EQ(engine.UpdateOnline(), S_OK);
    // The spectrum, computed when read, is that of the beats so far.
    Rhyth::Spectrum now;
    now.Pass(Rhyth::kChangeSpectrum, engine.RRIntervals().begin(), engine.BeatTimes().begin(),
             engine.RRIntervals().GetCount(), settings->spectrum);
    EXPECT_EQ(engine.SpectrumResults().total, now.total);
    EXPECT_EQ(engine.SpectrumResults().hf, now.hf);
  }
  source->records[1].growing = false;
  source->records[1].endOfData = beats.back().position + 200;
  EXPECT_EQ(engine.StopOnline(), S_OK);
  EXPECT_FALSE(engine.IsOnline());

  AnalysisEngine full;
  settings->analysis.region = {0, 1, source->records[1].endOfData, 1};
  full.AnalyseRange(Rhyth::kChangeEverything, source.Get(), *settings.settings, kBeatChannel);
  ASSERT_EQ(Values(engine.RRIntervals()), Values(full.RRIntervals()));
  EXPECT_EQ(Values(engine.BeatTimes()), Values(full.BeatTimes()));
  EXPECT_EQ(engine.NormalCount(), full.NormalCount());
  // Online only the RR is tested: the first beat, without a change of RR, is a classifier point.
  EXPECT_EQ(engine.ClassifierPoints().GetCount(), full.ClassifierPoints().GetCount() + 1);
  const auto& a = engine.TimeDomain();
  const auto& b = full.TimeDomain();
  EXPECT_EQ(a.largeDifferenceCount, b.largeDifferenceCount);
  for (auto [x, y] : {std::pair{a.SDRR(), b.SDRR()}, {a.SDSD(), b.SDSD()},
                      {a.RMSSD(), b.RMSSD()}, {a.SDRate(), b.SDRate()}, {a.SD2(), b.SD2()}}) {
    EXPECT_NEAR(x, y, 1e-12 * y);
  }
  EXPECT_EQ(engine.Segments().meanCount, full.Segments().meanCount);
  EXPECT_NEAR(engine.Segments().SDARR(), full.Segments().SDARR(), 1e-12);
  const auto& p = engine.SpectrumResults();
  const auto& q = full.SpectrumResults();
  EXPECT_EQ(Values(p.power), Values(q.power));
  EXPECT_EQ(p.total, q.total);
  EXPECT_EQ(p.hf, q.hf);
}

TEST_F(OnlineTest, StartingAgainDoesNotReadTheBeatsTwice) {
  Arrive(0, 50);
  Start();
  engine.UpdateOnline();
  EXPECT_EQ(engine.StartOnline(), S_OK);
  EXPECT_EQ(engine.UpdateOnline(), S_FALSE);
  EXPECT_EQ(engine.RRIntervals().GetCount(), 49u);
  EXPECT_EQ(source->opened.size(), 1u);
}

TEST_F(OnlineTest, AFullAnalysisWaitsWhileOnline) {
  Arrive(0, 50);
  Start();
  engine.UpdateOnline();
  const double total = engine.SpectrumResults().total;
  settings->analysis.region = {0, 0, kRecordEndOffset, 1};
  EXPECT_EQ(engine.AnalyseRange(Rhyth::kChangeEverything, source.Get(), *settings.settings,
                                kBeatChannel),
            0u);
  EXPECT_EQ(engine.RRIntervals().GetCount(), 49u);
  EXPECT_EQ(engine.SpectrumResults().total, total);
}

TEST_F(OnlineTest, ABeatWithoutAChangeOfRRCountsForRROnly) {
  source->records[1].events = {MakeBeat(800, 0.8, NAN), MakeBeat(1700, 0.9, 0.1),
                               MakeBeat(kRecordEndOffset, 0.9, 0.0)};
  Start();
  EXPECT_EQ(engine.UpdateOnline(), S_OK);
  const auto& td = engine.TimeDomain();
  EXPECT_EQ(td.intervalCount, 2u);
  EXPECT_EQ(td.delta.count, 1u);
  EXPECT_EQ(td.largeDifferenceCount, 1u);
  EXPECT_EQ(Values(engine.BeatTimes()), (std::vector<double>{1000.8, 1001.7}));
}

TEST_F(OnlineTest, PreparingRebinsAndRecountsTheBeatsAlreadyAnalysed) {
  Arrive(0, 300);
  settings->analysis.automaticBinWidth = 1;
  settings->analysis.region = {0, 1, kRecordEndOffset, 1};
  engine.AnalyseRange(Rhyth::kChangeEverything, source.Get(), *settings.settings, kBeatChannel);
  ASSERT_NE(engine.TimeDomain().rrHistogram.binWidth, 0.01);
  const DWORD largeAtDefault = engine.TimeDomain().largeDifferenceCount;
  settings->analysis.prrxThreshold = 0.02;
  engine.PrepareOnline(source.Get(), settings.settings, kBeatChannel);
  EXPECT_GT(engine.TimeDomain().largeDifferenceCount, largeAtDefault);
  EXPECT_EQ(engine.TimeDomain().threshold, 0.02);
  DWORD large = 0;
  for (double d : engine.DeltaRR()) large += Rhyth::ExceedsThreshold(d, 0.02);
  EXPECT_EQ(engine.TimeDomain().largeDifferenceCount, large);
  Rhyth::Histogram fixed;
  fixed.Build(engine.RRIntervals().begin(), engine.RRIntervals().GetCount(), 0.01);
  EXPECT_EQ(engine.TimeDomain().rrHistogram.binWidth, 0.01);
  EXPECT_EQ(engine.TimeDomain().rrHistogram.origin, fixed.origin);
  EXPECT_EQ(Values(engine.TimeDomain().rrHistogram.counts), Values(fixed.counts));
}

TEST_F(OnlineTest, WithoutItsBeatChannelStartingFails) {
  Arrive(0, 50);
  source->refuseEnumerators = true;
  engine.PrepareOnline(source.Get(), settings.settings, kBeatChannel);
  EXPECT_EQ(engine.StartOnline(), E_FAIL);
  // A pass that never started leaves the engine free for a range analysis.
  EXPECT_FALSE(engine.IsOnline());
  EXPECT_EQ(engine.UpdateOnline(), S_FALSE);
  EXPECT_EQ(engine.StopOnline(), S_OK);
  source->refuseEnumerators = false;
  settings->analysis.region = {0, 1, kRecordEndOffset, 1};
  EXPECT_EQ(engine.AnalyseRange(Rhyth::kChangeEverything, source.Get(), *settings.settings,
                                kBeatChannel),
            49u);
  AnalysisEngine idle;
  EXPECT_EQ(idle.UpdateOnline(), S_FALSE);
  EXPECT_EQ(idle.StopOnline(), S_OK);
}

}  // namespace
