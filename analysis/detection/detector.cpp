#include "analysis/detection/detector.h"

#include "analysis/settings/change_flags.h"
#include "core/format_stream.h"
#include "hostframework/extlib/host_calls.h"

namespace Rhyth {

namespace {

constexpr LONG kNoRecordWithData = 0x7FFFFFFE;
constexpr LONG kMinimumResamplingWidth = 21;

// Region words are tick and record numbers: written whole, never rounded to six digits.
LONGLONG RegionWord(LONG word) { return word; }

}  // namespace

Quor::String DetectorBase::LowPassFormula(const Settings& settings) {
  return Quor::Format(u"lowpass(%1,%2)",
                      ChannelRefText(settings.source.channelIndex, settings.source.channelWord),
                      settings.detection.lowPassCutoff);
}

Quor::String DetectorBase::DerivativeFormula(const Quor::String& lowPass) {
  return Quor::Format(u"differentiate(%1,%2)", lowPass, 3);
}

Quor::String DetectorBase::ResampleFormula(const Quor::String& derivative, LONG width) {
  return Quor::Format(u"resample(%1,1,1,1,%2,0,2)", derivative, width);
}

Quor::String DetectorBase::EnvelopeFormula(const Quor::String& derivative,
                                           const Quor::String& resampled) {
  return Quor::Format(u"%1 * %2 + %3 * %4", derivative, derivative, resampled, resampled);
}

Quor::String DetectorBase::NormaliseFormula(const Quor::String& envelope, const Settings& settings) {
  const DetectionParams& d = settings.detection;
  return Quor::Format(u"normalizeSec(%1,%2,%3,%4)", envelope, d.levellingWindow,
                      d.levellingWindow / 2, d.noiseLevel);
}

Quor::String DetectorBase::PeakFormula(const Quor::String& normalised, const Settings& settings) {
  const DetectionParams& d = settings.detection;
  return Quor::Format(u"cmpeakdet(%1,%2,%3,%4)", normalised, d.minPeakHeight, d.minPeriod, 30);
}

Quor::String DetectorBase::FiducialFormula(const Quor::String& signal, const Quor::String& peaks,
                                           const Settings& settings) {
  const ClassifierLimits& c = settings.classifier;
  const AnalysisRegion& r = settings.analysis.region;
  return Quor::Format(u"fiducial(%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,%11,%12,%13)", signal, peaks,
                      settings.detection.qrsWidth, 0, c.rrLow, c.rrHigh, c.complexityLow,
                      c.complexityHigh, RegionWord(r.startRecord), RegionWord(r.startOffset),
                      RegionWord(r.endRecord), RegionWord(r.endOffset),
                      settings.analysis.excludeEctopic ? 1 : 0);
}

LONG DetectorBase::ResamplingWidth(const Settings& settings) {
  auto channels = ExtLib::Query<IPendrelChannelData>(HostDocument());
  if (!channels) return kMinimumResamplingWidth;
  const DWORD word = settings.source.channelWord;
  const DWORD index = settings.source.channelIndex;
  LONG count = 0;
  channels->GetRecordCount(word, &count);
  LONG record = kNoRecordWithData;
  for (LONG r = count - 1; r >= 0; --r) {
    if (channels->HasData(word, r, index) == S_OK) {
      record = r;
      break;
    }
  }
  double interval = 0.0;
  channels->GetSampleInterval(word & 0x7FFFFFFF, record, index, &interval);
  if (!(interval > 0.0)) return kMinimumResamplingWidth;
  const double width = settings.detection.qrsWidth / interval * 2.0;
  if (!(width >= kMinimumResamplingWidth)) return kMinimumResamplingWidth;
  return width < 1e6 ? LONG(width) : LONG(1e6);
}

bool DetectorBase::UpdateChannels(DWORD flags, const Settings* settings) {
  if (!settings || !HostDocument()) return false;
  const Quor::String empty;
  // A stage is named in the formulas of later stages as the host named it: where the host
  // chose another name (a recording channel already bore the stage's), the stage's own name
  // would call that recording channel.
  if (flags & kChangeFilterStages) {
    SetChannel(LowPassName(), LowPassFormula(*settings), empty);
    const Quor::String lowPass = HostName(LowPassName());
    SetChannel(DerivativeName(), DerivativeFormula(lowPass), empty);
    const Quor::String derivative = HostName(DerivativeName());
    SetChannel(ResampledName(), ResampleFormula(derivative, ResamplingWidth(*settings)), empty);
    SetChannel(EnvelopeName(), EnvelopeFormula(derivative, HostName(ResampledName())), empty);
  }
  if (flags & kChangeNormalisationStages) {
    const bool normalised = SetChannel(
        NormalisedName(), NormaliseFormula(HostName(EnvelopeName()), *settings), empty);
    const bool peaks =
        SetChannel(PeaksName(), PeakFormula(HostName(NormalisedName()), *settings), empty);
    if (!normalised || !peaks) return false;
  }
  if (flags & kChangeFiducialStage) {
    return SetChannel(FiducialName(),
                      FiducialFormula(HostName(LowPassName()), HostName(PeaksName()), *settings),
                      empty);
  }
  return true;
}

bool DetectorBase::SourceHasFiducialMarks(const Settings& settings) {
  const PendrelChannelRef fiducial = MappedChannel(FiducialName());
  return !fiducial.IsNone() &&
         ExtLib::HasMarkerLink(HostDocument(), fiducial.index, settings.source.channelIndex);
}

bool DetectorBase::ResetChannels(DWORD flags, const Settings* settings) {
  if (!HostDocument()) return false;
  if ((flags & 0xFF000000) && settings && SourceHasFiducialMarks(*settings)) {
    ExtLib::RemoveMarkerLink(HostDocument(), MappedChannel(FiducialName()).index,
                             settings->source.channelIndex);
  }
  if (flags & kChangeFilterStages) {
    for (const Quor::String& name : {LowPassName(), DerivativeName(), ResampledName(), EnvelopeName()}) {
      ResetChannel(name, false);
    }
  }
  if (flags & kChangeNormalisationStages) {
    ResetChannel(NormalisedName(), false);
    ResetChannel(PeaksName(), false);
  }
  if (flags & kChangeFiducialStage) ResetChannel(FiducialName(), false);
  return true;
}

bool DetectorBase::DeleteChannels() {
  bool all = true;
  for (const Quor::String& name : {LowPassName(), DerivativeName(), ResampledName(),
                                   EnvelopeName(), NormalisedName(), PeaksName(), FiducialName()}) {
    all &= ResetChannel(name, true);
  }
  return all;
}

bool DetectorBase::RegisterChannels(const Quor::String& owner) {
  bool all = true;
  const Quor::String empty;
  for (const Quor::String& name : {LowPassName(), DerivativeName(), ResampledName(),
                                   EnvelopeName(), NormalisedName(), PeaksName(), FiducialName()}) {
    all &= SetChannel(name, empty, empty);
  }
  return HoldFiducialChannel(owner) && all;
}

bool DetectorBase::HoldFiducialChannel(const Quor::String& owner) {
  if (Find(FiducialName()) == End()) return false;
  return SetChannelHeld(FiducialName(), owner, true);
}

bool DetectorBase::RefreshMarkerLink(const Settings* settings) {
  if (!settings || Find(FiducialName()) == End()) return false;
  if (settings->source.channelIndex == 0x80000000 || !settings->source.markersShown) return false;
  const DWORD fiducial = MappedChannel(FiducialName()).index;
  const DWORD source = settings->source.channelIndex;
  if (ExtLib::HasMarkerLink(HostDocument(), fiducial, source)) {
    ExtLib::RemoveMarkerLink(HostDocument(), fiducial, source);
  }
  ExtLib::AddMarkerLink(HostDocument(), fiducial, source);
  return true;
}

PendrelChannelRef DetectorBase::MappedChannel(const Quor::String& name) {
  auto entry = Find(name);
  return entry == End() ? kNoChannel : entry->second.channel;
}

PendrelChannelRef DetectorBase::GetNormalisedChannel() { return MappedChannel(NormalisedName()); }

PendrelChannelRef DetectorBase::GetFiducialChannel() { return MappedChannel(FiducialName()); }

}  // namespace Rhyth
