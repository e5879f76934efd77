// The built-in sample: its true beats lie on the R-wave peaks at every rate, its RR series has
// the chosen mean, spread and spectrum, and a seed repeats it exactly.
#include "host/recording/synthetic_ecg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "host/recording/recording_error.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost {
namespace {

std::vector<double> Intervals(const std::vector<double>& beats) {
  std::vector<double> rr;
  for (std::size_t i = 1; i < beats.size(); ++i) rr.push_back(beats[i] - beats[i - 1]);
  return rr;
}

double Mean(const std::vector<double>& x) { return std::accumulate(x.begin(), x.end(), 0.0) / x.size(); }

double Deviation(const std::vector<double>& x) {
  const double mean = Mean(x);
  double squares = 0.0;
  for (double v : x) squares += (v - mean) * (v - mean);
  return std::sqrt(squares / (x.size() - 1));
}

// Power of the RR series (as a function of beat time) in a band, summed over a frequency grid.
double BandPower(const std::vector<double>& beats, double low, double high) {
  const std::vector<double> rr = Intervals(beats);
  const double mean = Mean(rr);
  double power = 0.0;
  for (double f = low; f < high; f += 0.002) {
    double re = 0.0, im = 0.0;
    for (std::size_t i = 0; i < rr.size(); ++i) {
      re += (rr[i] - mean) * std::cos(2.0 * std::numbers::pi * f * beats[i + 1]);
      im += (rr[i] - mean) * std::sin(2.0 * std::numbers::pi * f * beats[i + 1]);
    }
    power += re * re + im * im;
  }
  return power;
}

TEST(SyntheticEcg, TrueBeatsLieOnTheRWavePeaksAtEveryRate) {
  for (const double rate : {100.0, 250.0, 500.0, 1000.0, 2000.0}) {
    SyntheticEcgSettings settings;
    settings.sampleRate = rate;
    settings.duration = 20.0;
    settings.noise = 0.0;
    const SyntheticEcg ecg = MakeSyntheticEcg(settings);
    ASSERT_EQ(ecg.recording.TickCount(0), static_cast<int64_t>(20.0 * rate));
    ASSERT_GE(ecg.beatTimes.size(), 18u) << rate;
    ASSERT_LE(ecg.beatTimes.size(), 22u) << rate;
    const std::span<const float> x = ecg.recording.Samples(0, 0);
    for (double beat : ecg.beatTimes) {
      // The largest sample within 100 ms of the beat is the one nearest to it.
      const auto nearest = static_cast<int64_t>(std::lround(beat * rate));
      const auto reach = static_cast<int64_t>(0.1 * rate);
      const int64_t from = std::max<int64_t>(0, nearest - reach);
      const int64_t to = std::min<int64_t>(static_cast<int64_t>(x.size()), nearest + reach + 1);
      const int64_t peak = std::max_element(x.begin() + from, x.begin() + to) - x.begin();
      EXPECT_LE(std::abs(peak - nearest), 1) << rate << " Hz, beat at " << beat << " s";
      EXPECT_GT(x[peak], 0.8f);
    }
  }
}

// The peak of a sampled wave, refined between samples by a parabola, in ticks.
double RefinedPeak(std::span<const float> x, int64_t near, int64_t reach) {
  const auto from = x.begin() + std::max<int64_t>(1, near - reach);
  const auto last = static_cast<int64_t>(x.size()) - 1;
  const auto to = x.begin() + std::min<int64_t>(last, near + reach + 1);
  const int64_t i = std::max_element(from, to) - x.begin();
  const double before = x[i - 1], at = x[i], after = x[i + 1];
  return static_cast<double>(i) + 0.5 * (before - after) / (before - 2.0 * at + after);
}

// A detector finds the R wave in a smoothed view of the ECG. Were a QRS complex drawn at two
// speeds (the old beat's before its R wave, the new beat's after), its R wave would lean to the
// slower side by an amount that follows each change of RR, and the smoothed peak would wander
// about the true beat by a few tenths of a millisecond.
TEST(SyntheticEcg, SmoothingMovesEveryRWavePeakAlike) {
  SyntheticEcgSettings settings;
  settings.sampleRate = 2000.0;
  settings.duration = 30.0;
  settings.heartRateStd = 3.0;
  settings.noise = 0.0;
  settings.baselineWander = 0.0;
  const SyntheticEcg ecg = MakeSyntheticEcg(settings);
  const std::vector<float> smoothed = Testing::EvaluateSamples(ecg.recording, "lowpass(Ch1,30)");
  std::vector<double> shifts;
  for (double beat : ecg.beatTimes) {
    const double tick = beat * settings.sampleRate;
    shifts.push_back(RefinedPeak(smoothed, std::lround(tick), 40) - tick);
  }
  const auto [least, most] = std::minmax_element(shifts.begin(), shifts.end());
  // Ticks of 0.5 ms: what is left (the shift grows with the beat's own length) stays within a
  // fortieth of a tick, where a leaning R wave spread the peaks over more than two ticks.
  EXPECT_LT(*most - *least, 0.05) << *least << " to " << *most;
}

TEST(SyntheticEcg, RrSeriesHasTheChosenMeanSpreadAndSpectrum) {
  SyntheticEcgSettings settings;
  settings.sampleRate = 100.0;
  settings.duration = 600.0;
  settings.meanHeartRate = 75.0;
  settings.heartRateStd = 3.0;
  for (const double ratio : {0.2, 5.0}) {
    settings.spectrum.lfHfRatio = ratio;
    const SyntheticEcg ecg = MakeSyntheticEcg(settings);
    const std::vector<double> rr = Intervals(ecg.beatTimes);
    EXPECT_NEAR(Mean(rr), 0.8, 0.01);
    // 3 beats per minute around 75 spread the intervals by about 60 * 3 / 75^2 s.
    EXPECT_NEAR(Deviation(rr), 0.032, 0.012);
    const double lf = BandPower(ecg.beatTimes, 0.04, 0.15);
    const double hf = BandPower(ecg.beatTimes, 0.15, 0.4);
    if (ratio < 1.0) {
      EXPECT_LT(lf, hf);
    } else {
      EXPECT_GT(lf, hf);
    }
  }
}

TEST(SyntheticEcg, ASeedRepeatsTheRecordingAndAnotherSeedChangesIt) {
  SyntheticEcgSettings settings;
  settings.sampleRate = 250.0;
  settings.duration = 10.0;
  const SyntheticEcg a = MakeSyntheticEcg(settings);
  const SyntheticEcg b = MakeSyntheticEcg(settings);
  settings.seed = 2;
  const SyntheticEcg c = MakeSyntheticEcg(settings);
  EXPECT_TRUE(std::ranges::equal(a.recording.Samples(0, 0), b.recording.Samples(0, 0)));
  EXPECT_EQ(a.beatTimes, b.beatTimes);
  EXPECT_FALSE(std::ranges::equal(a.recording.Samples(0, 0), c.recording.Samples(0, 0)));
  EXPECT_EQ(a.recording.Channel(0).title, "ECG");
  EXPECT_EQ(a.recording.Channel(0).unit, "mV");
}

TEST(SyntheticEcg, RefusesSettingsNoRecordingCanHold) {
  const auto failure = [](auto change) {
    SyntheticEcgSettings settings;
    change(settings);
    return Testing::FailureOf<RecordingError>([&] { MakeSyntheticEcg(settings); });
  };
  EXPECT_EQ(failure([](auto& s) { s.duration = -1; }), "the synthetic ECG needs a positive duration");
  EXPECT_EQ(failure([](auto& s) { s.meanHeartRate = 0; }), "the synthetic ECG needs a positive mean heart rate");
  EXPECT_EQ(failure([](auto& s) { s.sampleRate = 50; }), "the sample rate 50 Hz is outside 100 Hz to 2000 Hz");
}

}  // namespace
}  // namespace PendrelHost
