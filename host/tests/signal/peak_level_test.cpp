// normalizeSec: the peak-level normalisation against a direct computation of its definition
// across blocks and mirrored edges, and what it makes of pulse trains like a QRS envelope.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "host/channels/mirrored_read.h"
#include "host/recording/seeded_random.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost {
namespace {

using Testing::EvaluateSamples;
using Testing::MakeRecording;

constexpr double kLevelRate = 100.0;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// The value of tick i by the definition, sample by sample: the window [i - lead, i - lead +
// window) mirrored at the edges, its mean over the numbers in it, its second-highest peak (a
// number larger than every number up to reach ticks before it and no smaller than every one
// up to reach ticks after it), and a twelfth of that peak's height over the mean as the unit.
double Direct(const std::vector<float>& x, int64_t i, int64_t window, int64_t lead, double floor) {
  const int64_t size = static_cast<int64_t>(x.size());
  const auto at = [&](int64_t t) { return static_cast<double>(x[MirrorTick(t, size)]); };
  const int64_t reach = std::max<int64_t>(1, window / 20);
  double sum = 0.0;
  int count = 0;
  std::optional<double> highest, second;
  for (int64_t t = i - lead; t < i - lead + window; ++t) {
    const double v = at(t);
    if (std::isnan(v)) continue;
    sum += v;
    ++count;
    bool peak = true;
    for (int64_t q = t - reach; q <= t + reach && peak; ++q) {
      if (q != t && !std::isnan(at(q))) peak = q < t ? v > at(q) : v >= at(q);
    }
    if (!peak) continue;
    if (!highest || v > *highest) {
      second = highest;
      highest = v;
    } else if (!second || v > *second) {
      second = v;
    }
  }
  if (count == 0 || std::isnan(at(i))) return std::nan("");
  const double mean = sum / count;
  const std::optional<double> level = second ? second : highest;
  const double unit = std::max(level ? std::max(*level - mean, 0.0) / 12.0 : 0.0, floor);
  return unit > 0.0 ? (at(i) - mean) / unit : 0.0;
}

TEST(PeakLevel, MatchesTheDirectComputationAcrossBlocksAndEdges) {
  struct Case {
    const char* formula;
    int64_t window;
    int64_t lead;
    double floor;
  };
  SeededRandom random(7);
  std::vector<float> x(40000);  // more than two blocks
  for (std::size_t i = 0; i < x.size(); ++i) {
    x[i] = static_cast<float>(3.0 + random.Normal() + (i % 97 < 3 ? 20.0 : 0.0));
  }
  x[16390] = kNaN;  // in the second block, inside the windows of the ticks around it
  const Recording recording = MakeRecording(kLevelRate, {x});
  for (const Case c : {Case{"normalizeSec(Ch1, 5, 2.5, 0)", 500, 250, 0.0},
                       Case{"normalizeSec(Ch1, 1, 0, 0)", 100, 0, 0.0},
                       Case{"normalizeSec(Ch1, 2, 3, 0)", 200, 300, 0.0},
                       Case{"normalizeSec(Ch1, 0.1, 0.05, 0)", 10, 5, 0.0},
                       Case{"normalizeSec(Ch1, 0.5, 0.25, 5)", 50, 25, 5.0}}) {
    const std::vector<float> z = EvaluateSamples(recording, c.formula);
    ASSERT_EQ(z.size(), x.size());
    for (int64_t i : {0L, 1L, 100L, 16383L, 16384L, 16389L, 16391L, 16500L, 30000L, 39999L}) {
      EXPECT_NEAR(z[i], Direct(x, i, c.window, c.lead, c.floor), 1e-3) << c.formula << " at " << i;
    }
    // Only the missing sample itself has no value.
    EXPECT_TRUE(std::isnan(z[16390])) << c.formula;
    EXPECT_EQ(std::count_if(z.begin(), z.end(), [](float v) { return std::isnan(v); }), 1)
        << c.formula;
  }
}

// Pulses of `width` ticks every `period` ticks, the one at `tallAt` (if any) `tall` times as
// high, on a small ripple between them.
std::vector<float> PulseTrain(int64_t period, int64_t width, int64_t tallAt = -1,
                              double tall = 1.0) {
  std::vector<float> x(6000);
  for (std::size_t i = 0; i < x.size(); ++i) {
    const auto t = static_cast<int64_t>(i);
    const double phase = static_cast<double>(t % period) / static_cast<double>(width);
    const double pulse = phase < 1.0 ? std::sin(3.141592653589793 * phase) : 0.0;
    x[i] = static_cast<float>((t / period == tallAt ? tall : 1.0) * pulse +
                              0.02 * std::sin(0.3 * static_cast<double>(t)));
  }
  return x;
}

// The least value at the pulses' tops and the largest between them, away from the edges.
struct PulseHeights {
  double tops = 1e9;
  double between = -1e9;
};

PulseHeights Heights(const std::vector<float>& z, int64_t period, int64_t width,
                     int64_t skip = -1) {
  PulseHeights h;
  for (int64_t t = 1000; t < 5000; ++t) {
    const int64_t k = t % period;
    if (t / period == skip) continue;
    if (k == width / 2) h.tops = std::min<double>(h.tops, z[t]);
    if (k >= width + 2 && k < period - 2) h.between = std::max<double>(h.between, z[t]);
  }
  return h;
}

TEST(PeakLevel, PulsesStandNearTwelveWhateverShareOfThePeriodTheyTake) {
  // A z-score would put a pulse taking 40 % of its period under 2.
  for (const int64_t width : {4, 10, 20, 40}) {
    SCOPED_TRACE(width);
    const std::vector<float> x = PulseTrain(100, width);
    const std::vector<float> z =
        EvaluateSamples(MakeRecording(kLevelRate, {x}), "normalizeSec(Ch1, 5, 2.5, 0)");
    const PulseHeights h = Heights(z, 100, width);
    EXPECT_GT(h.tops, 9.0);
    EXPECT_LT(h.tops, 13.0);
    EXPECT_LT(h.between, 1.0);
  }
}

TEST(PeakLevel, OneTallPulseLeavesTheOthersAsTheyWere) {
  const std::string formula = "normalizeSec(Ch1, 5, 2.5, 0)";
  const std::vector<float> plain = PulseTrain(200, 20);
  const std::vector<float> tall = PulseTrain(200, 20, 15, 10.0);
  const PulseHeights a = Heights(EvaluateSamples(MakeRecording(kLevelRate, {plain}), formula), 200, 20);
  const PulseHeights b =
      Heights(EvaluateSamples(MakeRecording(kLevelRate, {tall}), formula), 200, 20, 15);
  EXPECT_NEAR(b.tops, a.tops, 1.0);
  EXPECT_GT(b.tops, 9.0);
}

TEST(PeakLevel, AFlatSignalIsZeroAndTheFloorLimitsTheGain) {
  const Recording flat = MakeRecording(kLevelRate, {std::vector<float>(1000, 4.0f)});
  for (float v : EvaluateSamples(flat, "normalizeSec(Ch1, 5, 2.5, 0)")) ASSERT_EQ(v, 0.0f);

  std::vector<float> step(1000, 0.0f);
  step[500] = 1.0f;
  const std::vector<float> floored =
      EvaluateSamples(MakeRecording(kLevelRate, {step}), "normalizeSec(Ch1, 5, 2.5, 10)");
  EXPECT_NEAR(floored[500], (1.0 - 1.0 / 500.0) / 10.0, 1e-6);
}

}  // namespace
}  // namespace PendrelHost
