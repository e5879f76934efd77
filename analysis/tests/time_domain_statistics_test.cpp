#include "analysis/engine/time_domain_statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "analysis/settings/change_flags.h"

namespace {

using Rhyth::TimeDomainStatistics;

constexpr DWORD kAllTimeDomain = Rhyth::kTimeDomainPass;

std::vector<double> Counts(const Rhyth::Histogram& h) { return {h.counts.begin(), h.counts.end()}; }

struct Series {
  std::vector<double> rr, delta, rate;
  explicit Series(std::vector<double> values, double firstDelta = 0) : rr(std::move(values)) {
    for (std::size_t i = 0; i < rr.size(); ++i) {
      delta.push_back(i ? rr[i] - rr[i - 1] : firstDelta);
      rate.push_back(1 / rr[i]);
    }
  }
  void FullPass(TimeDomainStatistics& s, const Rhyth::AnalysisParams& settings = {}) const {
    s.FullPass(kAllTimeDomain, rr.data(), delta.data(), rate.data(), DWORD(rr.size()), settings);
  }
};

TEST(ExactMedian, MiddleValueOrMeanOfTheTwoMiddleValues) {
  const struct {
    std::vector<double> values;
    double median;
  } cases[] = {
      {{0.8, 0.9, 1.0, 1.1}, 0.95},
      {{0.8, 1.0, 0.9}, 0.9},
      {{1.1, 0.7}, 0.9},
      {{0.7}, 0.7},
      {{}, 0.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(Rhyth::ExactMedian(c.values.data(), DWORD(c.values.size())), c.median);
  }
}

TEST(ExceedsThreshold, AChangeOfExactlyTheThresholdIsNotCounted) {
  EXPECT_FALSE(Rhyth::ExceedsThreshold(0.05, 0.05));
  EXPECT_FALSE(Rhyth::ExceedsThreshold(-0.05, 0.05));
  EXPECT_TRUE(Rhyth::ExceedsThreshold(0.0500001, 0.05));
  EXPECT_TRUE(Rhyth::ExceedsThreshold(-0.0500001, 0.05));
  EXPECT_FALSE(Rhyth::ExceedsThreshold(0.0499999, 0.05));
  EXPECT_FALSE(Rhyth::ExceedsThreshold(NAN, 0.05));
}

TEST(ExceedsThreshold, EighteenTicksAt360HzIsNeverCountedWhicheverWayTheSubtractionRounds) {
  int roundedAbove = 0;
  for (int ticks = 150; ticks < 600; ++ticks) {
    const double rr = ticks / 360.0;
    const double equal = (ticks + 18) / 360.0 - rr;
    roundedAbove += equal > 0.05;
    EXPECT_FALSE(Rhyth::ExceedsThreshold(equal, 0.05)) << ticks;
    EXPECT_FALSE(Rhyth::ExceedsThreshold(rr - (ticks + 18) / 360.0, 0.05)) << ticks;
    EXPECT_TRUE(Rhyth::ExceedsThreshold((ticks + 19) / 360.0 - rr, 0.05)) << ticks;
  }
  EXPECT_GT(roundedAbove, 0) << "the table must hold changes that round above the threshold";
}

TEST(Histogram, BinsStartAtTheLowestValueAndEndAtTheHighest) {
  const Series s({0.801, 0.829});
  TimeDomainStatistics stats;
  s.FullPass(stats);
  EXPECT_EQ(stats.rrHistogram.origin, 80);
  EXPECT_EQ(stats.rrHistogram.binWidth, 0.01);
  EXPECT_EQ(Counts(stats.rrHistogram), (std::vector<double>{1, 0, 1}));
  // The changes 0 and 0.028 fall in bins 0 and 2.
  EXPECT_EQ(stats.deltaHistogram.origin, 0);
  EXPECT_EQ(Counts(stats.deltaHistogram), (std::vector<double>{1, 0, 1}));
}

TEST(Histogram, AddingOneValueAtATimeGivesTheHistogramOfTheWholeSeries) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> value(-0.3, 0.3);
  std::vector<double> values;
  Rhyth::Histogram added;
  added.binWidth = 0.01;
  for (int i = 0; i < 300; ++i) {
    values.push_back(value(random));
    added.Add(values.back());
  }
  Rhyth::Histogram built;
  built.Build(values.data(), DWORD(values.size()), 0.01);
  EXPECT_EQ(added.origin, built.origin);
  EXPECT_EQ(Counts(added), Counts(built));
}

TEST(Histogram, ValuesWithoutABinAreLeftOutAndAWidthOfZeroHasNoBins) {
  const double values[] = {0.8, NAN, INFINITY, 0.82};
  Rhyth::Histogram h;
  h.Build(values, 4, 0.01);
  EXPECT_EQ(h.origin, 80);
  EXPECT_EQ(Counts(h), (std::vector<double>{1, 0, 1}));
  h.Add(NAN);
  h.Add(-INFINITY);
  EXPECT_EQ(Counts(h), (std::vector<double>{1, 0, 1}));
  // A rebuild at a width of 0 must not leave counts binned at the old width.
  h.Build(values, 4, 0.0);
  EXPECT_EQ(h.counts.GetCount(), 0u);
  EXPECT_EQ(h.Median(4), 0.0);
}

TEST(Histogram, MedianInterpolatesWithinItsBin) {
  Rhyth::Histogram h;
  h.binWidth = 0.01;
  for (double x : {0.805, 0.815, 0.815, 0.835}) h.Add(x);
  // Half of 4 is reached in bin 81 (cumulative 1 then 3): 0.81 + (2 - 1)/2·0.01.
  EXPECT_DOUBLE_EQ(h.Median(4), 0.815);
  EXPECT_EQ(Rhyth::Histogram{}.Median(4), 0.0);
}

TEST(TimeDomainStatistics, AutomaticBinWidthWithOneIntervalBuildsNoHistogram) {
  Rhyth::AnalysisParams settings;
  settings.automaticBinWidth = 1;
  TimeDomainStatistics one;
  Series({0.8}).FullPass(one, settings);
  EXPECT_EQ(one.rrHistogram.binWidth, 0.0);
  EXPECT_EQ(one.deltaHistogram.binWidth, 0.0);
  EXPECT_EQ(one.rrHistogram.counts.GetCount(), 0u);

  const Series many({0.8, 0.9, 0.85, 0.95, 0.7, 1.0, 0.8, 0.9});
  TimeDomainStatistics s;
  many.FullPass(s, settings);
  EXPECT_DOUBLE_EQ(s.rrHistogram.binWidth, 3.5 * s.SDRR() / std::cbrt(8.0));
  EXPECT_DOUBLE_EQ(s.deltaHistogram.binWidth, 3.5 * s.SDSD() / std::cbrt(8.0));
}

TEST(TimeDomainStatistics, AConstantSeriesHasNoSpreadRatherThanNaN) {
  TimeDomainStatistics s;
  Series(std::vector<double>(1000, 0.8), 0.0).FullPass(s);
  EXPECT_EQ(s.rr.squaredDeviations, 0.0);
  EXPECT_EQ(s.SDRR(), 0.0);
  EXPECT_EQ(s.SDRate(), 0.0);
  EXPECT_EQ(s.SDSD(), 0.0);
  EXPECT_EQ(s.SD2(), 0.0);
  EXPECT_EQ(s.medianRR, 0.8);
}

// Rounding can leave the variance under SD2's root a hair below 0: SD2 is then 0, not NaN.
TEST(TimeDomainStatistics, ARadicandJustBelowZeroGivesAnSD2OfZero) {
  TimeDomainStatistics s;
  s.intervalCount = 3;
  s.rr.squaredDeviations = 1e-20;
  s.delta.squaredDeviations = 4.000001e-20;
  EXPECT_EQ(s.SD2(), 0.0);
}

TEST(TimeDomainStatistics, TooFewIntervalsGiveZeroNotAnError) {
  TimeDomainStatistics none;
  Series({}).FullPass(none);
  for (double v : {none.MeanRR(), none.SDRR(), none.MeanRate(), none.SDRate(), none.SDSD(),
                   none.RMSSD(), none.PRRx(), none.SD1(), none.SD2(), none.medianRR}) {
    EXPECT_EQ(v, 0.0);
  }
  TimeDomainStatistics one;
  Series({0.8}, 0.03).FullPass(one);
  EXPECT_DOUBLE_EQ(one.MeanRR(), 0.8);
  EXPECT_DOUBLE_EQ(one.RMSSD(), 0.03);
  EXPECT_DOUBLE_EQ(one.MeanRate(), 75.0);
  for (double v : {one.SDRR(), one.SDSD(), one.SD1(), one.SD2(), one.SDRate()}) EXPECT_EQ(v, 0.0);
}

TEST(TimeDomainStatistics, BeatByBeatAgreesWithTheWholeSeries) {
  std::mt19937 random(3);
  std::normal_distribution<double> noise(0.0, 0.04);
  std::vector<double> rr;
  for (int i = 0; i < 500; ++i) rr.push_back(0.85 + noise(random));
  const Series series(rr);
  TimeDomainStatistics whole;
  series.FullPass(whole);

  TimeDomainStatistics added;
  added.rrHistogram.binWidth = added.deltaHistogram.binWidth = 0.01;
  added.threshold = 0.05;
  for (std::size_t i = 0; i < rr.size(); ++i) {
    added.AddBeat(series.rr[i], series.delta[i], series.rate[i]);
  }
  EXPECT_EQ(added.intervalCount, whole.intervalCount);
  EXPECT_EQ(added.largeDifferenceCount, whole.largeDifferenceCount);
  for (auto [a, w] : {std::pair{added.rr, whole.rr}, {added.delta, whole.delta},
                      {added.rate, whole.rate}}) {
    EXPECT_NEAR(a.sum, w.sum, 1e-12 * std::fabs(w.sum) + 1e-15);
    EXPECT_NEAR(a.sumOfSquares, w.sumOfSquares, 1e-12 * w.sumOfSquares);
    EXPECT_NEAR(a.squaredDeviations, w.squaredDeviations, 1e-10 * w.squaredDeviations);
  }
  EXPECT_EQ(Counts(added.rrHistogram), Counts(whole.rrHistogram));
  EXPECT_EQ(Counts(added.deltaHistogram), Counts(whole.deltaHistogram));
  // Online the median is read from the histogram: within one bin of the exact one.
  EXPECT_NEAR(added.medianRR, whole.medianRR, 0.01);
}

TEST(TimeDomainStatistics, AFirstBeatWithoutAChangeOfRRCountsForRRAndRateOnly) {
  TimeDomainStatistics s;
  s.rrHistogram.binWidth = s.deltaHistogram.binWidth = 0.01;
  s.threshold = 0.05;
  s.AddBeat(0.8, NAN, 1.25);
  s.AddBeat(0.9, 0.1, 1 / 0.9);
  EXPECT_EQ(s.intervalCount, 2u);
  EXPECT_EQ(s.rr.count, 2u);
  EXPECT_EQ(s.rate.count, 2u);
  EXPECT_EQ(s.delta.count, 1u);
  EXPECT_EQ(s.largeDifferenceCount, 1u);
  EXPECT_DOUBLE_EQ(s.delta.sum, 0.1);
  // One change of RR has no spread.
  EXPECT_EQ(s.delta.squaredDeviations, 0.0);
  EXPECT_DOUBLE_EQ(s.deltaHistogram.counts[0], 1.0);
  EXPECT_EQ(s.deltaHistogram.counts.GetCount(), 1u);
}

TEST(TimeDomainStatistics, NaNChangesInTheStoredSeriesAreLeftOutOfEveryPass) {
  const double rr[] = {0.8, 0.9, 0.85};
  const double delta[] = {NAN, 0.1, -0.05};
  const double rate[] = {1.25, 1 / 0.9, 1 / 0.85};
  TimeDomainStatistics s;
  s.FullPass(kAllTimeDomain, rr, delta, rate, 3, {});
  EXPECT_EQ(s.delta.count, 2u);
  EXPECT_DOUBLE_EQ(s.delta.sum, 0.05);
  EXPECT_DOUBLE_EQ(s.delta.squaredDeviations, 2 * 0.075 * 0.075);
  EXPECT_EQ(s.largeDifferenceCount, 1u);
  double binned = 0;
  for (double c : s.deltaHistogram.counts) binned += c;
  EXPECT_EQ(binned, 2.0);
}

TEST(TimeDomainStatistics, OnlyTheFlaggedPartsAreRedone) {
  const Series series({0.8, 0.9, 0.85, 0.95});
  TimeDomainStatistics s;
  EXPECT_FALSE(s.FullPass(0xFF00FFFF, series.rr.data(), series.delta.data(), series.rate.data(),
                          4, {}));
  EXPECT_EQ(s.intervalCount, 0u);
  EXPECT_TRUE(s.FullPass(Rhyth::kChangePrrx, series.rr.data(), series.delta.data(),
                         series.rate.data(), 4, {}));
  EXPECT_EQ(s.intervalCount, 4u);
  EXPECT_DOUBLE_EQ(s.medianRR, 0.875);
  EXPECT_EQ(s.largeDifferenceCount, 2u);
  EXPECT_EQ(s.rr.sum, 0.0);
  EXPECT_EQ(s.rrHistogram.counts.GetCount(), 0u);
}

}  // namespace
