#include "analysis/tests/detection/module_detection.h"

#include <algorithm>

#include "analysis/settings/change_flags.h"
#include "analysis/detection/enumerator_classes.h"
#include "hostframework/class_object_list.h"

namespace DetectionTest {

namespace {

// Made at load time and linked into the module's list of class objects, as the module's own.
Rhyth::FiducialEnumClass fiducialClass(Rhyth::FiducialEnumDescriptor());

}  // namespace

void ModuleDetection::SetUp() {
  DocumentTest::HostTest::SetUp();
  RegisterClassObjects();
}

Quor::ComPtr<Rhyth::Settings> WholeRecordSettings(IUnknown* document) {
  Quor::ComPtr<Rhyth::Settings> settings(new Rhyth::Settings);
  LONG end = 0;
  EXPECT_EQ(DocumentTest::Face<IPendrelDataSource>(document)->GetEndOfData(
                Rhyth::kSourceChannelWord, 0, &end),
            S_OK);
  settings->analysis.region = {0, 0, end, 0};
  return settings;
}

Detection DetectBeats(Rhyth::DetectorBase& detector, const Rhyth::Settings& settings) {
  Detection detection;
  if (!detector.UpdateChannels(Rhyth::kChangeEverything, &settings)) {
    ADD_FAILURE() << "the detector could not build its chain";
    return detection;
  }
  detection.beats = DocumentTest::ReadEvents<Rhyth::FiducialEvent>(
      detector.HostDocument(), detector.GetFiducialChannel(), 0, 64, &detection.last);
  return detection;
}

SampleDetection DetectOnSample(const PendrelHost::SyntheticEcgSettings& sample, DWORD preset) {
  SampleDetection result{PendrelHost::MakeSyntheticEcg(sample), {}, {}};
  auto document = PendrelHost::OpenDocument(result.ecg.recording);
  Rhyth::RhythDetector detector(document.get());
  auto settings = WholeRecordSettings(document.get());
  settings->ApplyDetectionPreset(preset, preset);
  settings->ApplyClassifierPreset(preset);
  result.detection = DetectBeats(detector, *settings.Get());
  result.match = PendrelHost::Testing::MatchBeats(
      result.ecg.beatTimes, BeatTimes(result.detection.beats, 1.0 / sample.sampleRate), 0.05);
  return result;
}

void Analyse(Rhyth::AnalysisEngine& engine, Rhyth::DetectorBase& detector,
             const Rhyth::Settings& settings) {
  auto source = DocumentTest::Face<IPendrelDataSource>(detector.HostDocument());
  engine.AnalyseRange(Rhyth::kChangeEverything, source.get(), settings,
                      detector.GetFiducialChannel());
}

std::size_t NearestBeat(const std::vector<double>& beats, double time) {
  const auto after = std::lower_bound(beats.begin(), beats.end(), time);
  if (after == beats.begin()) return 0;
  const std::size_t index = std::size_t(after - beats.begin());
  return after == beats.end() || time - beats[index - 1] < *after - time ? index - 1 : index;
}

std::vector<double> BeatTimes(const std::vector<Rhyth::FiducialEvent>& beats, double tickPeriod) {
  std::vector<double> times;
  for (const Rhyth::FiducialEvent& beat : beats) times.push_back(beat.position * tickPeriod);
  return times;
}

}  // namespace DetectionTest
