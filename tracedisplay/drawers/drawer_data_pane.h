// IDrawerDataPane: what a data pane offers the record drawers of its bands: print state and
// resolution, monochrome mode, background and contrast colours, per-lane ranges and colours,
// data rectangles, the channel and drawer sources of a channel pane, and the online state. The
// pane outlives its drawers, which therefore hold it without a reference.
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/gdi.h"
#include "platform/win32/unknown.h"

namespace PendrelDraw {

// Display resolution in pixels per millimetre (96 per inch).
inline constexpr double kScreenPixelsPerMillimetre = 3.7795276158179276;

struct IDrawerDataPane : IUnknown {
  PLATFORM_INTERFACE_ID("b7d14e20-5c3a-4f86-9e71-0a2c8d6f3b95");
  using Base = IUnknown;
  virtual HRESULT GetPrintDC(HDC* dc) = 0;
  virtual HRESULT GetResolutionX(DWORD a, HDC dc, double* pixelsPerMillimetre) = 0;
  virtual HRESULT GetResolutionY(DWORD a, HDC dc, double* pixelsPerMillimetre) = 0;
  virtual HRESULT GetPrintScale(DWORD a, double* x, double* y) = 0;
  virtual HRESULT IsMonochrome(DWORD a, VARIANT_BOOL* monochrome) = 0;
  // Lane code = lane x 256; lanes 0 to 7.
  virtual HRESULT SetLaneRange(LONG pane, LONG code, const double* range) = 0;
  virtual HRESULT SetLaneColour(LONG pane, LONG code, COLORREF colour) = 0;
  virtual HRESULT GetDataRect(LONG pane, RECT* rect) = 0;
  virtual HRESULT InvalidateLane(LONG pane, const RECT* rect) = 0;
  virtual HRESULT IsSampling() = 0;
  virtual HRESULT IsFollowingOnline() = 0;
  virtual HRESULT GetBackgroundColour(COLORREF* colour) = 0;
  virtual HRESULT GetContrastColour(COLORREF colour, COLORREF* contrast) = 0;
  // The channel number and channel flags of a channel pane.
  virtual HRESULT GetPaneChannel(LONG pane, LONG* pair) = 0;
  virtual HRESULT GetPaneSource(LONG pane, LONG kind, IUnknown** source) = 0;
  // The value text a channel pane's drawers give for a lane kind and record.
  virtual HRESULT GetValueAt(LONG pane, LONG laneKind, LONG record, IQuorString** text,
                             VARIANT_BOOL* flag) = 0;
  virtual HRESULT GetChannelPaneValue(LONG pane, DWORD* value) = 0;
  virtual HRESULT GetPaneFlags(DWORD* value, DWORD* flags) = 0;

 protected:
  ~IDrawerDataPane() = default;
};

}  // namespace PendrelDraw
