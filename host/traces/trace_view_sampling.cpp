// The data view while the host samples: which record is being sampled, learnt from the online
// notices its pane hands on.
#include "host/traces/trace_data_view.h"

namespace PendrelHost {

HRESULT TraceDataView::OnSamplingStarting(DWORD, VARIANT_BOOL* proceed) {
  if (proceed) *proceed = VARIANT_TRUE;
  return S_OK;
}

HRESULT TraceDataView::OnRecordStart(LONG record) {
  m_sampledRecord = record;
  return S_OK;
}

HRESULT TraceDataView::OnDataAdded(LONG record, LONG, LONG, VARIANT_BOOL) {
  m_sampledRecord = record;
  return S_OK;
}

HRESULT TraceDataView::OnRecordEnd(LONG) { return S_OK; }

HRESULT TraceDataView::OnSamplingStopped(DWORD, DWORD) {
  m_sampledRecord = kRecordEndOffset;
  return S_OK;
}

HRESULT TraceDataView::OnDataChanged(DWORD) {
  m_sampledRecord = kRecordEndOffset;
  return S_OK;
}

HRESULT TraceDataView::OnChannelChanged(DWORD) { return S_OK; }

HRESULT TraceDataView::GetUpdateInterval(DWORD* interval) {
  if (!interval) return E_POINTER;
  *interval = 100;
  return S_OK;
}

HRESULT TraceDataView::GetDataInterest(DWORD* interest) {
  if (!interest) return E_POINTER;
  *interest = 100;
  return S_OK;
}

HRESULT TraceDataView::GetSampledRecord(LONG* record) {
  if (!record) return E_POINTER;
  *record = m_sampledRecord;
  return m_sampledRecord == kRecordEndOffset ? S_FALSE : S_OK;
}

}  // namespace PendrelHost
