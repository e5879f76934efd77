#include "host/traces/channel_display_settings.h"

#include <string>

#include "host/framework/call_log.h"

namespace PendrelHost {

namespace {

constexpr std::string_view kService = "ChannelDisplaySettings";

}  // namespace

const ChannelDisplay& ChannelDisplaySettings::Read(LONG channel, const char* what) {
  Tarn::RecordCall(kService, what, "channel=" + std::to_string(channel));
  return m_channels[channel];
}

HRESULT ChannelDisplaySettings::GetTraceMode(LONG channel, DWORD query, DWORD* mode) {
  if (!mode) return E_POINTER;
  if (query != kTraceModeQuery) return E_INVALIDARG;
  *mode = Read(channel, "GetTraceMode").traceMode;
  return S_OK;
}

HRESULT ChannelDisplaySettings::GetTraceColour(DWORD, const LONG* pair, COLORREF* colour) {
  if (!pair || !colour) return E_POINTER;
  *colour = Read(pair[0], "GetTraceColour").colour;
  return S_OK;
}

HRESULT ChannelDisplaySettings::GetPenWidth(LONG channel, LONG* width) {
  if (!width) return E_POINTER;
  *width = Read(channel, "GetPenWidth").penWidth;
  return S_OK;
}

HRESULT ChannelDisplaySettings::GetGridSettings(LONG channel, VARIANT_BOOL* shown,
                                                COLORREF* colour, LONG* style) {
  if (!shown || !colour || !style) return E_POINTER;
  const ChannelDisplay& display = Read(channel, "GetGridSettings");
  *shown = display.gridShown ? VARIANT_BOOL(0xFFFF) : VARIANT_BOOL(0);
  *colour = display.gridColour;
  *style = display.gridStyle;
  return S_OK;
}

HRESULT ChannelDisplaySettings::GetSecondaryLabelFlag(LONG channel, VARIANT_BOOL* flag) {
  if (!flag) return E_POINTER;
  *flag = Read(channel, "GetSecondaryLabelFlag").secondaryLabel ? VARIANT_BOOL(0xFFFF)
                                                                 : VARIANT_BOOL(0);
  return S_OK;
}

HRESULT ChannelDisplaySettings::GetChannelValue(LONG channel, DWORD* value) {
  if (!value) return E_POINTER;
  *value = Read(channel, "GetChannelValue").paneValue;
  return S_OK;
}

HRESULT ChannelDisplaySettings::GetBackgroundColour(COLORREF* colour) {
  if (!colour) return E_POINTER;
  *colour = m_background;
  return S_OK;
}

}  // namespace PendrelHost
