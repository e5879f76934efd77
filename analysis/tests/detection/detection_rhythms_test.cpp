// Rhythms that trip detectors whose threshold follows the recent beats, on the built-in sample
// with the human preset: a sudden change of rate and back, a pause, premature beats with their
// compensatory pauses, one tall beat among ordinary ones, and the baseline wander, mains and
// noise of an ambulatory recording. The module's chain finds every true beat within 50 ms and
// no other.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "analysis/tests/detection/module_detection.h"

namespace DetectionTest {
namespace {

struct RhythmCase {
  const char* name;
  void (*change)(PendrelHost::SyntheticEcgSettings&);  // of half a minute at 250 Hz
};

void PrintTo(const RhythmCase& c, std::ostream* out) { *out << c.name; }

void Ambulatory(PendrelHost::SyntheticEcgSettings& s) {
  s.baselineWander = 1.0;
  s.mains = 0.2;
  s.noise = 0.05;
}

const RhythmCase kRhythms[] = {
    {"RateJump60To150AndBack",
     [](auto& s) { s.rhythm.rateChanges = {{10.0, 150.0}, {20.0, 60.0}}; }},
    {"Pause3s", [](auto& s) { s.rhythm.pauses = {{12.0, 3.0}}; }},
    {"PrematureBeatsWithCompensatoryPauses",
     [](auto& s) { s.rhythm.prematureBeats = {{8.0, 0.6}, {16.0, 0.5}, {17.5, 0.6}}; }},
    {"DoubleAmplitudeBeat", [](auto& s) { s.rhythm.beatHeights = {{12.0, 2.0}}; }},
    {"AmbulatoryWanderMainsAndNoise", Ambulatory},
    {"AmbulatoryAt1kHzWith60HzMains",
     [](auto& s) {
       Ambulatory(s);
       s.sampleRate = 1000.0;
       s.mainsFrequency = 60.0;
     }},
};

class DetectionRhythms : public ModuleDetection,
                         public testing::WithParamInterface<RhythmCase> {};

TEST_P(DetectionRhythms, FindsEveryTrueBeatWithin50msAndNoOther) {
  PendrelHost::SyntheticEcgSettings sample;
  sample.sampleRate = 250.0;
  sample.duration = 30.0;
  GetParam().change(sample);
  const SampleDetection found = DetectOnSample(sample, kHuman);
  EXPECT_EQ(found.match.matched, found.ecg.beatTimes.size());
  EXPECT_EQ(found.match.falseBeats, 0u);
  EXPECT_GE(found.ecg.beatTimes.size(), 25u);
}

INSTANTIATE_TEST_SUITE_P(Rhythms, DetectionRhythms, testing::ValuesIn(kRhythms),
                         [](const testing::TestParamInfo<RhythmCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace DetectionTest
