// The first minute of MIT-BIH record 100 (../shared/data/mitdb-100s), lead MLII, in its CSV and
// its WFDB forms: the module's whole chain, ending in its fiducial enumerator, finds the 74
// reference beats and no other, and the engine analyses them.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "analysis/tests/detection/module_detection.h"
#include "host/recording/recording_file.h"
#include "host/recording/synthetic_ecg.h"
#include "host/tests/signal/beat_matching.h"

namespace DetectionTest {
namespace {

using PendrelHost::Testing::MitBihExcerptFolder;

constexpr double kTick = 1.0 / 360.0;
constexpr LONG kPrematureBeat = 2044;  // the excerpt's one atrial premature beat

class MitBihDetection : public ModuleDetection, public testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(MitBihExcerptFolder()))
      GTEST_SKIP() << MitBihExcerptFolder() << " is absent: the shared test data is not here";
    ModuleDetection::SetUp();
    document = PendrelHost::OpenDocument(
        PendrelHost::LoadRecordingFile(MitBihExcerptFolder() / GetParam()));
    detector = std::make_unique<Rhyth::RhythDetector>(document.get());
    settings = WholeRecordSettings(document.get());
  }

  Tarn::HeldReference<IUnknown> document;
  std::unique_ptr<Rhyth::RhythDetector> detector;
  Quor::ComPtr<Rhyth::Settings> settings;
  const std::vector<double> reference = PendrelHost::Testing::MitBihReferenceBeats();
};

TEST_P(MitBihDetection, TheFiducialChannelHoldsEveryReferenceBeatAndNoOther) {
  const Detection detection = DetectBeats(*detector, *settings.Get());
  EXPECT_EQ(detection.last, S_FALSE);
  ASSERT_EQ(reference.size(), 74u);
  const std::vector<double> found = BeatTimes(detection.beats, kTick);
  const PendrelHost::Testing::BeatMatch match =
      PendrelHost::Testing::MatchBeats(reference, found, 0.15);
  EXPECT_EQ(match.matched, 74u);
  EXPECT_EQ(match.falseBeats, 0u);
  EXPECT_EQ(found.size(), 74u);
  EXPECT_LE(match.worstOffset, kTick * 1.001);
  RecordProperty("worst_offset_ms", std::to_string(match.worstOffset * 1000.0));
  // Read one beat at a time, the channel gives the same beats.
  std::vector<LONG> ticks;
  for (const Rhyth::FiducialEvent& beat : detection.beats) ticks.push_back(beat.position);
  EXPECT_EQ(DocumentTest::EventTicks(document.get(), detector->GetFiducialChannel(), 0, 1), ticks);
}

// The default RR limits (0.8 to 1.2 s) would call half of this 74-per-minute rhythm ectopic;
// limits around its own mean RR (0.81 s) leave only the premature beat (RR 0.65 s) outside.
TEST_P(MitBihDetection, TheEngineAnalysesTheBeatsWithThePrematureOneAsTheOnlyEctopic) {
  settings->classifier.rrLow = 0.7;
  settings->classifier.rrHigh = 1.1;
  const struct {
    BYTE excludeEctopic;
    DWORD intervals, normal, ectopic;
  } cases[] = {
      // The first beat has no RR and the second no change of RR: 72 intervals remain.
      {0, 72, 71, 1},
      // Excluded, the premature beat takes with it the change of RR of the beat after it.
      {1, 70, 70, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.excludeEctopic));
    settings->analysis.excludeEctopic = c.excludeEctopic;
    const Detection detection = DetectBeats(*detector, *settings.Get());
    Rhyth::AnalysisEngine engine;
    Analyse(engine, *detector, *settings.Get());
    EXPECT_EQ(engine.RRIntervals().GetCount(), c.intervals);
    EXPECT_EQ(engine.NormalCount(), c.normal);
    EXPECT_EQ(engine.EctopicCount(), c.ectopic);
    for (const Rhyth::FiducialEvent& beat : detection.beats) {
      EXPECT_EQ(beat.IsNormal(), beat.position != kPrematureBeat && !std::isnan(beat.rr))
          << beat.position;
    }

    // Each interval is the reference interval that ends at its beat, within one tick.
    for (DWORD i = 0; i < engine.RRIntervals().GetCount(); ++i) {
      const double time = engine.BeatTimes()[i];
      const std::size_t ending = NearestBeat(reference, time);
      ASSERT_GT(ending, 0u);
      EXPECT_NEAR(engine.RRIntervals()[i], reference[ending] - reference[ending - 1], kTick * 1.001)
          << time;
    }
  }
}

// The least and the largest form factor of the beats.
std::pair<double, double> FormFactors(const std::vector<Rhyth::FiducialEvent>& beats) {
  std::pair<double, double> range{1e9, -1e9};
  for (const Rhyth::FiducialEvent& beat : beats) {
    range = {std::min(range.first, beat.ff), std::max(range.second, beat.ff)};
  }
  return range;
}

// The built-in sample's QRS complexes measure as a recorded ECG's do: at the excerpt's rate,
// the form factors of its beats lie in the band of the excerpt's, inside the human limits.
TEST_P(MitBihDetection, TheBuiltInSampleHasTheFormFactorsOfTheExcerpt) {
  const auto [recordedLow, recordedHigh] =
      FormFactors(DetectBeats(*detector, *settings.Get()).beats);
  PendrelHost::SyntheticEcgSettings sampleSettings;
  sampleSettings.sampleRate = 360.0;
  sampleSettings.duration = 60.0;
  auto sample = PendrelHost::OpenDocument(PendrelHost::MakeSyntheticEcg(sampleSettings).recording);
  Rhyth::RhythDetector sampleDetector(sample.get());
  const auto [low, high] =
      FormFactors(DetectBeats(sampleDetector, *WholeRecordSettings(sample.get()).Get()).beats);
  RecordProperty("excerpt_ff", std::to_string(recordedLow) + " to " + std::to_string(recordedHigh));
  RecordProperty("sample_ff", std::to_string(low) + " to " + std::to_string(high));
  EXPECT_GE(low, recordedLow - 0.02);
  EXPECT_LE(high, recordedHigh + 0.02);
  EXPECT_GE(low, settings->classifier.complexityLow);
  EXPECT_LE(high, settings->classifier.complexityHigh);
}

INSTANTIATE_TEST_SUITE_P(Forms, MitBihDetection, testing::Values("100s.csv", "100s.hea"));

}  // namespace
}  // namespace DetectionTest
