// The beat detection chain's peak detector (stages 1 to 6 with the module's default parameters)
// puts one event on each beat of the synthetic ECG at every rate.
#include <gtest/gtest.h>

#include "host/recording/synthetic_ecg.h"
#include "host/tests/signal/beat_matching.h"

namespace PendrelHost {
namespace {

TEST(DetectionChain, FindsEveryBeatOfTheSyntheticEcgAtEveryRate) {
  for (const double rate : {100.0, 250.0, 500.0, 1000.0, 2000.0}) {
    SyntheticEcgSettings settings;
    settings.sampleRate = rate;
    settings.duration = 30.0;
    const SyntheticEcg ecg = MakeSyntheticEcg(settings);
    const Testing::BeatMatch match = Testing::MatchBeats(ecg.beatTimes, Testing::ChainPeakTimes(ecg.recording), 0.05);
    EXPECT_EQ(match.matched, ecg.beatTimes.size()) << rate << " Hz";
    EXPECT_EQ(match.falseBeats, 0u) << rate << " Hz";
  }
}

}  // namespace
}  // namespace PendrelHost
