// The stand-in host's data view of one trace display pane: the records of a data source laid end
// to end on a pixel axis at the pane's compression. A record of n ticks at c ticks per pixel
// takes ceil(n / c) pixels; pixel q of a record shows tick floor(q * c), and tick t starts at
// pixel floor(t / c). Record lengths are read from the source on every call, so a record that
// grows while it is sampled widens the axis at once. Titles come from the document's channel
// data when it has one; the record data its drawers read, from the data source that made it.
// Not thread-safe: the pane serialises its calls.
#pragma once

#include <vector>

#include "host/framework/held_reference.h"
#include "host/traces/numbered_marks.h"
#include "host/traces/trace_time_base.h"
#include "platform/pendrel/arithmetic_channels.h"
#include "platform/pendrel/trace_data.h"
#include "platform/pendrel/trace_ranges.h"
#include "platform/pendrel/trace_record_data.h"
#include "platform/pendrel/trace_sampling.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class TraceDataView final
    : public SimpleUnknownImpBase<IPendrelTraceDataView, IPendrelTraceChannelInfo,
                                  IPendrelTraceRecordSource, IOnlineDataSink, IPendrelTraceSampling,
                                  IPendrelTraceRangeSource> {
 public:
  // `records` answers the record queries; `channels` (may be null) the titles; `recordData`
  // (may be null) is what GetRecordData hands out. 10/1 at first.
  TraceDataView(IPendrelDataSource* records, IPendrelChannelData* channels,
                IUnknown* recordData = nullptr);

  HRESULT SetCompression(LONGLONG ticks, LONGLONG pixels) override;
  HRESULT GetCompression(LONGLONG* ticks, LONGLONG* pixels) override;
  HRESULT GetDataExtent(LONGLONG* pixels) override;
  HRESULT GetEndPosition(LONGLONG* pixel) override;
  HRESULT PixelToPosition(LONGLONG pixel, LONG* record, LONG* tick) override;
  HRESULT PositionToPixel(LONG record, LONG tick, LONGLONG* pixel) override;
  HRESULT GetNextRecord(LONG record, LONG* next) override;
  HRESULT GetRecordInformation(LONG record, PendrelTraceRecordInfo* info) override;
  HRESULT GetPendingUpdates(DWORD* flags) override;
  HRESULT AcknowledgeUpdates(DWORD flags) override;

  HRESULT GetChannelTitle(LONG channel, IQuorString** title) override;

  // Besides its own faces the view hands out its numbered marks and its time base.
  HRESULT QueryInterface(REFIID iid, void** object) override;
  NumberedMarks& Marks() { return *m_marks; }
  TraceTimeBase& TimeBase() { return *m_timeBase; }
  // E_NOINTERFACE for a view without record data.
  HRESULT GetRecordData(IUnknown** data) override;

  // The pane hands the view every online notice first; the view follows the record being
  // sampled from a record start until sampling stops or the data change.
  HRESULT OnSamplingStarting(DWORD flags, VARIANT_BOOL* proceed) override;
  HRESULT OnRecordStart(LONG record) override;
  HRESULT OnDataAdded(LONG record, LONG start, LONG count, VARIANT_BOOL more) override;
  HRESULT OnRecordEnd(LONG record) override;
  HRESULT OnSamplingStopped(DWORD reason, DWORD reserved) override;
  HRESULT OnDataChanged(DWORD reserved) override;
  HRESULT OnChannelChanged(DWORD channel) override;
  HRESULT Reserved10() override { return E_NOTIMPL; }
  HRESULT Reserved11() override { return E_NOTIMPL; }
  HRESULT Notify12() override { return S_OK; }
  HRESULT GetUpdateInterval(DWORD* interval) override;
  HRESULT GetDataInterest(DWORD* interest) override;

  HRESULT GetSampledRecord(LONG* record) override;

  // The records and ticks pixels [first, end) show, over the record data; S_FALSE without
  // record data or data in the range.
  HRESULT GetRecordRange(LONGLONG first, LONGLONG end, IPendrelTraceRecordRange** range) override;

  // The host marks what changed in the document; the pane acknowledges it.
  void MarkPending(DWORD flags) { m_pending |= flags; }

 private:
  // The ticks of every record, in order.
  std::vector<LONGLONG> RecordTicks() const;
  // ceil(ticks * pixels / ticks-per-compression): the pixels of a record of `ticks` ticks.
  LONGLONG PixelsOf(LONGLONG ticks) const;

  Tarn::HeldReference<IPendrelDataSource> m_records;
  Tarn::HeldReference<IPendrelChannelData> m_channels;
  Tarn::HeldReference<IUnknown> m_recordData;
  LONGLONG m_ticks = 10;   // compression numerator
  LONGLONG m_pixels = 1;   // compression denominator
  DWORD m_pending = 0;
  Tarn::HeldReference<NumberedMarks> m_marks;
  Tarn::HeldReference<TraceTimeBase> m_timeBase;
  LONG m_sampledRecord = kRecordEndOffset;  // none
};

}  // namespace PendrelHost
