// The classifier limits drawn on the channels that the module's channel calculation computes:
// two limit lines with their value labels and a shaded band, sent to the host as channel
// display messages whenever the limits may have changed, and hidden again when a channel stops
// showing a measure that has limits.
#include <algorithm>

#include "analysis/document/document.h"
#include "analysis/markers/calc_channel_display.h"
#include "core/quor_string.h"
#include "hostframework/extlib/host_calls.h"
#include "platform/pendrel/arithmetic_channels.h"
#include "platform/pendrel/channel_display.h"

namespace Rhyth {

namespace {

constexpr COLORREF kLineColour = RgbColour(137, 137, 137);
constexpr COLORREF kBandColour = RgbColour(254, 194, 194);
constexpr DWORD kSourceKind = 0xC0000000;
// Channel display messages go to the host, which keeps them.
constexpr DWORD kToHost = 1;
constexpr DWORD kLowerLine = 1;
constexpr DWORD kUpperLine = 2;
// The slowest rate a beat-rate line shows: 60 / 0.01 s.
constexpr double kShortestPeriod = 0.01;

Quor::ComPtr<ICalcChannelDisplay> DisplayOf(IUnknown* calculation) {
  return ExtLib::Query<ICalcChannelDisplay>(calculation);
}

}  // namespace

Quor::ComPtr<IUnknown> Document::CalculationOf(DWORD channel) {
  Quor::ComPtr<IUnknown> calculation;
  Quor::ComPtr<IPendrelChannelData> channels;
  if (DataDocument()) {
    DataDocument()->QueryInterface(IPendrelChannelData::iid,
                                   Quor::ComPtrOut<IPendrelChannelData>::Bind(channels));
  }
  if (channels) {
    channels->GetCalculation(channel, kSourceKind, Quor::ComPtrOut<IUnknown>::Bind(calculation));
  }
  if (!DisplayOf(calculation.Get())) calculation.Clear();
  return calculation;
}

void Document::RebuildCalcChannelMap() {
  m_calcChannels.clear();
  Quor::ComPtr<IPendrelChannelData> channels;
  if (DataDocument()) {
    DataDocument()->QueryInterface(IPendrelChannelData::iid,
                                   Quor::ComPtrOut<IPendrelChannelData>::Bind(channels));
  }
  if (!channels) return;
  // The host numbers its channels from 0 without gaps among the live ones; a title that
  // cannot be had ends the walk.
  for (DWORD channel = 0;; ++channel) {
    IQuorString* title = nullptr;
    if (FAILED(channels->GetChannelTitle(channel, &title))) break;
    if (title) title->Release();
    if (CalculationOf(channel)) m_calcChannels.insert(channel);
  }
}

void Document::RefreshCalcChannelLimits() {
  for (const DWORD channel : m_calcChannels) {
    if (Quor::ComPtr<IUnknown> calculation = CalculationOf(channel)) {
      UpdateCalcChannelLimits(channel, calculation.Get());
    }
  }
}

void Document::UpdateCalcChannelLimits(DWORD channel, IUnknown* calculation) {
  Quor::ComPtr<ICalcChannelDisplay> display = DisplayOf(calculation);
  if (!display) return;
  LONG measure = -1;
  BYTE showLimits = 0;
  const HRESULT shown = display->GetShownMeasure(&measure, &showLimits);
  if (FAILED(shown)) return;
  if (shown != S_OK || !showLimits) {
    HideChannelLimits(channel);
    return;
  }
  const ClassifierLimits& limits = m_settings->classifier;
  switch (measure) {
    case kMeasureBeatPeriod:
      ShowChannelLimits(channel, u"s", limits.rrLow, limits.rrHigh);
      break;
    case kMeasureBeatRate:
      ShowChannelLimits(channel, u"BPM", 60.0 / std::max(limits.rrLow, kShortestPeriod),
                        60.0 / std::max(limits.rrHigh, kShortestPeriod));
      break;
    case kMeasureComplexity:
      ShowChannelLimits(channel, Quor::String(), limits.complexityLow, limits.complexityHigh);
      break;
    default:
      HideChannelLimits(channel);
  }
}

void Document::OnCalcChannelChanged(DWORD channel, IUnknown* calculation) {
  if (DisplayOf(calculation)) {
    UpdateCalcChannelLimits(channel, calculation);
    m_calcChannels.insert(channel);
  } else if (!calculation && m_calcChannels.erase(channel)) {
    HideChannelLimits(channel);
  }
}

void Document::SendLimitValue(DWORD channel, DWORD line, double value, const Quor::String& unit) {
  const Quor::String empty;
  PendrelLimitValueBlock block{kLimitValueKind, channel, line, value, unit.GetInterface(),
                               empty.GetInterface()};
  SendToHost(kChannelLimitValueMsg, &block, sizeof block, kToHost);
  block.unit->Release();
  block.prefix->Release();
}

void Document::SendLimitLine(DWORD channel, DWORD line, bool shown) {
  const PendrelLimitLineBlock block{kLimitLineKind, channel, line, shown ? 1u : 0u,
                                    shown ? 1u : 0u, kLineColour};
  SendToHost(kChannelLimitLineMsg, &block, sizeof block, kToHost);
}

void Document::SendBand(DWORD channel, bool shown) {
  PendrelBandBlock block{kBandKind, channel, 0, 0, 0, 0, 0, 0};
  if (shown) {
    block.firstShown = block.lastShown = 1;
    block.first = block.last = kBandColour;
  }
  SendToHost(kChannelBandMsg, &block, sizeof block, kToHost);
}

void Document::ShowChannelLimits(DWORD channel, const Quor::String& unit, double lower,
                                 double upper) {
  SendLimitValue(channel, kLowerLine, lower, unit);
  SendLimitValue(channel, kUpperLine, upper, unit);
  SendLimitLine(channel, kLowerLine, true);
  SendLimitLine(channel, kUpperLine, true);
  SendBand(channel, true);
}

void Document::HideChannelLimits(DWORD channel) {
  SendLimitLine(channel, kLowerLine, false);
  SendLimitLine(channel, kUpperLine, false);
  SendBand(channel, false);
}

}  // namespace Rhyth
