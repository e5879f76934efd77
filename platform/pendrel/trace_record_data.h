// The host's record data as the drawers of a trace display read it: point sources for traces,
// unit texts and flags, channel objects with their value mappings and units, value extremes
// for auto-scaling, whether a record shows a grid, the flagged channels of a record, and data
// change notices. A data view hands it out (IPendrelTraceRecordSource); the object also answers
// IPendrelDataSource for the records and their events. Every per-channel call carries the
// drawer's channel address word: its low byte is the channel's data kind, its upper bits say
// how the drawer asks.
#pragma once

#include "core/iquor_string.h"
#include "platform/pendrel/data_source.h"
#include "platform/pendrel/quor_bitset.h"
#include "platform/pendrel/trace_points.h"
#include "platform/pendrel/unit_name.h"

// One channel of one record as a drawer sees it. A "mapping" is a pair (scale, offset) that
// turns the channel's values into the units shown.
struct IPendrelTraceChannel : IUnknown {
  PLATFORM_INTERFACE_ID("0d76cb2d-83c8-4a4f-8ba9-b0cabe55e1d1");
  using Base = IUnknown;
  virtual HRESULT GetMapping(double* mapping) = 0;
  // The mapping as a drawer asking with an address word sees it.
  virtual HRESULT GetMappingFor(DWORD address, double* mapping) = 0;
  // The channel's unit with one reference for the caller; S_FALSE and null when it has none.
  virtual HRESULT GetUnit(DWORD address, IUnitName** unit) = 0;

 protected:
  ~IPendrelTraceChannel() = default;
};

// Where a record ends, for a point source: the open end follows the data as it grows.
constexpr LONG kOpenEndRecord = -1;

struct IPendrelTraceRecordData : IUnknown {
  PLATFORM_INTERFACE_ID("e8fa4deb-2225-4a35-9420-94f7a7c080e7");
  using Base = IUnknown;
  // A point source over the channel's samples in `record`, from pixel `start` of the record
  // (a pixel counted from the record's first) to the end (record, offset); kOpenEndRecord with
  // kRecordEndOffset is the open end. Rows are floor((value + offset) x gain).
  virtual HRESULT CreatePointSource(DWORD address, LONG channel,
                                    const PendrelPixelMapping* mapping, LONGLONG start,
                                    LONG record, LONG endRecord, LONG endOffset, double gain,
                                    double offset, DWORD traceMode,
                                    IPendrelPointSource** source) = 0;
  // The channel's unit text in a record (a reference for the caller).
  virtual HRESULT GetUnitText(DWORD address, LONG record, LONG channel, IQuorString** text) = 0;
  // 0xFFFF when the channel's units are flagged, else 0.
  virtual HRESULT GetUnitFlag(DWORD address, LONG channel, VARIANT_BOOL* flag) = 0;
  // The channel of a record as an IPendrelTraceChannel, with one reference for the caller.
  virtual HRESULT GetChannelObject(DWORD address, LONG record, LONG channel,
                                   IUnknown** object) = 0;
  // The smallest and largest value of the channel over ticks [start, end) of a record (an end
  // of kRecordEndOffset is the record's end); S_FALSE when the range holds no value.
  virtual HRESULT GetValueExtremes(DWORD address, LONG channel, LONG record, LONG start,
                                   LONG end, double* low, double* high) = 0;
  // S_OK when the channel shows a grid in the record, S_FALSE when not.
  virtual HRESULT ShowsGrid(DWORD address, LONG channel, LONG record) = 0;
  // The channels flagged in a record, with one reference for the caller.
  virtual HRESULT GetFlaggedChannels(LONG record, IQuorBitset** channels) = 0;
  // A drawer passes on a change of the channel's data (four words and a fifth).
  virtual HRESULT NotifyDataChanged(DWORD address, LONG channel, const LONG* four, LONG last) = 0;

 protected:
  ~IPendrelTraceRecordData() = default;
};

// Answered by a data view: the record data its drawers read, with one reference.
struct IPendrelTraceRecordSource : IUnknown {
  PLATFORM_INTERFACE_ID("591cb80e-e612-49ec-a7ad-f7d3fecceb74");
  using Base = IUnknown;
  virtual HRESULT GetRecordData(IUnknown** data) = 0;

 protected:
  ~IPendrelTraceRecordSource() = default;
};
