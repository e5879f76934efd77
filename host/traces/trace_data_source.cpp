#include "host/traces/trace_data_source.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/traces/trace_data_view.h"

namespace PendrelHost {

namespace {

constexpr std::string_view kService = "TraceDataSource";

template <class I>
Tarn::HeldReference<I> QueryHeld(IUnknown* object) {
  I* face = nullptr;
  if (object) object->QueryInterface(I::iid, reinterpret_cast<void**>(&face));
  return Tarn::HeldReference<I>(face);
}

}  // namespace

TraceDataSource::TraceDataSource(IPendrelDataSource* records, IUnknown* document)
    : m_records(Tarn::Hold(records)),
      m_channels(QueryHeld<IPendrelChannelData>(document)),
      m_online(QueryHeld<IPendrelOnlineDataSource>(document)),
      m_recordData(Tarn::Hold(new TraceRecordData(records, m_channels.get()))) {}

HRESULT TraceDataSource::CreateDataView(IPendrelTraceDataView** view) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "CreateDataView");
    if (!view) return E_POINTER;
    *view = new TraceDataView(m_records.get(), m_channels.get(),
                              static_cast<IPendrelTraceRecordData*>(m_recordData.get()));
    (*view)->AddRef();
    return S_OK;
  });
}

HRESULT TraceDataSource::SubscribeOnline(IOnlineDataSink* sink, DWORD flags) {
  Tarn::RecordCall(kService, "SubscribeOnline", "flags=" + Tarn::HexWord(flags));
  if (!sink) return E_POINTER;
  return m_online ? m_online->AddSink(sink) : S_FALSE;
}

HRESULT TraceDataSource::UnsubscribeOnline(IOnlineDataSink* sink) {
  Tarn::RecordCall(kService, "UnsubscribeOnline");
  if (!sink) return E_POINTER;
  return m_online ? m_online->RemoveSink(sink) : S_FALSE;
}

HRESULT TraceDataSource::QueryInterface(REFIID iid, void** object) {
  const HRESULT own = SimpleUnknownImp2::QueryInterface(iid, object);
  if (SUCCEEDED(own) || !m_records || iid == IUnknown::iid) return own;
  return m_records->QueryInterface(iid, object);
}

HRESULT TraceDataSource::GetDocument(DWORD flags, IUnknown** document) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetDocument", "flags=" + Tarn::HexWord(flags));
    if (!document) return E_POINTER;
    *document = nullptr;
    const auto provider = QueryHeld<IPendrelDocumentProvider>(m_records.get());
    if (!provider) return E_NOINTERFACE;
    IUnknown* given = nullptr;
    const HRESULT result = provider->GetDocument(flags, &given);
    const Tarn::HeldReference<IUnknown> held(given);
    if (FAILED(result) || !given) return FAILED(result) ? result : E_FAIL;
    *document = CreateTraceDataSource(given);
    return *document ? S_OK : E_NOINTERFACE;
  });
}

IPendrelTraceDataSource* CreateTraceDataSource(IUnknown* document) {
  Tarn::HeldReference<IPendrelDataSource> records = QueryHeld<IPendrelDataSource>(document);
  if (!records) return nullptr;
  auto* source = new TraceDataSource(records.get(), document);
  source->AddRef();
  return source;
}

}  // namespace PendrelHost
