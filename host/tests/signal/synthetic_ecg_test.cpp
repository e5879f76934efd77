// The built-in sample: its true beats lie on the R-wave peaks at every rate, its RR series has
// the chosen mean, spread and spectrum, and a seed repeats it exactly.
#include "host/recording/synthetic_ecg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
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

// A quiet sample: no variability, noise or wander, so that intervals and heights are exact.
SyntheticEcgSettings Quiet(double heartRate, double qrsDuration) {
  SyntheticEcgSettings settings;
  settings.sampleRate = 2000.0;
  settings.duration = 12.0;
  settings.meanHeartRate = heartRate;
  settings.heartRateStd = 0.0;
  settings.qrsDuration = qrsDuration;
  settings.noise = 0.0;
  settings.baselineWander = 0.0;
  return settings;
}

// The width of the R wave at half its height, in s, around the beat at `time`.
double RWaveWidth(const SyntheticEcg& ecg, double time) {
  const std::span<const float> x = ecg.recording.Samples(0, 0);
  const double rate = ecg.recording.SampleRate();
  const auto peak = static_cast<int64_t>(std::lround(time * rate));
  const float half = x[peak] / 2.0f;
  int64_t before = peak, after = peak;
  while (x[before] > half) --before;
  while (x[after] > half) ++after;
  return static_cast<double>(after - before) / rate;
}

// A real QRS complex lasts about as long at any rate; the model's used to shrink with the RR
// interval, as its P and T waves still do.
TEST(SyntheticEcg, AQrsComplexKeepsItsDurationAtEveryHeartRate) {
  for (const double qrs : {0.01, 0.06, 0.14}) {
    for (const double rate : {40.0, 190.0}) {
      const SyntheticEcg ecg = MakeSyntheticEcg(Quiet(rate, qrs));
      ASSERT_GE(ecg.beatTimes.size(), 5u);
      // The R wave's Gaussian is a tenth of the duration wide: 2.355 of that at half height.
      EXPECT_NEAR(RWaveWidth(ecg, ecg.beatTimes[3]), 0.2355 * qrs, 0.02 * qrs + 0.0005)
          << qrs << " s at " << rate << " per minute";
    }
  }
}

TEST(SyntheticEcg, RhythmEventsChangeTheBeatsTheyName) {
  SyntheticEcgSettings settings = Quiet(60.0, 0.08);
  settings.duration = 40.0;
  settings.rhythm.pauses = {{5.0, 3.0}};
  settings.rhythm.prematureBeats = {{14.0, 0.6}};
  settings.rhythm.beatHeights = {{20.0, 2.0}};
  settings.rhythm.rateChanges = {{25.0, 150.0}, {32.0, 60.0}};
  const SyntheticEcg ecg = MakeSyntheticEcg(settings);
  const std::vector<double>& beats = ecg.beatTimes;
  const std::span<const float> x = ecg.recording.Samples(0, 0);
  const auto first = [&](double time) {
    const auto at = std::lower_bound(beats.begin(), beats.end(), time);
    return static_cast<std::size_t>(at - beats.begin());
  };
  const auto interval = [&](std::size_t i) { return beats[i + 1] - beats[i]; };
  // Above the PR segment, 50 ms before the R wave.
  const auto height = [&](std::size_t i) {
    const auto peak = static_cast<std::size_t>(std::lround(beats[i] * 2000.0));
    return x[peak] - x[peak - 100];
  };
  constexpr double kTolerance = 1e-3;  // s: the peaks' refinement

  EXPECT_NEAR(interval(first(5.0) - 1), 1.0, kTolerance);
  EXPECT_NEAR(interval(first(5.0)), 3.0, kTolerance);
  EXPECT_NEAR(interval(first(5.0) + 1), 1.0, kTolerance);
  // Early, then a compensatory pause: the beat after falls where the rhythm would have put it.
  EXPECT_NEAR(interval(first(14.0)), 0.6, kTolerance);
  EXPECT_NEAR(interval(first(14.0) + 1), 1.4, kTolerance);
  EXPECT_NEAR(interval(first(14.0) + 2), 1.0, kTolerance);
  const std::size_t tall = first(20.0);
  EXPECT_NEAR(height(tall) / height(tall - 1), 2.0, 0.01);
  EXPECT_NEAR(height(tall + 1) / height(tall - 1), 1.0, 0.01);
  EXPECT_NEAR(interval(first(25.0) - 1), 1.0, kTolerance);
  EXPECT_NEAR(interval(first(25.0) + 1), 0.4, kTolerance);
  EXPECT_NEAR(interval(first(32.0) + 1), 1.0, kTolerance);
}

// Mains interference is added as it is; the baseline swings by the wander's amplitude once the
// model has settled from its start.
TEST(SyntheticEcg, MainsAndWanderHaveTheirAmplitudes) {
  const SyntheticEcgSettings quiet = Quiet(60.0, 0.08);
  SyntheticEcgSettings mains = quiet;
  mains.mains = 0.2;
  mains.mainsFrequency = 60.0;
  SyntheticEcgSettings wander = quiet;
  wander.baselineWander = 1.0;
  const SyntheticEcg a = MakeSyntheticEcg(quiet);
  const SyntheticEcg b = MakeSyntheticEcg(mains);
  const SyntheticEcg c = MakeSyntheticEcg(wander);
  const std::span<const float> x = a.recording.Samples(0, 0);
  const std::span<const float> withMains = b.recording.Samples(0, 0);
  const std::span<const float> withWander = c.recording.Samples(0, 0);
  double swing = 0.0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double t = static_cast<double>(i) / 2000.0;
    ASSERT_NEAR(withMains[i] - x[i], 0.2 * std::sin(2.0 * std::numbers::pi * 60.0 * t), 1e-6) << t;
    if (t > 6.0) swing = std::max(swing, std::abs(static_cast<double>(withWander[i] - x[i])));
  }
  EXPECT_NEAR(swing, 1.0, 0.02);
  EXPECT_EQ(b.beatTimes, a.beatTimes);
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
  EXPECT_EQ(failure([](auto& s) { s.qrsDuration = 0.001; }),
            "the synthetic ECG needs a QRS duration from 2 ms to 1 s");
  EXPECT_EQ(failure([](auto& s) { s.mains = -1; }),
            "the synthetic ECG needs a mains amplitude of 0 or more");
  EXPECT_EQ(failure([](auto& s) { s.rhythm.rateChanges = {{10, 0}}; }),
            "the synthetic ECG needs positive heart rates at finite times");
  EXPECT_EQ(failure([](auto& s) { s.rhythm.pauses = {{10, 0}}; }),
            "the synthetic ECG needs pauses of positive length at finite times");
  EXPECT_EQ(failure([](auto& s) { s.rhythm.prematureBeats = {{10, 1.0}}; }),
            "the synthetic ECG needs premature beats at a part of the interval between 0 and 1, at "
            "finite times");
  EXPECT_EQ(failure([](auto& s) { s.rhythm.beatHeights = {{std::nan(""), 2.0}}; }),
            "the synthetic ECG needs beat heights above 0 at finite times");
}

}  // namespace
}  // namespace PendrelHost
