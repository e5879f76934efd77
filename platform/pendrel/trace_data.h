// The host's record data as a trace display reads it: a data source over a data document makes
// one data view per display pane. The view lays the document's records end to end on a pixel
// axis at the pane's compression (ticks per pixel, a fraction) and converts between pixels and
// sample positions; the source also subscribes panes to the document's online data.
#pragma once

#include "core/iquor_string.h"
#include "platform/pendrel/data_source.h"
#include "platform/pendrel/online_data.h"

// Where one record lies on the pixel axis, and what the host tells of it.
struct PendrelTraceRecordInfo {
  LONGLONG firstPixel;  // the pixel of the record's first tick
  LONGLONG endPixel;    // one past the record's last pixel
  LONG tickCount;
  PendrelRecordInfo record;
};

// Pending-update flags of a data view: what changed in the document since the pane last
// acknowledged.
constexpr DWORD kTraceUpdateData = 0x1;
constexpr DWORD kTraceUpdateRecords = 0x2;

struct IPendrelTraceDataView : IUnknown {
  PLATFORM_INTERFACE_ID("4d1b7c52-6a0e-4f3b-9a25-7e81c0d6b394");
  using Base = IUnknown;
  // Ticks per pixel as ticks / pixels; E_INVALIDARG unless both are positive.
  virtual HRESULT SetCompression(LONGLONG ticks, LONGLONG pixels) = 0;
  virtual HRESULT GetCompression(LONGLONG* ticks, LONGLONG* pixels) = 0;
  // The pixels of every record together.
  virtual HRESULT GetDataExtent(LONGLONG* pixels) = 0;
  // The pixel just past the newest data.
  virtual HRESULT GetEndPosition(LONGLONG* pixel) = 0;
  // The record and tick of a pixel; S_FALSE (and kRecordEndOffset) for a pixel outside the data.
  virtual HRESULT PixelToPosition(LONGLONG pixel, LONG* record, LONG* tick) = 0;
  // The first pixel of a tick; E_INVALIDARG for a record that does not exist.
  virtual HRESULT PositionToPixel(LONG record, LONG tick, LONGLONG* pixel) = 0;
  // S_FALSE when the record is the last.
  virtual HRESULT GetNextRecord(LONG record, LONG* next) = 0;
  virtual HRESULT GetRecordInformation(LONG record, PendrelTraceRecordInfo* info) = 0;
  virtual HRESULT GetPendingUpdates(DWORD* flags) = 0;
  virtual HRESULT AcknowledgeUpdates(DWORD flags) = 0;

 protected:
  ~IPendrelTraceDataView() = default;
};

// The titles of the channels a data view shows, reached by QueryInterface on the view.
struct IPendrelTraceChannelInfo : IUnknown {
  PLATFORM_INTERFACE_ID("a63f0e91-2b7d-4c58-8e14-d5b9f2c7a0e6");
  using Base = IUnknown;
  // E_INVALIDARG for a channel that does not exist.
  virtual HRESULT GetChannelTitle(LONG channel, IQuorString** title) = 0;

 protected:
  ~IPendrelTraceChannelInfo() = default;
};

struct IPendrelTraceDataSource : IUnknown {
  PLATFORM_INTERFACE_ID("e2c84f17-95ad-4b06-b3e8-1f6a7d0c5b29");
  using Base = IUnknown;
  // A new view with one reference for the caller.
  virtual HRESULT CreateDataView(IPendrelTraceDataView** view) = 0;
  // The source holds a reference on the sink until it is unsubscribed.
  virtual HRESULT SubscribeOnline(IOnlineDataSink* sink, DWORD flags) = 0;
  // S_FALSE when the sink was not subscribed.
  virtual HRESULT UnsubscribeOnline(IOnlineDataSink* sink) = 0;

 protected:
  ~IPendrelTraceDataSource() = default;
};
