// The host's display settings of each channel, as the drawers of a trace display read them from
// the settings object a pane applies: how the trace is drawn (its mode, colour and printed pen
// width) and the channel's grid (shown or not, colour, lines or dots, and whether the lane
// carries a secondary label). The host owns the settings; drawers copy what they read.
#pragma once

#include "platform/win32/gdi.h"
#include "platform/win32/unknown.h"

// Trace modes: 1 keeps monochrome segments as they are and pulls disabled traces to grey.
constexpr DWORD kTraceModePlain = 0;
constexpr DWORD kTraceModeGreyPull = 1;

// Grid styles.
constexpr LONG kGridLines = 0;
constexpr LONG kGridDots = 1;

// The query kind of the trace mode, and the flag of a colour asked by channel pair.
constexpr DWORD kTraceModeQuery = 2;
constexpr DWORD kColourByChannelPair = 0x80000000;

struct IPendrelChannelDisplaySettings : IUnknown {
  PLATFORM_INTERFACE_ID("9b9661c4-d210-4f62-a03f-8e9e8b2fab4e");
  using Base = IUnknown;
  virtual HRESULT GetTraceMode(LONG channel, DWORD query, DWORD* mode) = 0;
  // `pair` is the channel index and data kind.
  virtual HRESULT GetTraceColour(DWORD flags, const LONG* pair, COLORREF* colour) = 0;
  virtual HRESULT GetPenWidth(LONG channel, LONG* width) = 0;
  // In one call: whether the grid is shown, its colour and its style.
  virtual HRESULT GetGridSettings(LONG channel, VARIANT_BOOL* shown, COLORREF* colour,
                                  LONG* style) = 0;
  virtual HRESULT GetSecondaryLabelFlag(LONG channel, VARIANT_BOOL* flag) = 0;

 protected:
  ~IPendrelChannelDisplaySettings() = default;
};
