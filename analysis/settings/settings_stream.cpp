// Storing the settings in the host's data file: the version 6 layout, the older layouts that
// are still read, and the refusal of stored data the analysis cannot work with.
#include "analysis/settings/settings.h"
#include "analysis/settings/stream_fields.h"
#include "core/com_call_guard.h"
#include "core/storage_bin_streams.h"
#include "core/string_record.h"
#include "core/xquor.h"

namespace Rhyth {

namespace {

constexpr LONG kSettingsVersion = 6;

// The parameter groups as one value, so that a load can fill a copy and commit it whole.
struct Groups {
  SourceParams source;
  AnalysisParams analysis;
  ClassifierLimits classifier;
  DetectionParams detection;
  SpectrumParams spectrum;
};

void ReadRegion(Quor::BinIStream& in, AnalysisRegion& region) {
  ReadField(in, region.startRecord);
  ReadField(in, region.startOffset);
  ReadField(in, region.endRecord);
  ReadField(in, region.endOffset);
}

void ReadVersionedLayout(Quor::BinIStream& in, LONG version, Groups& g) {
  ReadField(in, g.source.channelIndex);
  ReadField(in, g.source.channelWord);
  ReadBool32(in, g.source.selectionOnly);
  ReadBool32(in, g.source.markersShown);
  ReadRegion(in, g.analysis.region);
  ReadField(in, g.analysis.binWidth);
  BYTE automatic = BYTE(g.analysis.automaticBinWidth);
  ReadBool32(in, automatic);
  g.analysis.automaticBinWidth = automatic;
  ReadField(in, g.analysis.prrxThreshold);
  ReadBool32(in, g.analysis.excludeEctopic);
  ReadBool32(in, g.analysis.onlineMode);
  if (version >= 3) ReadField(in, g.analysis.sdarrSegmentLength);
  ReadField(in, g.classifier.rrLow);
  ReadField(in, g.classifier.rrHigh);
  ReadField(in, g.classifier.complexityLow);
  ReadField(in, g.classifier.complexityHigh);
  ReadField(in, g.detection.preset);
  ReadField(in, g.detection.levellingWindow);
  ReadField(in, g.detection.noiseLevel);
  ReadField(in, g.detection.minPeakHeight);
  ReadField(in, g.detection.qrsWidth);
  ReadField(in, g.detection.minPeriod);
  if (version >= 6) ReadField(in, g.detection.lowPassCutoff);
  ReadField(in, g.spectrum.maxFrequency);
  ReadField(in, g.spectrum.vlfLow);
  ReadField(in, g.spectrum.vlfHigh);
  ReadField(in, g.spectrum.lfLow);
  ReadField(in, g.spectrum.lfHigh);
  ReadField(in, g.spectrum.hfLow);
  ReadField(in, g.spectrum.hfHigh);
  if (version >= 2) ReadField(in, g.spectrum.frequencyCount);
  if (version >= 4) ReadField(in, g.spectrum.window);
}

// --- The older layout (versions 101, 104, 105) -------------------------------------------

struct OlderLayout {
  BYTE selectionOnly = 0, excludeEctopic = 0, onlineMode = 0, markersShown = 0;
  DWORD channelIndex = 0;
  double rr[4] = {};
  double binWidthMs = 0, prrxMs = 0, vlfLfEdge = 0, lfHfEdge = 0, hfHigh = 0, maxFrequency = 0;
  double minPeriod = 0;
};

void ExpectBlock(Quor::BinIStream& in, DWORD tag, bool first, DWORD version1, DWORD version2) {
  DWORD readTag = 0, readVersion = 0;
  ReadField(in, readTag);
  ReadField(in, readVersion);
  if (readTag != tag) throw XQuor(first ? kXQuorBadBlockTag : kXQuorBadBlockVersion);
  if (readVersion != version1 && readVersion != version2) throw XQuor(kXQuorBadBlockVersion);
}

void Skip(Quor::BinIStream& in, int words) {
  for (DWORD ignored = 0; words > 0; --words) ReadField(in, ignored);
}

void SkipDoubles(Quor::BinIStream& in, int count) {
  for (double ignored = 0; count > 0; --count) ReadField(in, ignored);
}

OlderLayout ReadOlderLayout(Quor::BinIStream& in, LONG version) {
  OlderLayout old;
  ExpectBlock(in, 0x10001, true, 101, 101);
  ReadBool32(in, old.selectionOnly);
  ReadField(in, old.channelIndex);
  for (double& r : old.rr) ReadField(in, r);
  for (int i = 1; i < 4; ++i) {
    if (old.rr[i] < old.rr[i - 1]) old.rr[i] = old.rr[i - 1];
  }
  ReadBool32(in, old.excludeEctopic);
  ReadField(in, old.binWidthMs);
  ReadField(in, old.prrxMs);
  ReadField(in, old.vlfLfEdge);
  ReadField(in, old.lfHfEdge);
  ReadField(in, old.hfHigh);
  ReadField(in, old.maxFrequency);
  Skip(in, 5);  // three words, one skipped word and a flag

  ExpectBlock(in, 0x10002, false, 101, 101);
  SkipDoubles(in, 1);
  ReadField(in, old.minPeriod);
  Skip(in, 5);

  ExpectBlock(in, 0x10003, false, 101, 101);
  Quor::String ignored;
  Quor::ReadString(in, ignored);
  Skip(in, 1);
  Quor::ReadString(in, ignored);

  ExpectBlock(in, 0x10004, false, 101, 101);
  Skip(in, 3);

  DWORD tag = 0, blockVersion = 0;
  ReadField(in, tag);
  ReadField(in, blockVersion);
  if (tag != 0x10005) throw XQuor(kXQuorBadBlockVersion);
  if (blockVersion != 101 && blockVersion != 102) throw XQuor(kXQuorBadBlockVersion);
  Skip(in, 4);
  Skip(in, blockVersion == 101 ? 4 : 5);
  Skip(in, 1);

  ExpectBlock(in, 0x10006, false, 101, 101);
  ReadBool32(in, old.onlineMode);
  ReadBool32(in, old.markersShown);

  if (version == 104 || version == 105) {
    DWORD recordVersion = 0;
    ReadField(in, recordVersion);
    if (recordVersion == 1) {
      BYTE present = 0;
      ReadBool32(in, present);
      if (present) Skip(in, 4);
      Skip(in, 1);  // compared with 777 by its writer; its meaning is not used
    }
    Skip(in, 1);
  }
  if (version == 105) {
    Skip(in, 1);
    SkipDoubles(in, 4);
    Skip(in, 1);
  }
  return old;
}

void ConvertOlderLayout(const OlderLayout& old, Settings& s) {
  s.source.selectionOnly = old.selectionOnly;
  s.analysis.excludeEctopic = old.excludeEctopic;
  s.analysis.onlineMode = old.onlineMode;
  s.source.markersShown = old.markersShown;
  s.source.channelIndex = old.channelIndex;
  s.source.channelWord = kSourceChannelWord;
  s.analysis.binWidth = old.binWidthMs / 1000;
  s.analysis.prrxThreshold = old.prrxMs / 1000;
  s.classifier.rrLow = old.rr[1] / 1000;
  s.classifier.rrHigh = old.rr[2] / 1000;
  s.spectrum.maxFrequency = old.maxFrequency;
  s.spectrum.vlfLow = 0.0;
  s.spectrum.vlfHigh = s.spectrum.lfLow = old.vlfLfEdge;
  s.spectrum.lfHigh = s.spectrum.hfLow = old.lfHfEdge;
  s.spectrum.hfHigh = old.hfHigh;
  if (old.minPeriod >= 0.01) {
    s.detection.minPeriod = old.minPeriod;
    s.ApplyDetectionPreset(kCustomPreset, kCustomPreset);
  }
}

bool IsOlderLayout(LONG version) { return version >= 101 && version <= 105; }

}  // namespace

HRESULT Settings::Load(IStream* stream) {
  return Quor::GuardedCall([&]() -> HRESULT {
    Quor::StorageBinIStreamLite in(stream);
    LONG version = 0;
    if (FAILED(in.ReadInt32(&version))) return kXQuorDataTruncated;
    storedVersion = version;
    if (IsOlderLayout(version)) {
      // A layout this old converts what it can read; a damaged one converts nothing.
      Settings* converted = Clone();
      try {
        const OlderLayout old = ReadOlderLayout(in, version);
        if (in.Good()) ConvertOlderLayout(old, *converted);
      } catch (const XQuor&) {
      }
      if (AreUsableValues(converted->analysis, converted->spectrum)) CopyFrom(converted);
      converted->Release();
    } else {
      if (DWORD(version) > DWORD(kSettingsVersion)) return kXQuorNewerVersion;
      Groups next{source, analysis, classifier, detection, spectrum};
      ReadVersionedLayout(in, version, next);
      // A short stream or unusable values: the settings stay as they were.
      if (!in.Good()) return kXQuorDataTruncated;
      if (!AreUsableValues(next.analysis, next.spectrum)) return kXQuorValueOutOfRange;
      source = next.source;
      analysis = next.analysis;
      classifier = next.classifier;
      detection = next.detection;
      spectrum = next.spectrum;
    }
    inUse = secondStored = 1;
    dirty = 0;
    return S_OK;
  });
}

HRESULT Settings::Save(IStream* stream, BOOL clearDirty) {
  return SaveRecord(stream, clearDirty, dirty, [this](Quor::BinOStream& out) {
    WriteField(out, kSettingsVersion);
    WriteField(out, source.channelIndex);
    WriteField(out, source.channelWord);
    WriteBool32(out, source.selectionOnly);
    WriteBool32(out, source.markersShown);
    const AnalysisRegion& r = analysis.region;
    for (LONG word : {r.startRecord, r.startOffset, r.endRecord, r.endOffset}) WriteField(out, word);
    WriteField(out, analysis.binWidth);
    WriteBool32(out, BYTE(analysis.automaticBinWidth));
    WriteField(out, analysis.prrxThreshold);
    WriteBool32(out, analysis.excludeEctopic);
    WriteBool32(out, analysis.onlineMode);
    WriteField(out, analysis.sdarrSegmentLength);
    for (double limit : {classifier.rrLow, classifier.rrHigh, classifier.complexityLow,
                         classifier.complexityHigh}) {
      WriteField(out, limit);
    }
    WriteField(out, detection.preset);
    for (double value : {detection.levellingWindow, detection.noiseLevel, detection.minPeakHeight,
                         detection.qrsWidth, detection.minPeriod, detection.lowPassCutoff}) {
      WriteField(out, value);
    }
    for (double value : {spectrum.maxFrequency, spectrum.vlfLow, spectrum.vlfHigh, spectrum.lfLow,
                         spectrum.lfHigh, spectrum.hfLow, spectrum.hfHigh}) {
      WriteField(out, value);
    }
    WriteField(out, spectrum.frequencyCount);
    WriteField(out, spectrum.window);
  });
}

}  // namespace Rhyth
