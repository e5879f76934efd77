#include "analysis/engine/segment_means.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "analysis/settings/change_flags.h"

namespace {

using Rhyth::SegmentMeans;

constexpr DWORD kMeansAndStatistics = Rhyth::kSegmentPass;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A beat every `step` seconds from `from` to before `to`, RR rising with time so that every
// segment has its own mean.
struct Beats {
  std::vector<double> rr, t;
  Beats(double from, double to, double step) {
    for (double time = from; time < to; time += step) {
      t.push_back(time);
      rr.push_back(0.8 + time / 10000);
    }
  }
  DWORD n() const { return DWORD(t.size()); }
};

double Mean(const Beats& b, double from, double to) {
  double sum = 0;
  int count = 0;
  for (DWORD i = 0; i < b.n(); ++i) {
    if (b.t[i] >= from && b.t[i] < to) {
      sum += b.rr[i];
      ++count;
    }
  }
  return sum / count;
}

TEST(AdvanceSegmentEnd, FindsTheFirstEndPastTheTime) {
  const struct {
    double end, length, t, expected;
  } cases[] = {
      {0, 300, -5, 0},       // before the end: stays
      {0, 300, 0, 300},      // at the end: the next one
      {0, 300, 299.9, 300},
      {0, 300, 300, 600},
      {0, 300, 1e9, 1e9 + 200},
      {100, 0.1, 100.3, 100.4},
      {0, 0, 50, 0},          // no length: never moves, never loops
      {0, -300, 50, 0},
      {0, NAN, 50, 0},
      {0, 300, NAN, 0},
      {NAN, 300, 50, NAN},
      {0, 300, kInfinity, kInfinity},
  };
  for (const auto& c : cases) {
    const double end = Rhyth::AdvanceSegmentEnd(c.end, c.length, c.t);
    if (std::isnan(c.expected)) {
      EXPECT_TRUE(std::isnan(end));
    } else if (std::isinf(c.expected)) {
      EXPECT_EQ(end, c.expected);
    } else {
      EXPECT_NEAR(end, c.expected, 1e-9 * std::fabs(c.expected)) << c.end << " " << c.length
                                                                  << " " << c.t;
    }
  }
  // Far more segments than a double can count apart still ends past the time.
  EXPECT_GT(Rhyth::AdvanceSegmentEnd(0, 1e-300, 1.0), 1.0);
}

TEST(SegmentMeans, OnlySegmentsTheRegionCoversWhollyYieldAMean) {
  const Beats beats(0.5, 700, 1.0);
  SegmentMeans s;
  EXPECT_EQ(s.FullPass(kMeansAndStatistics, beats.rr.data(), beats.t.data(), beats.n(), 300, 0,
                       700),
            2u);
  const double first = Mean(beats, 0, 300), second = Mean(beats, 300, 600);
  EXPECT_NEAR(s.means.sum, first + second, 1e-12);
  EXPECT_NEAR(s.means.squaredDeviations, (first - second) * (first - second) / 2, 1e-15);
  EXPECT_NEAR(s.SDARR(), std::fabs(first - second) / std::sqrt(2.0), 1e-12);
  // Once the region reaches the end of the third segment, it counts.
  EXPECT_EQ(s.FullPass(kMeansAndStatistics, beats.rr.data(), beats.t.data(), beats.n(), 300, 0,
                       900),
            3u);
}

TEST(SegmentMeans, ABeatAtTheSegmentEndStartsTheNextSegment) {
  const double rr[] = {1.0, 2.0, 3.0};
  const double t[] = {100, 300, 400};
  SegmentMeans s;
  s.FullPass(kMeansAndStatistics, rr, t, 3, 300, 0, 600);
  EXPECT_EQ(s.meanCount, 2u);
  EXPECT_DOUBLE_EQ(s.means.sum, 1.0 + 2.5);
}

TEST(SegmentMeans, SegmentsWithoutBeatsYieldNoMean) {
  const double rr[] = {1.0, 2.0};
  const double t[] = {10, 1210};
  SegmentMeans s;
  s.FullPass(kMeansAndStatistics, rr, t, 2, 300, 0, 1500);
  EXPECT_EQ(s.meanCount, 2u);
  EXPECT_DOUBLE_EQ(s.means.sum, 3.0);
}

TEST(SegmentMeans, ANonPositiveLengthYieldsNoSegmentsAndNeverLoops) {
  const Beats beats(0.5, 700, 1.0);
  for (double length : {0.0, -300.0, double(NAN)}) {
    SegmentMeans s;
    EXPECT_EQ(s.FullPass(kMeansAndStatistics, beats.rr.data(), beats.t.data(), beats.n(), length,
                         0, 700),
              0u);
    for (DWORD i = 0; i < beats.n(); ++i) s.AddSegmentBeat(beats.rr[i], beats.t[i]);
    s.CloseSegment(700);
    EXPECT_EQ(s.meanCount, 0u);
    EXPECT_EQ(s.SDARR(), 0.0);
  }
}

TEST(SegmentMeans, WithoutTheStatisticsFlagOnlyTheMeansAreCounted) {
  const Beats beats(0.5, 700, 1.0);
  SegmentMeans s;
  EXPECT_EQ(s.FullPass(0x200, beats.rr.data(), beats.t.data(), beats.n(), 300, 0, 700), 2u);
  EXPECT_EQ(s.means.sum, 0.0);
  EXPECT_EQ(s.means.squaredDeviations, 0.0);
}

TEST(SegmentMeans, BeatByBeatAgreesWithTheWholeSeries) {
  const Beats beats(12.25, 2000, 0.9);
  SegmentMeans whole;
  whole.FullPass(kMeansAndStatistics, beats.rr.data(), beats.t.data(), beats.n(), 300, 10, 2110);

  SegmentMeans added;
  added.segmentLength = 300;
  added.segmentEnd = Rhyth::AdvanceSegmentEnd(10, 300, 10);
  for (DWORD i = 0; i < beats.n(); ++i) added.AddSegmentBeat(beats.rr[i], beats.t[i]);
  added.CloseSegment(2110);
  EXPECT_EQ(added.meanCount, whole.meanCount);
  EXPECT_NEAR(added.means.sum, whole.means.sum, 1e-12);
  EXPECT_NEAR(added.SDARR(), whole.SDARR(), 1e-12);
  EXPECT_EQ(added.segmentEnd, whole.segmentEnd);
}

}  // namespace
