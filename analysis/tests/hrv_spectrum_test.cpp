#include "analysis/engine/hrv_spectrum.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "analysis/settings/change_flags.h"
#include "analysis/engine/linear_fit.h"
#include "analysis/engine/lomb_scargle.h"
#include "analysis/engine/periodogram_sums.h"
#include "analysis/engine/data_window.h"
#include "analysis/tests/direct_periodogram.h"

namespace {

using Rhyth::FrequencyGrid;
using Rhyth::Spectrum;
using Rhyth::SpectrumParams;

// A varying RR series over the beat times it produces, starting `start` seconds into the
// recording.
struct RRSeries {
  std::vector<double> rr, t;
  RRSeries(std::size_t n, double start, unsigned seed = 1) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 0.02);
    double time = start;
    for (std::size_t i = 0; i < n; ++i) {
      const double interval = 0.85 + 0.04 * std::sin(0.6 * time) + 0.03 * std::sin(0.1 * time) +
                              noise(random);
      time += interval;
      rr.push_back(interval);
      t.push_back(time);
    }
  }
  DWORD n() const { return DWORD(rr.size()); }
};

std::vector<double> Periodogram(const RRSeries& s, const FrequencyGrid& grid, DWORD window) {
  std::vector<double> power(grid.count);
  Rhyth::LombScarglePeriodogram(window, s.t.data(), s.rr.data(), s.n(), grid, power.data());
  return power;
}

TEST(LinearFit, FitsALineAndFailsWithoutSpread) {
  const double t[] = {1, 2, 3, 4};
  const double line[] = {3, 5, 7, 9};
  Rhyth::Line fit;
  ASSERT_TRUE(Rhyth::LinearFit(t, line, 4, fit));
  EXPECT_DOUBLE_EQ(fit.slope, 2.0);
  EXPECT_DOUBLE_EQ(fit.intercept, 1.0);

  const double constant[] = {0.8, 0.8, 0.8, 0.8};
  EXPECT_FALSE(Rhyth::LinearFit(t, constant, 4, fit));
  const double sameTime[] = {5, 5, 5, 5};
  EXPECT_FALSE(Rhyth::LinearFit(sameTime, line, 4, fit));
  EXPECT_FALSE(Rhyth::LinearFit(t, line, 1, fit));
}

TEST(LinearFit, ASeriesThatCannotBeFittedStillLosesItsMean) {
  const double t[] = {1, 2, 3};
  const double constant[] = {0.8, 0.8, 0.8};
  const Rhyth::Line flat = Rhyth::TrendLine(t, constant, 3);
  EXPECT_EQ(flat.slope, 0.0);
  EXPECT_EQ(flat.intercept, 0.8);
  const double sameTime[] = {5, 5, 5};
  const double y[] = {1, 2, 6};
  EXPECT_DOUBLE_EQ(Rhyth::TrendLine(sameTime, y, 3).intercept, 3.0);
}

TEST(SpectrumWindow, WeightsFollowTheirFormulaScaledToMeanSquareOne) {
  const double t[] = {10, 11, 12, 13, 14};  // r = 0, 0.25, 0.5, 0.75, 1
  const struct {
    DWORD type;
    std::vector<double> raw;
  } cases[] = {
      {1, {0, 0.5, 1, 0.5, 0}},
      {2, {0.08, 0.54, 1, 0.54, 0.08}},
      {3, {0, 0.34, 1, 0.34, 0}},
      {4, {0, 0.75, 1, 0.75, 0}},
      {5, {0, 0.5, 1, 0.5, 0}},
      {0, {1, 1, 1, 1, 1}},
      {6, {1, 1, 1, 1, 1}},
  };
  for (const auto& c : cases) {
    double w[5];
    double meanSquare = 0;
    for (double v : c.raw) meanSquare += v * v / 5;
    EXPECT_NEAR(Rhyth::SpectrumWindow(c.type, t, w, 5), meanSquare, 1e-15) << c.type;
    for (int i = 0; i < 5; ++i) {
      EXPECT_NEAR(w[i], c.raw[i] / std::sqrt(meanSquare), 1e-15) << c.type << " " << i;
    }
  }
}

TEST(SpectrumWindow, WeightsThatAreAllZeroStayZero) {
  const double two[] = {3, 4};
  double w[2];
  EXPECT_EQ(Rhyth::SpectrumWindow(Rhyth::kWindowHann, two, w, 2), 0.0);
  EXPECT_EQ(w[0], 0.0);
  EXPECT_EQ(w[1], 0.0);
  const double sameTime[] = {3, 3, 3};
  double same[3];
  Rhyth::SpectrumWindow(0, sameTime, same, 3);
  EXPECT_EQ(same[2], 1.0);
}

TEST(LombScarglePeriodogram, FastSumsEqualTheDirectFormulaADayIntoTheRecording) {
  // Times near 24 hours make the largest angles, where the sums drift most.
  const RRSeries s(2500, 84000);
  for (DWORD count : {500u, 130u, 1u}) {
    const FrequencyGrid grid{0.5 / count, 1, count};
    std::vector<double> z(s.n());
    Rhyth::DetrendAndWindow(Rhyth::kWindowHann, s.t.data(), s.rr.data(), s.n(), z.data());
    EXPECT_LT(RhythTest::LargestRelativeDifference(Periodogram(s, grid, Rhyth::kWindowHann),
                                                   RhythTest::DirectPeriodogram(s.t, z, grid)),
              1e-9)
        << count;
  }
}

TEST(LombScarglePeriodogram, AConstantSeriesHasNoPower) {
  RRSeries s(300, 0);
  s.rr.assign(s.rr.size(), 0.8);
  const FrequencyGrid grid{0.001, 1, 500};
  for (DWORD window : {0u, 5u}) {
    for (double p : Periodogram(s, grid, window)) EXPECT_EQ(p, 0.0);
  }
}

TEST(LombScarglePeriodogram, AnUndefinedPhaseIsTakenAsZero) {
  // At ω = fl(π/2) on times -1, 0, 0, 1, CS and CC - SS are both exactly 0.
  const double t[] = {-1, 0, 0, 1};
  const double y[] = {1, 2, 2, 5};
  const FrequencyGrid grid{0.25, 1, 1};
  const Rhyth::PeriodogramSums sums = Rhyth::ComputePeriodogramSums(t, y, 4, grid);
  ASSERT_EQ(sums.cs[0], 0.0);
  ASSERT_EQ(sums.cc[0] - sums.ss[0], 0.0);
  double power = NAN;
  Rhyth::LombScarglePeriodogram(0, t, y, 4, grid, &power);
  EXPECT_TRUE(std::isfinite(power));
  EXPECT_GT(power, 0.0);
}

TEST(LombScarglePeriodogram, TwoBeatsUnderAWindowThatZeroesThemHaveNoPower) {
  const double t[] = {1, 2};
  const double y[] = {0.8, 0.9};
  std::vector<double> power(500);
  Rhyth::LombScarglePeriodogram(Rhyth::kWindowHann, t, y, 2, {0.001, 1, 500}, power.data());
  for (double p : power) EXPECT_EQ(p, 0.0);
}

// A periodogram of 1 everywhere, so that band sums count grid points.
void MakeFlat(Spectrum& s, double df, DWORD count) {
  s.df = df;
  s.first = 1;
  s.power.SetSize(count);
  for (double& p : s.power) p = 1;
}

// A band sums the grid points k·df from k = floor(lo/df + 0.5) (at least 1) to
// k = ceil(hi/df - 0.5); an edge on the grid belongs to both bands that meet there.
TEST(Spectrum, BandsOfEverySpeciesCoverTheirGridPointsAndShareEdgesOnTheGrid) {
  struct Case {
    double maxFrequency;
    double edges[4];  // VLF low, VLF/LF, LF/HF, HF high
  };
  const Case presets[] = {
      {0.5, {0, 0.04, 0.15, 0.45}}, {3.0, {0, 0.2, 0.75, 2.5}},  {5.0, {0, 0.15, 1.5, 5.0}},
      {2.0, {0, 0.01, 0.09, 2.0}},  {2.0, {0, 0.05, 0.15, 2.0}},
  };
  for (const Case& c : presets) {
    const double df = c.maxFrequency / 500;
    Spectrum s;
    MakeFlat(s, df, 500);
    // With T = 1/df every grid point adds its power.
    auto bandSum = [&](int band) { return s.BandPower(c.edges[band], c.edges[band + 1], 1 / df); };
    for (int band = 0; band < 3; ++band) {
      const double first = std::max(1.0, std::floor(c.edges[band] / df + 0.5));
      const double last = std::ceil(c.edges[band + 1] / df - 0.5);
      EXPECT_NEAR(bandSum(band), last - first + 1, 1e-9) << c.maxFrequency << " band " << band;
    }
    for (int edge = 1; edge < 3; ++edge) {
      const double k = c.edges[edge] / df;
      if (std::fabs(k - std::round(k)) > 1e-9) continue;
      for (double& p : s.power) p = 0;
      s.power[DWORD(std::lround(k)) - 1] = 1;
      EXPECT_NEAR(bandSum(edge - 1), 1.0, 1e-12) << c.maxFrequency << " edge " << edge;
      EXPECT_NEAR(bandSum(edge), 1.0, 1e-12) << c.maxFrequency << " edge " << edge;
      for (double& p : s.power) p = 1;
    }
    EXPECT_NEAR(s.BandPower(0, c.maxFrequency, 1 / df), 500.0, 1e-9);
  }
}

TEST(Spectrum, DefaultBandsSumTheirDocumentedGridPoints) {
  Spectrum s;
  MakeFlat(s, 0.001, 500);
  auto points = [&](double lo, double hi) { return s.BandPower(lo, hi, 1000); };
  EXPECT_NEAR(points(0.0, 0.04), 40, 1e-9);    // 1 .. 40
  EXPECT_NEAR(points(0.04, 0.15), 111, 1e-9);  // 40 .. 150
  EXPECT_NEAR(points(0.15, 0.45), 301, 1e-9);  // 150 .. 450
  EXPECT_NEAR(points(0.0, 0.5), 500, 1e-9);    // 1 .. 500
  EXPECT_EQ(Spectrum{}.BandPower(0, 0.5, 100), 0.0);
}

TEST(Spectrum, PassIntegratesThePeriodogramOverTheSpanOfTheBeats) {
  const RRSeries s(400, 100);
  SpectrumParams settings;
  Spectrum spectrum;
  ASSERT_TRUE(spectrum.Pass(Rhyth::kChangeSpectrum, s.rr.data(), s.t.data(), s.n(), settings));
  EXPECT_EQ(spectrum.df, 0.001);
  EXPECT_EQ(spectrum.first, 1);
  ASSERT_EQ(spectrum.power.GetCount(), 500u);
  const double span = s.t.back() - s.t.front();
  double sum = 0, vlf = 0;
  for (DWORD j = 0; j < 500; ++j) {
    sum += spectrum.power[j];
    if (j < 40) vlf += spectrum.power[j];
  }
  EXPECT_NEAR(spectrum.total, 0.001 * span * sum, 1e-12 * spectrum.total);
  EXPECT_NEAR(spectrum.vlf, 0.001 * span * vlf, 1e-12 * spectrum.vlf);
  EXPECT_GT(spectrum.lf, 0.0);
  EXPECT_GT(spectrum.hf, 0.0);
}

TEST(Spectrum, OneFrequencyIsTheMaximumFrequencyAlone) {
  const RRSeries s(100, 0);
  SpectrumParams settings;
  settings.frequencyCount = 1;
  Spectrum spectrum;
  spectrum.Pass(Rhyth::kChangeSpectrum, s.rr.data(), s.t.data(), s.n(), settings);
  EXPECT_EQ(spectrum.df, 0.5);
  ASSERT_EQ(spectrum.power.GetCount(), 1u);
  EXPECT_EQ(spectrum.Grid().AngularFrequency(0), 6.283185307179586 * 0.5);
  EXPECT_NEAR(spectrum.total, 0.5 * (s.t.back() - s.t.front()) * spectrum.power[0], 1e-15);
}

TEST(Spectrum, TooFewBeatsOrNoFrequenciesLeaveTheBlockAsItWas) {
  const RRSeries s(100, 0);
  SpectrumParams settings;
  Spectrum spectrum;
  spectrum.Pass(Rhyth::kChangeSpectrum, s.rr.data(), s.t.data(), s.n(), settings);
  const double total = spectrum.total;
  const double first = spectrum.power[0];

  EXPECT_TRUE(spectrum.Pass(Rhyth::kChangeSpectrum, s.rr.data(), s.t.data(), 1, settings));
  EXPECT_EQ(spectrum.total, total);
  EXPECT_FALSE(spectrum.Pass(0xFFFFFF00, s.rr.data(), s.t.data(), s.n(), settings));

  settings.frequencyCount = 0;
  spectrum.Pass(Rhyth::kChangeSpectrum, s.rr.data(), s.t.data(), 50, settings);
  EXPECT_EQ(spectrum.df, 0.001);
  EXPECT_EQ(spectrum.power[0], first);
  EXPECT_NEAR(spectrum.total / (s.t[49] - s.t[0]), total / (s.t.back() - s.t.front()), 1e-15);
}

}  // namespace
