// resample(x, 1, 1, 1, N, 0, 2) is a Hilbert transformer: x*x + H*H is the squared envelope.
#include <gtest/gtest.h>

#include <cmath>

#include "host/channels/computed_channels.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost {
namespace {

using Testing::MakeRecording;
using Testing::ReadAll;
using Testing::Sine;

constexpr double kEnvelopeRate = 1000.0;

// A 20 Hz tone of amplitude 2 between 1 s and 2 s, with 0.1 s raised-cosine ramps.
std::vector<float> ToneBurst() {
  std::vector<float> burst = Sine(kEnvelopeRate, 3000, 20.0, 2.0);
  for (std::size_t i = 0; i < burst.size(); ++i) {
    const double t = static_cast<double>(i) / kEnvelopeRate;
    double gain = 0.0;
    if (t >= 1.0 && t <= 2.0) gain = 1.0;
    if (t >= 0.9 && t < 1.0) gain = 0.5 - 0.5 * std::cos(std::numbers::pi * (t - 0.9) / 0.1);
    if (t > 2.0 && t <= 2.1) gain = 0.5 + 0.5 * std::cos(std::numbers::pi * (t - 2.0) / 0.1);
    burst[i] = static_cast<float>(burst[i] * gain);
  }
  return burst;
}

TEST(HilbertTransformer, SquaredEnvelopeOfAToneBurstFollowsTheBurst) {
  const Recording recording = MakeRecording(kEnvelopeRate, {ToneBurst()});
  const EventEnumeratorRegistry registry;
  ComputedChannels channels(recording, registry);
  channels.SetFormula(channels.Add("H"), "resample(Ch1, 1, 1, 1, 161, 0, 2)");
  const std::vector<float> envelope = ReadAll(channels.Evaluate("Ch1 * Ch1 + H * H"));
  for (std::size_t i = 1100; i < 1900; ++i) ASSERT_NEAR(std::sqrt(envelope[i]), 2.0, 0.06) << i;
  for (std::size_t i = 0; i < 800; ++i) ASSERT_NEAR(std::sqrt(envelope[i]), 0.0, 0.01) << i;
  for (std::size_t i = 2200; i < 3000; ++i) ASSERT_NEAR(std::sqrt(envelope[i]), 0.0, 0.01) << i;
}

TEST(HilbertTransformer, TurnsACosineIntoASineWithoutDelay) {
  struct Case {
    double rate;
    const char* taps;
  };
  // An even width takes one tap more, so that the transformer stays centred.
  for (const Case c : {Case{360.0, "57"}, Case{1000.0, "160"}, Case{1000.0, "161"}}) {
    const Recording recording = MakeRecording(c.rate, {Sine(c.rate, 2000, 25.0, 1.0, std::numbers::pi / 2)});
    const std::vector<float> sine = Sine(c.rate, 2000, 25.0);
    const std::vector<float> out =
        Testing::EvaluateSamples(recording, std::string("resample(Ch1,1,1,1,") + c.taps + ",0,2)");
    for (std::size_t i = 200; i < 1800; ++i) ASSERT_NEAR(out[i], sine[i], 0.02) << c.taps << " taps, tick " << i;
  }
}

}  // namespace
}  // namespace PendrelHost
