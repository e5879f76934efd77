// The analysis settings: which channel is analysed over which region, how beats are detected
// and classified, and how the statistics and the spectrum are computed.
#pragma once

#include "analysis/rhyth_guids.h"
#include "platform/win32/com_object.h"
#include "platform/win32/persist_stream.h"

namespace Rhyth {

struct IRhythSettings : IUnknown {
  PLATFORM_INTERFACE_ID("4db402de-c088-4da4-aa6c-246bb5281d53");
  using Base = IUnknown;

 protected:
  ~IRhythSettings() = default;
};

constexpr LONG kRegionNotSet = 0x7FFFFFFF;
// The end record of the open region of analysis while sampling.
constexpr LONG kRegionOpenEndRecord = 0x7FFFFFFE;
// The second word of a host channel reference naming the source channel.
constexpr DWORD kSourceChannelWord = 0xC0000000;
constexpr DWORD kCustomPreset = 8;
constexpr DWORD kPresetCount = 9;

struct AnalysisRegion {
  LONG startOffset = kRegionNotSet;
  LONG startRecord = kRegionNotSet;
  LONG endOffset = kRegionNotSet;
  LONG endRecord = kRegionNotSet;

  bool IsSet() const { return startRecord != kRegionNotSet && endRecord != kRegionNotSet; }
  bool operator==(const AnalysisRegion&) const = default;
};

struct SourceParams {
  DWORD channelIndex = 0;
  DWORD channelWord = kSourceChannelWord;
  BYTE selectionOnly = 0;
  BYTE markersShown = 1;
};

struct AnalysisParams {
  AnalysisRegion region;
  double binWidth = 0.01;          // s
  DWORD automaticBinWidth = 0;
  double prrxThreshold = 0.05;     // s
  double sdarrSegmentLength = 300.0;  // s
  BYTE excludeEctopic = 1;
  BYTE onlineMode = 0;
};

struct ClassifierLimits {
  double rrLow = 0.8;   // s
  double rrHigh = 1.2;  // s
  double complexityLow = 1.0;
  double complexityHigh = 1.5;
};

struct DetectionParams {
  DWORD preset = 0;
  double lowPassCutoff = 30.0;   // Hz
  double levellingWindow = 5.0;  // s
  double noiseLevel = 0.0;       // V
  double minPeakHeight = 3.0;    // S.D.
  double qrsWidth = 0.08;        // s
  double minPeriod = 0.3;        // s

  // True when the preset or any value differs; NaN compares as different.
  static bool IsDifferent(const DetectionParams& a, const DetectionParams& b);
};

enum SpectralWindow : DWORD {
  kWindowTriangular = 1,
  kWindowHamming = 2,
  kWindowBlackman = 3,
  kWindowWelch = 4,
  kWindowHann = 5,
};

struct SpectrumParams {
  double maxFrequency = 0.5;  // Hz
  double vlfLow = 0.0;
  double vlfHigh = 0.04;
  double lfLow = 0.04;
  double lfHigh = 0.15;
  double hfLow = 0.15;
  double hfHigh = 0.45;
  DWORD frequencyCount = 500;
  DWORD window = kWindowHann;  // any other value: no window
};

class Settings : public SimpleUnknownImp2<IPersistStreamInit, IRhythSettings, 0> {
 public:
  Settings();

  // IPersistStreamInit
  HRESULT GetClassID(CLSID* classId) override;
  HRESULT IsDirty() override { return dirty ? S_OK : S_FALSE; }
  HRESULT Load(IStream* stream) override;
  HRESULT Save(IStream* stream, BOOL clearDirty) override;
  HRESULT GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }
  HRESULT InitNew() override {
    ResetToDefaults();
    return S_OK;
  }

  // The parameter groups take their defaults; the object state stays.
  void ResetToDefaults();
  // A new settings object with the parameters and flags (not the stored version), with one
  // reference for the caller.
  Settings* Clone() const;
  void CopyFrom(const Settings* other);
  // What turning `other` into this record requires the analysis to redo; 0 for null.
  DWORD Compare(const Settings* other) const;

  bool ApplyDetectionPreset(DWORD storedIndex, DWORD tableIndex);
  bool ApplyClassifierPreset(DWORD index);
  bool ApplySpectrumPreset(DWORD index);

  // The parameter groups.
  SourceParams source;
  AnalysisParams analysis;
  ClassifierLimits classifier;
  DetectionParams detection;
  SpectrumParams spectrum;

  // Object state.
  LONG storedVersion = 0;  // the version word the last load read
  BYTE inUse = 0;
  BYTE secondStored = 0;
  BYTE dirty = 0;

 protected:
  ~Settings() override = default;
};

// Whether the analysis can work with these values: a positive segment length, a frequency
// grid of a sane size, histogram bins that stay countable, a positive maximum frequency and
// band edges in order. Stored data that fails this is refused.
bool AreUsableValues(const AnalysisParams& analysis, const SpectrumParams& spectrum);

// The string-table id of a preset's species name (index 0 to 8).
UINT PresetNameId(DWORD index);

// True when none of the four values is infinite or NaN.
bool IsFiniteQuad(const double values[4]);

}  // namespace Rhyth
