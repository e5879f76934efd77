// Every species' preset on the built-in sample across the heart rates, QRS durations and sample
// rates it is used with: the module's chain, ending in its fiducial enumerator, finds every true
// beat within 50 ms and no other. A QRS complex that fills much of its beat (fast rates, wide
// complexes, small animals) once kept the normalised envelope's peaks under the detection
// height. Each preset is tried at the lowest sample rate it works at and at the host's highest:
// the human, dog and pig presets from 100 Hz, guinea pig and rabbit from 150 Hz, rat from
// 300 Hz and mouse from 500 Hz; below those, their complexes are too few samples long for
// their filters and beats are missed.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "analysis/tests/detection/module_detection.h"

namespace DetectionTest {
namespace {

struct RateCase {
  SpeciesPreset preset;
  double heartRate;    // beats per minute
  double qrsDuration;  // s
  double sampleRate;   // Hz
  double noise;        // mV
};

const char* const kPresetNames[] = {"Human", "LargeDog", "SmallDog", "GuineaPig",
                                    "Mouse", "Pig",      "Rabbit",   "Rat"};

void PrintTo(const RateCase& c, std::ostream* out) {
  *out << kPresetNames[c.preset] << ", " << c.heartRate << " per minute, QRS " << c.qrsDuration
       << " s, " << c.sampleRate << " Hz, noise " << c.noise << " mV";
}

// Long enough for the normalisation's window and sixteen beats.
constexpr double kShortestRecording = 10.0;  // s
constexpr int kBeats = 16;

PendrelHost::SyntheticEcgSettings Sample(const RateCase& c) {
  Quor::ComPtr<Rhyth::Settings> preset(new Rhyth::Settings);
  preset->ApplyDetectionPreset(c.preset, c.preset);
  const double interval = 60.0 / c.heartRate;
  PendrelHost::SyntheticEcgSettings sample;
  sample.sampleRate = c.sampleRate;
  sample.meanHeartRate = c.heartRate;
  sample.qrsDuration = c.qrsDuration;
  sample.noise = c.noise;
  sample.duration = std::max(kShortestRecording, kBeats * interval);
  // The intervals vary by up to 2 %, but stay above the peak detector's minimum period with a
  // margin of 5 % at three standard deviations.
  const double spread = (1.0 - 1.05 * preset->detection.minPeriod / interval) / 3.0;
  sample.heartRateStd = std::clamp(spread, 0.0, 0.02) * c.heartRate;
  return sample;
}

class DetectionRates : public ModuleDetection, public testing::WithParamInterface<RateCase> {};

TEST_P(DetectionRates, FindsEveryTrueBeatWithin50msAndNoOther) {
  const SampleDetection found = DetectOnSample(Sample(GetParam()), GetParam().preset);
  EXPECT_EQ(found.detection.last, S_FALSE);
  EXPECT_EQ(found.match.matched, found.ecg.beatTimes.size());
  EXPECT_EQ(found.match.falseBeats, 0u);
  EXPECT_GE(found.ecg.beatTimes.size(), std::size_t(kBeats - 1));
  RecordProperty("worst_offset_ms", std::to_string(found.match.worstOffset * 1000.0));
}

std::vector<RateCase> Cases() {
  std::vector<RateCase> cases;
  for (const double rate : {100.0, 2000.0}) {
    for (const double bpm : {30.0, 40.0, 60.0, 100.0, 140.0, 180.0, 190.0}) {
      for (const double qrs : {0.06, 0.1, 0.14}) cases.push_back({kHuman, bpm, qrs, rate, 0.01});
    }
    for (const double bpm : {30.0, 190.0}) {
      for (const double qrs : {0.06, 0.14}) cases.push_back({kHuman, bpm, qrs, rate, 0.05});
    }
  }
  // The species' other cases at the middle of their RR limits or at their usual rates, with
  // their usual QRS durations; mice across theirs.
  std::vector<RateCase> animals;
  for (const double rate : {100.0, 2000.0}) {
    animals.push_back({kLargeDog, 60.0 / 0.85, 0.06, rate, 0.01});
    animals.push_back({kSmallDog, 60.0 / 0.85, 0.04, rate, 0.01});
    animals.push_back({kPig, 60.0 / 0.85, 0.04, rate, 0.01});
  }
  for (const double rate : {150.0, 2000.0}) {
    animals.push_back({kRabbit, 60.0 / 0.3, 0.035, rate, 0.01});
    animals.push_back({kGuineaPig, 250.0, 0.035, rate, 0.01});
  }
  for (const double rate : {300.0, 2000.0}) animals.push_back({kRat, 350.0, 0.015, rate, 0.01});
  for (const double rate : {500.0, 2000.0}) {
    for (const double bpm : {450.0, 650.0}) {
      for (const double qrs : {0.008, 0.015, 0.03}) {
        animals.push_back({kMouse, bpm, qrs, rate, 0.01});
      }
    }
  }
  for (const RateCase& c : animals) {
    cases.push_back(c);
    // Noise counts most at the lowest rate.
    if (c.sampleRate < 2000.0 && (c.preset != kMouse || c.qrsDuration < 0.01)) {
      cases.push_back({c.preset, c.heartRate, c.qrsDuration, c.sampleRate, 0.05});
    }
  }
  return cases;
}

std::string CaseName(const testing::TestParamInfo<RateCase>& info) {
  const RateCase& c = info.param;
  return std::string(kPresetNames[c.preset]) + "_" + std::to_string(int(c.heartRate + 0.5)) +
         "bpm_qrs" + std::to_string(int(c.qrsDuration * 1000 + 0.5)) + "ms_" +
         std::to_string(int(c.sampleRate)) + "Hz_noise" + std::to_string(int(c.noise * 1000)) +
         "uV";
}

INSTANTIATE_TEST_SUITE_P(Cases, DetectionRates, testing::ValuesIn(Cases()), CaseName);

}  // namespace
}  // namespace DetectionTest
