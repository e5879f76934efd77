// The sweep overlay of a data view: a host that redraws sampled data in sweeps over the old
// (rather than scrolling) splits each record into segments; drawers ask the overlay which part
// of a record they are drawing. A data view answers it by QueryInterface when it sweeps; the
// stand-in host's views do not.
#pragma once

#include "platform/win32/unknown.h"

// A segment that is split across the sweep line.
constexpr LONG kSweepSegmentSplit = 3;

struct IPendrelSweepOverlay : IUnknown {
  PLATFORM_INTERFACE_ID("44180904-3d3c-4d52-bfaf-952ceb9c0430");
  using Base = IUnknown;
  // The kind of the segment the record is drawn in (kSweepSegmentSplit when split).
  virtual HRESULT GetSegmentKind(LONG record, LONG* kind) = 0;
  // The first pixel of the record's segment and the pixel it is drawn from, both counted from
  // the record's start; S_FALSE when the overlay names no position.
  virtual HRESULT GetSegment(LONG record, LONGLONG* start, LONGLONG* position) = 0;
  // The ticks of the record that the pixels [first, end) of the data pane show.
  virtual HRESULT GetTickRange(LONG record, LONGLONG first, LONGLONG end, LONG* startTick,
                               LONG* endTick) = 0;

 protected:
  ~IPendrelSweepOverlay() = default;
};
