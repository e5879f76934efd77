#include "analysis/settings/settings.h"

#include <cmath>

#include "analysis/settings/change_flags.h"

namespace Rhyth {

namespace {

struct Preset {
  UINT nameId;
  ClassifierLimits classifier;
  double lowPassCutoff, levellingWindow, qrsWidth, minPeriod;
  double maxFrequency, vlfHigh, lfHigh, hfHigh;
};

// The species rows; the last one (Custom) leaves every value as it is.
constexpr Preset kPresets[kPresetCount] = {
    {18, {0.8, 1.2, 1.0, 1.5}, 30, 5.0, 0.08, 0.3, 0.5, 0.04, 0.15, 0.45},     // Human
    {19, {0.5, 1.2, 1.0, 1.5}, 30, 4.0, 0.06, 0.18, 0.5, 0.04, 0.15, 0.45},    // Large Dog
    {20, {0.5, 1.2, 1.0, 1.5}, 30, 3.5, 0.04, 0.15, 0.5, 0.04, 0.15, 0.45},    // Small Dog
    {21, {0.35, 0.55, 1.1, 1.3}, 60, 3.3, 0.035, 0.15, 3.0, 0.2, 0.75, 2.5},   // Guinea Pig
    {22, {0.09, 0.12, 0.9, 1.1}, 150, 1.0, 0.01, 0.06, 5.0, 0.15, 1.5, 5.0},   // Mouse
    {23, {0.5, 1.2, 1.0, 1.5}, 30, 3.7, 0.04, 0.2, 2.0, 0.01, 0.09, 2.0},      // Pig
    {24, {0.25, 0.35, 1.1, 1.3}, 60, 3.4, 0.035, 0.1, 2.0, 0.05, 0.15, 2.0},   // Rabbit
    {25, {0.1, 0.2, 1.0, 1.8}, 150, 1.5, 0.015, 0.1, 3.0, 0.2, 0.75, 2.5},     // Rat
    {26, {}, 0, 0, 0, 0, 0, 0, 0, 0},                                          // Custom
};

// Unequal or unordered (NaN) values count as different.
bool Differs(double a, double b) { return !(a == b); }

DWORD CompareSource(const SourceParams& a, const SourceParams& b) {
  const bool differs = a.channelIndex != b.channelIndex || a.channelWord != b.channelWord ||
                       a.selectionOnly != b.selectionOnly;
  return differs ? kChangeEverything : 0;
}

DWORD CompareAnalysis(const AnalysisParams& a, const AnalysisParams& b) {
  DWORD flags = 0;
  if (!(a.region == b.region)) flags |= kChangeEverything;
  if (a.excludeEctopic != b.excludeEctopic) flags |= kChangeFiducialStage | kChangeEngine;
  if (Differs(a.binWidth, b.binWidth) || BYTE(a.automaticBinWidth) != BYTE(b.automaticBinWidth)) {
    flags |= kChangeHistograms;
  }
  if (Differs(a.prrxThreshold, b.prrxThreshold)) flags |= kChangePrrx;
  if (Differs(a.sdarrSegmentLength, b.sdarrSegmentLength)) flags |= kChangeSegments;
  return flags;
}

DWORD CompareClassifier(const ClassifierLimits& a, const ClassifierLimits& b) {
  const bool differs = Differs(a.rrLow, b.rrLow) || Differs(a.rrHigh, b.rrHigh) ||
                       Differs(a.complexityLow, b.complexityLow) ||
                       Differs(a.complexityHigh, b.complexityHigh);
  return differs ? kChangeFiducialStage | kChangeEngine : 0;
}

DWORD CompareDetection(const DetectionParams& a, const DetectionParams& b) {
  DWORD flags = 0;
  if (Differs(a.lowPassCutoff, b.lowPassCutoff)) flags |= kChangeEverything;
  if (Differs(a.levellingWindow, b.levellingWindow) || Differs(a.noiseLevel, b.noiseLevel) ||
      Differs(a.minPeakHeight, b.minPeakHeight) || Differs(a.minPeriod, b.minPeriod)) {
    flags |= kChangeNormalisationStages | kChangeFiducialStage | kChangeEngine;
  }
  // The derivative's length follows the QRS width, so the filter stages change with it.
  if (Differs(a.qrsWidth, b.qrsWidth)) {
    flags |= kChangeFilterStages | kChangeFiducialStage | kChangeEngine;
  }
  return flags;
}

DWORD CompareSpectrum(const SpectrumParams& a, const SpectrumParams& b) {
  DWORD flags = 0;
  // The window shapes the periodogram itself, as the frequency grid does.
  if (Differs(a.maxFrequency, b.maxFrequency) || a.frequencyCount != b.frequencyCount ||
      a.window != b.window) {
    flags |= kChangeSpectrum;
  }
  if (Differs(a.vlfLow, b.vlfLow) || Differs(a.vlfHigh, b.vlfHigh) || Differs(a.lfLow, b.lfLow) ||
      Differs(a.lfHigh, b.lfHigh) || Differs(a.hfLow, b.hfLow) || Differs(a.hfHigh, b.hfHigh)) {
    flags |= kChangeSpectrumBands;
  }
  return flags;
}

}  // namespace

bool DetectionParams::IsDifferent(const DetectionParams& a, const DetectionParams& b) {
  return a.preset != b.preset || Differs(a.lowPassCutoff, b.lowPassCutoff) ||
         Differs(a.levellingWindow, b.levellingWindow) || Differs(a.noiseLevel, b.noiseLevel) ||
         Differs(a.minPeakHeight, b.minPeakHeight) || Differs(a.qrsWidth, b.qrsWidth) ||
         Differs(a.minPeriod, b.minPeriod);
}

Settings::Settings() = default;

HRESULT Settings::GetClassID(CLSID* classId) {
  if (!classId) return E_POINTER;
  *classId = GUID_RhythDocumentObj;
  return S_OK;
}

void Settings::ResetToDefaults() {
  source = SourceParams();
  analysis = AnalysisParams();
  classifier = ClassifierLimits();
  detection = DetectionParams();
  spectrum = SpectrumParams();
}

Settings* Settings::Clone() const {
  auto* copy = new Settings;
  copy->AddRef();
  copy->CopyFrom(this);
  copy->inUse = inUse;
  copy->secondStored = secondStored;
  copy->dirty = dirty;
  return copy;
}

void Settings::CopyFrom(const Settings* other) {
  if (!other) return;
  source = other->source;
  analysis = other->analysis;
  classifier = other->classifier;
  detection = other->detection;
  spectrum = other->spectrum;
}

DWORD Settings::Compare(const Settings* other) const {
  if (!other) return 0;
  return CompareSource(source, other->source) | CompareAnalysis(analysis, other->analysis) |
         CompareClassifier(classifier, other->classifier) |
         CompareDetection(detection, other->detection) |
         CompareSpectrum(spectrum, other->spectrum);
}

bool Settings::ApplyDetectionPreset(DWORD storedIndex, DWORD tableIndex) {
  // There is no row past Custom: an index out of range changes nothing.
  if (storedIndex >= kPresetCount || tableIndex >= kPresetCount) return false;
  detection.preset = storedIndex;
  if (tableIndex != kCustomPreset) {
    const Preset& row = kPresets[tableIndex];
    detection.lowPassCutoff = row.lowPassCutoff;
    detection.levellingWindow = row.levellingWindow;
    detection.qrsWidth = row.qrsWidth;
    detection.minPeriod = row.minPeriod;
  }
  if (storedIndex != kCustomPreset) {
    detection.noiseLevel = 0.0;
    detection.minPeakHeight = 3.0;
  }
  return true;
}

bool Settings::ApplyClassifierPreset(DWORD index) {
  if (index >= kPresetCount) return false;
  if (index != kCustomPreset) classifier = kPresets[index].classifier;
  return true;
}

bool Settings::ApplySpectrumPreset(DWORD index) {
  if (index >= kPresetCount) return false;
  if (index == kCustomPreset) return true;
  const Preset& row = kPresets[index];
  spectrum.maxFrequency = row.maxFrequency;
  spectrum.vlfLow = 0.0;
  spectrum.vlfHigh = spectrum.lfLow = row.vlfHigh;
  spectrum.lfHigh = spectrum.hfLow = row.lfHigh;
  spectrum.hfHigh = row.hfHigh;
  return true;
}

UINT PresetNameId(DWORD index) { return index < kPresetCount ? kPresets[index].nameId : 0; }

bool IsFiniteQuad(const double values[4]) {
  for (int i = 0; i < 4; ++i) {
    if (!std::isfinite(values[i])) return false;
  }
  return true;
}

}  // namespace Rhyth
