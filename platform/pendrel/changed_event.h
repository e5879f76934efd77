// An event or comment of the host document that changed, as a trace display redraws it: the
// channel it belongs to, the ticks it covers in its record and how far its mark reaches beyond
// them.
#pragma once

#include "platform/win32/unknown.h"

struct IPendrelChangedEvent : IUnknown {
  PLATFORM_INTERFACE_ID("2f8c6d03-b91e-4a57-8e24-c5a0d7f316b8");
  using Base = IUnknown;
  // The host channel; -1 for an event of every channel.
  virtual HRESULT GetChannel(LONG* channel) = 0;
  // The ticks [start, end] of its record that the event covers.
  virtual HRESULT GetTickRange(LONG* start, LONG* end) = 0;
  // The pixels its mark reaches beyond the range on each side.
  virtual HRESULT GetMarkWidth(LONG* pixels) = 0;

 protected:
  ~IPendrelChangedEvent() = default;
};
