// The module's beat detection run against the stand-in host as the module runs it: the fiducial
// enumerator's class object registered with the host, the chain the detector builds from the
// settings over the whole of a document's data, the beats read from the fiducial channel, and
// the engine's analysis of them.
#pragma once

#include <vector>

#include "analysis/engine/analysis_engine.h"
#include "analysis/detection/detector.h"
#include "analysis/detection/fiducial_event.h"
#include "core/com_ptr.h"
#include "host/recording/synthetic_ecg.h"
#include "host/tests/document/document_test_support.h"
#include "host/tests/signal/beat_matching.h"

namespace DetectionTest {

// A host with the module's enumerator classes registered, as loading the module leaves it.
class ModuleDetection : public DocumentTest::HostTest {
 protected:
  void SetUp() override;
};

// Settings as the module starts with them, its region set to the whole of record 0.
Quor::ComPtr<Rhyth::Settings> WholeRecordSettings(IUnknown* document);

struct Detection {
  std::vector<Rhyth::FiducialEvent> beats;  // the fiducial channel's events of record 0
  HRESULT last = E_FAIL;                    // the result of the last read
};

// Builds every stage of the chain on the document and reads the fiducial channel's beats.
Detection DetectBeats(Rhyth::DetectorBase& detector, const Rhyth::Settings& settings);

// The species' presets by their index in the settings' table.
enum SpeciesPreset : DWORD {
  kHuman,
  kLargeDog,
  kSmallDog,
  kGuineaPig,
  kMouse,
  kPig,
  kRabbit,
  kRat,
};

// The built-in sample's true beats, and what the module's chain found on it.
struct SampleDetection {
  PendrelHost::SyntheticEcg ecg;
  Detection detection;
  PendrelHost::Testing::BeatMatch match;  // of the true beats, within 50 ms
};

// Detects the beats of the built-in sample with a species' preset (its detection and
// classifier groups) over the whole record.
SampleDetection DetectOnSample(const PendrelHost::SyntheticEcgSettings& sample, DWORD preset);

// The engine's full analysis of the fiducial channel over the settings' region.
void Analyse(Rhyth::AnalysisEngine& engine, Rhyth::DetectorBase& detector,
             const Rhyth::Settings& settings);

// The index of the beat nearest to `time` among beat times in order.
std::size_t NearestBeat(const std::vector<double>& beats, double time);

// The beats' times in seconds at the given tick period.
std::vector<double> BeatTimes(const std::vector<Rhyth::FiducialEvent>& beats, double tickPeriod);

}  // namespace DetectionTest
