// normalizeSec: the moving z-score against a direct computation, with mirrored edges.
#include <gtest/gtest.h>

#include <cmath>

#include "host/channels/mirrored_read.h"
#include "host/recording/seeded_random.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost {
namespace {

using Testing::EvaluateSamples;
using Testing::MakeRecording;

constexpr double kRate = 100.0;

// The z-score of tick i over the window [i - lead, i - lead + window), mirrored at the edges.
double DirectZScore(const std::vector<float>& x, int64_t i, int64_t window, int64_t lead, double floor) {
  const auto at = [&](int64_t t) { return static_cast<double>(x[MirrorTick(t, static_cast<int64_t>(x.size()))]); };
  double sum = 0.0;
  for (int64_t t = i - lead; t < i - lead + window; ++t) sum += at(t);
  const double mean = sum / static_cast<double>(window);
  double squares = 0.0;
  for (int64_t t = i - lead; t < i - lead + window; ++t) squares += (at(t) - mean) * (at(t) - mean);
  const double deviation = std::max(std::sqrt(squares / static_cast<double>(window)), floor);
  return deviation > 0.0 ? (at(i) - mean) / deviation : 0.0;
}

TEST(MovingZScore, MatchesTheDirectComputation) {
  struct Case {
    const char* formula;
    int64_t window;
    int64_t lead;
    double floor;
  };
  SeededRandom random(7);
  std::vector<float> x(40000);  // more than two blocks
  for (float& v : x) v = static_cast<float>(3.0 + random.Normal());
  const Recording recording = MakeRecording(kRate, {x});
  for (const Case c : {Case{"normalizeSec(Ch1, 5, 2.5, 0)", 500, 250, 0.0},
                       Case{"normalizeSec(Ch1, 1, 0, 0)", 100, 0, 0.0},
                       Case{"normalizeSec(Ch1, 2, 3, 0)", 200, 300, 0.0},
                       Case{"normalizeSec(Ch1, 0.5, 0.25, 5)", 50, 25, 5.0}}) {
    const std::vector<float> z = EvaluateSamples(recording, c.formula);
    ASSERT_EQ(z.size(), x.size());
    for (int64_t i : {0L, 1L, 100L, 16383L, 16384L, 30000L, 39999L}) {
      EXPECT_NEAR(z[i], DirectZScore(x, i, c.window, c.lead, c.floor), 1e-4) << c.formula << " at " << i;
    }
  }
}

TEST(MovingZScore, AFlatSignalIsZeroAndTheFloorLimitsTheGain) {
  const Recording flat = MakeRecording(kRate, {std::vector<float>(1000, 4.0f)});
  for (float v : EvaluateSamples(flat, "normalizeSec(Ch1, 5, 2.5, 0)")) ASSERT_EQ(v, 0.0f);

  std::vector<float> step(1000, 0.0f);
  step[500] = 1.0f;
  const std::vector<float> floored = EvaluateSamples(MakeRecording(kRate, {step}), "normalizeSec(Ch1, 5, 2.5, 10)");
  EXPECT_NEAR(floored[500], (1.0 - 1.0 / 500.0) / 10.0, 1e-6);
}

}  // namespace
}  // namespace PendrelHost
