// The FIR stages delay nothing, keep DC, and mirror their edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "host/channels/computed_channels.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost {
namespace {

using Testing::MakeRecording;
using Testing::Sine;

constexpr double kRate = 1000.0;
constexpr auto Evaluate = Testing::EvaluateSamples;

// The lag, in ticks within +-maxLag, at which b best matches a.
int BestLag(const std::vector<float>& a, const std::vector<float>& b, int maxLag) {
  int best = 0;
  double bestScore = -1e300;
  for (int lag = -maxLag; lag <= maxLag; ++lag) {
    double score = 0.0;
    for (std::size_t i = 200; i + 200 < a.size(); ++i) score += a[i] * b[i + lag];
    if (score > bestScore) {
      bestScore = score;
      best = lag;
    }
  }
  return best;
}

TEST(FirStages, LowpassKeepsAConstantAtEveryTickEdgesIncluded) {
  const Recording recording = MakeRecording(kRate, {std::vector<float>(3000, 2.5f)});
  for (const char* formula : {"lowpass(Ch1, 30)", "lowpass(Ch1, 5)", "lowpass(Ch1, 200)"}) {
    const std::vector<float> out = Evaluate(recording, formula);
    ASSERT_EQ(out.size(), 3000u) << formula;
    for (std::size_t i = 0; i < out.size(); ++i) ASSERT_NEAR(out[i], 2.5f, 1e-5) << formula << " at " << i;
  }
}

TEST(FirStages, LowpassImpulseResponseIsSymmetricAboutTheImpulse) {
  std::vector<float> impulse(2001, 0.0f);
  impulse[1000] = 1.0f;
  const std::vector<float> out = Evaluate(MakeRecording(kRate, {impulse}), "lowpass(Ch1, 30)");
  EXPECT_EQ(std::max_element(out.begin(), out.end()) - out.begin(), 1000);
  for (int k = 1; k < 200; ++k) ASSERT_FLOAT_EQ(out[1000 - k], out[1000 + k]) << k;
}

TEST(FirStages, LowpassPassesALowToneWithoutDelayAndStopsAHighOne) {
  const std::vector<float> low = Sine(kRate, 4000, 5.0, 1.0, 0.3);
  const std::vector<float> lowOut = Evaluate(MakeRecording(kRate, {low}), "lowpass(Ch1, 30)");
  EXPECT_EQ(BestLag(low, lowOut, 20), 0);
  for (std::size_t i = 500; i < 3500; ++i) ASSERT_NEAR(lowOut[i], low[i], 0.01) << i;

  const std::vector<float> high = Evaluate(MakeRecording(kRate, {Sine(kRate, 4000, 100.0)}), "lowpass(Ch1, 30)");
  for (std::size_t i = 500; i < 3500; ++i) ASSERT_NEAR(high[i], 0.0f, 0.01) << i;
}

TEST(FirStages, LowpassAtOrAbove045TimesTheRatePassesTheSignalUnchanged) {
  const std::vector<float> noise = Sine(kRate, 1000, 123.0, 1.0, 0.1);
  EXPECT_EQ(Evaluate(MakeRecording(kRate, {noise}), "lowpass(Ch1, 450)"), noise);
  EXPECT_EQ(Evaluate(MakeRecording(kRate, {noise}), "lowpass(Ch1, 1000)"), noise);
}

TEST(FirStages, DifferentiateGivesTheSlopePerSecondWithoutDelay) {
  struct Case {
    int points;
  };
  std::vector<float> ramp(1000);
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = 0.002f * static_cast<float>(i);  // 2 per second
  const std::vector<float> tone = Sine(kRate, 4000, 2.0);
  for (const Case c : {Case{3}, Case{4}, Case{7}, Case{21}}) {
    const std::string formula = "differentiate(Ch1, " + std::to_string(c.points) + ")";
    const std::vector<float> slope = Evaluate(MakeRecording(kRate, {ramp}), formula);
    for (std::size_t i = 20; i + 20 < slope.size(); ++i) ASSERT_NEAR(slope[i], 2.0f, 1e-3) << formula << " at " << i;
    // The derivative of sin(2 pi f t) is 2 pi f cos(2 pi f t): a quarter period ahead, no more.
    const std::vector<float> derivative = Evaluate(MakeRecording(kRate, {tone}), formula);
    const std::vector<float> expected = Sine(kRate, 4000, 2.0, 2.0 * std::numbers::pi * 2.0, std::numbers::pi / 2);
    for (std::size_t i = 20; i + 20 < tone.size(); ++i) ASSERT_NEAR(derivative[i], expected[i], 0.05) << formula;
  }
}

TEST(FirStages, MirroredEdgesMakeTheSlopeZeroAtTheEdgesOfARamp) {
  std::vector<float> ramp(100);
  for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<float>(i);
  const std::vector<float> slope = Evaluate(MakeRecording(kRate, {ramp}), "differentiate(Ch1, 3)");
  EXPECT_FLOAT_EQ(slope.front(), 0.0f);
  EXPECT_FLOAT_EQ(slope.back(), 0.0f);
  EXPECT_FLOAT_EQ(slope[1], 1000.0f);
}

TEST(FirStages, ARecordShorterThanTheKernelStillReadsEveryTick) {
  const std::vector<float> out = Evaluate(MakeRecording(kRate, {{1.0f, 2.0f, 3.0f}}), "lowpass(Ch1, 10)");
  ASSERT_EQ(out.size(), 3u);
  for (float v : out) EXPECT_TRUE(std::isfinite(v));
}

}  // namespace
}  // namespace PendrelHost
