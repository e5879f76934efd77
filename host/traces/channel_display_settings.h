// The stand-in host's display settings of trace displays: the object a host hands a pane to
// apply. Per channel it keeps the pane value, the trace's mode, colour and printed pen width,
// and the grid (shown, colour, lines or dots) with the secondary label flag; for the pane, the
// background. Tests and the command line set what differs from the defaults; reads are logged.
#pragma once

#include <map>

#include "platform/pendrel/trace_channel_settings.h"
#include "platform/pendrel/trace_settings.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

struct ChannelDisplay {
  DWORD paneValue = 0;
  DWORD traceMode = kTraceModePlain;
  COLORREF colour = 0x00A00000;  // dark blue
  LONG penWidth = 1;
  bool gridShown = true;
  COLORREF gridColour = 0x00C0C0C0;
  LONG gridStyle = kGridLines;
  bool secondaryLabel = true;
};

class ChannelDisplaySettings final
    : public SimpleUnknownImp3<IPendrelChannelDisplaySettings, IPendrelTraceSettings,
                               IPendrelTraceDisplaySettings, 0> {
 public:
  HRESULT GetTraceMode(LONG channel, DWORD query, DWORD* mode) override;
  HRESULT GetTraceColour(DWORD flags, const LONG* pair, COLORREF* colour) override;
  HRESULT GetPenWidth(LONG channel, LONG* width) override;
  HRESULT GetGridSettings(LONG channel, VARIANT_BOOL* shown, COLORREF* colour,
                          LONG* style) override;
  HRESULT GetSecondaryLabelFlag(LONG channel, VARIANT_BOOL* flag) override;
  HRESULT GetChannelValue(LONG channel, DWORD* value) override;
  HRESULT GetBackgroundColour(COLORREF* colour) override;

  // The settings of a channel, made with the defaults on first use.
  ChannelDisplay& Channel(LONG channel) { return m_channels[channel]; }
  void SetBackgroundColour(COLORREF colour) { m_background = colour; }

 private:
  const ChannelDisplay& Read(LONG channel, const char* what);

  std::map<LONG, ChannelDisplay> m_channels;
  COLORREF m_background = 0x00FFFFFF;
};

}  // namespace PendrelHost
