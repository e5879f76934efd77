// What a trace display auto-scales its lanes to: a data view turns the visible pixels into a
// range of record positions, and the range answers the extremes of a channel's values over it.
#pragma once

#include "platform/win32/unknown.h"

// The extremes of a channel over a range, with the mapping (value + offset) x scale that turns
// them into the units shown.
struct PendrelValueExtremes {
  double minimum;
  double maximum;
  double scale;
  double offset;
};

struct IPendrelTraceRecordRange : IUnknown {
  PLATFORM_INTERFACE_ID("6b3e91c4-27d8-4f05-a1c6-e04f8d52b7a9");
  using Base = IUnknown;
  // The extremes of a channel over the range; `address` is the channel's address word and
  // `record` the record the display shows at the start of the range. The answer keeps what the
  // caller put in it where the range holds no value.
  virtual HRESULT GetExtremes(DWORD address, LONG record, LONG channel,
                              PendrelValueExtremes* answer) = 0;

 protected:
  ~IPendrelTraceRecordRange() = default;
};

// Answered by a data view.
struct IPendrelTraceRangeSource : IUnknown {
  PLATFORM_INTERFACE_ID("d90f4a17-6c2b-4e83-b5d1-38a7c6e0f294");
  using Base = IUnknown;
  // The record positions that pixels [first, end) show, with one reference for the caller;
  // S_FALSE and null when they show no data.
  virtual HRESULT GetRecordRange(LONGLONG first, LONGLONG end, IPendrelTraceRecordRange** range) = 0;

 protected:
  ~IPendrelTraceRangeSource() = default;
};
