// The stand-in host's data source of trace displays over one data document: it makes a data view
// per pane, every view handing its drawers the source's one record data, and subscribes panes to
// the document's online data, logging the flags each pane subscribes with. As the source a
// preview takes, it also gives out documents as the data document does (the one it shows, a new
// one to sample into), each as a source of its own, and answers every other question for its
// document.
#pragma once

#include "host/framework/held_reference.h"
#include "host/traces/trace_record_data.h"
#include "platform/pendrel/arithmetic_channels.h"
#include "platform/pendrel/document_provider.h"
#include "platform/pendrel/trace_data.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class TraceDataSource final
    : public SimpleUnknownImp2<IPendrelTraceDataSource, IPendrelDocumentProvider, 0> {
 public:
  // `records` answers the record queries; `document` (may be null) is asked for its channel data
  // and online data source.
  TraceDataSource(IPendrelDataSource* records, IUnknown* document);

  HRESULT CreateDataView(IPendrelTraceDataView** view) override;
  HRESULT SubscribeOnline(IOnlineDataSink* sink, DWORD flags) override;
  HRESULT UnsubscribeOnline(IOnlineDataSink* sink) override;
  // The document's own answer, as a source over that document.
  HRESULT GetDocument(DWORD flags, IUnknown** document) override;
  // Its own faces, else the document's.
  HRESULT QueryInterface(REFIID iid, void** object) override;

  // The record data the drawers of every view read; tests set its per-channel state.
  TraceRecordData& RecordData() { return *m_recordData; }

 private:
  Tarn::HeldReference<IPendrelDataSource> m_records;
  Tarn::HeldReference<IPendrelChannelData> m_channels;
  Tarn::HeldReference<IPendrelOnlineDataSource> m_online;
  Tarn::HeldReference<TraceRecordData> m_recordData;
};

// A source over a data document, with one reference for the caller; null when the document has
// no records to offer.
IPendrelTraceDataSource* CreateTraceDataSource(IUnknown* document);

}  // namespace PendrelHost
