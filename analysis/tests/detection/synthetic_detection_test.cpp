// The built-in sample recording at the sample rates the host takes, from 100 Hz to 2 kHz: the
// module's whole chain finds each true beat with its interval within one tick of the truth, the
// default classifier calls every beat normal, and the engine's statistics over those beats lie
// as near the true RR series' statistics as errors of one tick allow.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/settings/change_flags.h"
#include "analysis/engine/hrv_spectrum.h"
#include "analysis/tests/detection/module_detection.h"
#include "analysis/engine/time_domain_statistics.h"
#include "host/recording/synthetic_ecg.h"
#include "host/tests/signal/beat_matching.h"

namespace DetectionTest {
namespace {

// RR intervals, each with its change of RR and the time of the beat that ends it.
struct RrSeries {
  std::vector<double> rr, delta, rate, time;

  void Add(double interval, double change, double at) {
    rr.push_back(interval);
    delta.push_back(change);
    rate.push_back(1.0 / interval);
    time.push_back(at);
  }
};

// A series' statistics, by the engine's own passes.
struct Statistics {
  Statistics(const RrSeries& series, const Rhyth::Settings& settings) {
    const DWORD n = DWORD(series.rr.size());
    timeDomain.FullPass(Rhyth::kChangeEngine, series.rr.data(), series.delta.data(),
                        series.rate.data(), n, settings.analysis);
    spectrum.Pass(Rhyth::kChangeEngine, series.rr.data(), series.time.data(), n, settings.spectrum);
  }

  Rhyth::TimeDomainStatistics timeDomain;
  Rhyth::Spectrum spectrum;
};

constexpr double kLowestFormFactorAt100Hz = 0.8;

class SyntheticDetection : public ModuleDetection, public testing::WithParamInterface<double> {
 protected:
  void SetUp() override {
    ModuleDetection::SetUp();
    // The default settings (the human preset) fit the sample's 60 beats per minute, and its QRS
    // complexes have a recorded one's form factor (1.16 to 1.22 from 250 Hz up). At 100 Hz the
    // eight samples of the 80 ms window measure it by where they fall on the R wave: a
    // recorded ECG resampled to 100 Hz (the MIT-BIH excerpt) gives 0.86 to 1.14, the sample
    // 0.83 to 1.15, and the lower limit of 1.0 would call a third of either's beats ectopic.
    // There the classifier takes the lower limit a user of 100 Hz recordings needs.
    if (GetParam() < 250.0) settings->classifier.complexityLow = kLowestFormFactorAt100Hz;
    detection = DetectBeats(detector, *settings.Get());
  }

  static PendrelHost::SyntheticEcg Sample() {
    PendrelHost::SyntheticEcgSettings sample;
    sample.sampleRate = GetParam();
    sample.duration = 150.0;
    return PendrelHost::MakeSyntheticEcg(sample);
  }

  const double tick = 1.0 / GetParam();
  const PendrelHost::SyntheticEcg ecg = Sample();
  const std::vector<double>& truth = ecg.beatTimes;
  Tarn::HeldReference<IUnknown> document = PendrelHost::OpenDocument(ecg.recording);
  Rhyth::RhythDetector detector{document.get()};
  Quor::ComPtr<Rhyth::Settings> settings = WholeRecordSettings(document.get());
  Detection detection;
};

TEST_P(SyntheticDetection, FindsEveryTrueBeatWithItsIntervalWithinATick) {
  EXPECT_EQ(detection.last, S_FALSE);
  const std::vector<double> found = BeatTimes(detection.beats, tick);
  const PendrelHost::Testing::BeatMatch match =
      PendrelHost::Testing::MatchBeats(truth, found, 0.05);
  EXPECT_EQ(match.matched, truth.size());
  EXPECT_EQ(match.falseBeats, 0u);
  ASSERT_EQ(found.size(), truth.size());
  EXPECT_LE(match.worstOffset, tick);
  for (std::size_t i = 1; i < found.size(); ++i) {
    const std::size_t k = NearestBeat(truth, found[i]);
    ASSERT_GT(k, 0u);
    EXPECT_NEAR(detection.beats[i].rr, truth[k] - truth[k - 1], tick) << "beat at " << found[i];
  }
}

// Every beat lies within a tick of its true time (the test above), so the error δ of each
// interval the engine admits is within a tick. The mean RR moves by the mean of δ, which
// telescopes to the difference of the last and the first beat's error over n: at most 2T/n.
// SDRR, RMSSD and the square root of a band's power are seminorms of the series (a band's power
// for fixed beat times is a sum of squared projections of it), so each moves by no more than
// its own value over δ alone, which the engine's passes give. The engine's beat times also
// differ from the true ones by less than a tick, which turns a component of frequency f by less
// than 2 pi f T; the band's square root moves by less than that part of the whole spectrum's.
TEST_P(SyntheticDetection, TheEnginesStatisticsMatchTheTrueSeriesWithinWhatTicksExplain) {
  Rhyth::AnalysisEngine engine;
  Analyse(engine, detector, *settings.Get());
  const DWORD n = engine.RRIntervals().GetCount();
  // The first beat has no RR and the second no change of RR: every other beat is admitted.
  ASSERT_EQ(n, truth.size() - 2);
  EXPECT_EQ(engine.NormalCount(), n);
  EXPECT_EQ(engine.EctopicCount(), 0u);

  RrSeries trueSeries, errors;
  for (DWORD i = 0; i < n; ++i) {
    const std::size_t k = NearestBeat(truth, engine.BeatTimes()[i]);
    ASSERT_GE(k, 2u);
    const double rr = truth[k] - truth[k - 1];
    const double delta = rr - (truth[k - 1] - truth[k - 2]);
    trueSeries.Add(rr, delta, truth[k]);
    errors.Add(engine.RRIntervals()[i] - rr, engine.DeltaRR()[i] - delta, engine.BeatTimes()[i]);
  }
  const Statistics expected(trueSeries, *settings.Get());
  const Statistics ticks(errors, *settings.Get());
  const Rhyth::TimeDomainStatistics& found = engine.TimeDomain();
  EXPECT_NEAR(found.MeanRR(), expected.timeDomain.MeanRR(), 2 * tick / n);
  EXPECT_NEAR(found.SDRR(), expected.timeDomain.SDRR(), ticks.timeDomain.SDRR());
  EXPECT_NEAR(found.RMSSD(), expected.timeDomain.RMSSD(), ticks.timeDomain.RMSSD());

  const Rhyth::SpectrumParams& bands = settings->spectrum;
  const struct {
    const char* name;
    double Rhyth::Spectrum::*power;
    double highest;  // Hz
  } powers[] = {
      {"total", &Rhyth::Spectrum::total, bands.maxFrequency},
      {"VLF", &Rhyth::Spectrum::vlf, bands.vlfHigh},
      {"LF", &Rhyth::Spectrum::lf, bands.lfHigh},
      {"HF", &Rhyth::Spectrum::hf, bands.hfHigh},
  };
  const double whole = std::sqrt(expected.spectrum.total);
  for (const auto& p : powers) {
    const double turn = 2 * std::numbers::pi * p.highest * tick;
    EXPECT_NEAR(std::sqrt(engine.SpectrumResults().*p.power), std::sqrt(expected.spectrum.*p.power),
                std::sqrt(ticks.spectrum.*p.power) + turn * whole)
        << p.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Rates, SyntheticDetection,
                         testing::Values(100.0, 250.0, 500.0, 1000.0, 2000.0),
                         [](const testing::TestParamInfo<double>& info) {
                           return std::to_string(int(info.param)) + "Hz";
                         });

}  // namespace
}  // namespace DetectionTest
