// Applying the host's display settings to a data pane: the background, each band's drawers, and
// the value the settings keep for each lane's channel.
#include "core/com_ptr.h"
#include "platform/pendrel/trace_settings.h"
#include "tracedisplay/datapane/data_pane.h"

namespace PendrelDraw {

namespace {

// A lane whose channel is of this kind takes no value from the settings.
constexpr LONG kSecondChannelKind = 4;

}  // namespace

LONG DataPane::ChannelKindOfLane(LONG lane) {
  LONG pair[2] = {};
  if (FAILED(GetPaneChannel(lane, pair))) return 0;
  return pair[1] & 0xFF;
}

void DataPane::ApplySettings(IUnknown* settings, IUnknown* labels, LONG channel) {
  if (const auto display = Quor::QueryFace<IPendrelTraceDisplaySettings>(settings)) {
    display->GetBackgroundColour(&m_background);
  }
  m_timeScale->UpdateFromChannel(settings, labels, channel);
  for (ChannelPane* pane : m_channelPanes) pane->UpdateFromChannel(settings, labels, channel);

  const auto values = Quor::QueryFace<IPendrelTraceSettings>(settings);
  m_paneValues.assign(m_channelPanes.size(), 0);
  for (LONG lane = 0; lane < GetLaneCount(); ++lane) {
    if (values && ChannelKindOfLane(lane) != kSecondChannelKind) {
      values->GetChannelValue(ChannelOfLane(lane), &m_paneValues[std::size_t(lane)]);
    }
  }
  BroadcastEvent(PaneEvent::Settings, LONG_PTR(channel));

  // The settings may move records on the pixel axis: keep the data at the centre where it is.
  LONG record = 0, tick = 0;
  const LONGLONG centre = PixelAtClientX(LONGLONG(m_paneWidth / 2.0 + 0.5));
  if (centre >= 0 && m_dataView && m_dataView->PixelToPosition(centre, &record, &tick) == S_OK) {
    CentreOnPosition(record, tick);
  }
  Invalidate(kRedrawEverything);
}

HRESULT DataPane::GetPaneValue(LONG index, LONG, DWORD* value) {
  if (!value) return E_POINTER;
  if (index < 0 || std::size_t(index) >= m_paneValues.size()) return E_INVALIDARG;
  *value = m_paneValues[std::size_t(index)];
  return S_OK;
}

}  // namespace PendrelDraw
