#include "host/tabulon/tabulon_host_object.h"

#include <string>

#include "core/quor_string.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"

namespace PendrelHost {

namespace {

constexpr std::string_view kService = "Tabulon";

}  // namespace

HRESULT RecordDataObject::GetIdPair(DWORD* first, DWORD* second) {
  if (!first || !second) return E_POINTER;
  *first = kTabulonNoSourceId;
  *second = 0;
  return S_OK;
}

HRESULT RecordDataObject::GetChannelTitle(DWORD, DWORD, LONG channel, IQuorString** title) {
  if (!title) return E_POINTER;
  *title = nullptr;
  return Tarn::Guarded([&] {
    const Recording& recording = m_document->Data().Source();
    if (channel < 0 || std::size_t(channel) >= recording.ChannelCount()) return E_INVALIDARG;
    *title = Quor::String(recording.Channel(std::size_t(channel)).title).GetInterface();
    return S_OK;
  });
}

HRESULT RecordDataObject::GetChannelUnit(DWORD, LONG, DWORD, IUnknown** unit) {
  if (unit) *unit = nullptr;
  return E_NOTIMPL;
}

HRESULT RecordDataObject::GetDataSource(IUnknown** source) {
  if (!source) return E_POINTER;
  *source = m_document->DataObject();
  (*source)->AddRef();
  return S_OK;
}

TabulonHostObject::TabulonHostObject(HostedDocument& document)
    : m_document(&document), m_recordData(new RecordDataObject(document)) {}

TabulonHostObject::~TabulonHostObject() { m_recordData->Release(); }

HRESULT TabulonHostObject::GetRecordData(IUnknown** data) {
  if (!data) return E_POINTER;
  *data = m_recordData;
  m_recordData->AddRef();
  return S_OK;
}

HRESULT TabulonHostObject::FillTimeValue(DWORD, LONGLONG, DWORD, LONG offset, LONG record,
                                         DWORD flags, DWORD, VARIANT* value) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "FillTimeValue",
                     "offset=" + std::to_string(offset) + " record=" + std::to_string(record) +
                         " flags=" + std::to_string(flags));
    if (!value) return E_POINTER;
    const Recording& recording = m_document->Data().Source();
    if (record < 0 || std::size_t(record) >= recording.RecordCount() || offset < 0) {
      return E_INVALIDARG;
    }
    VariantClear(value);
    value->vt = VT_R8;
    value->dblVal = recording.RecordStartTime(std::size_t(record)) + offset * recording.TickPeriod();
    return S_OK;
  });
}

HRESULT TabulonHostObject::GetModuleDocument(DWORD type, IUnknown** document) {
  if (!document) return E_POINTER;
  *document = m_document->ModuleOfType(type);
  if (!*document) return S_FALSE;
  (*document)->AddRef();
  return S_OK;
}

}  // namespace PendrelHost
