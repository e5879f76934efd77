#include "host/document/analysis_manager.h"

#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"

namespace PendrelHost {

namespace {
constexpr const char* kService = "AnalysisManager";
}

HRESULT AnalysisManager::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = m_type;
  return S_OK;
}

HRESULT AnalysisManager::Duplicate(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR,
                                   IPendrelDataChildData** copy) {
  if (copy) *copy = nullptr;
  return E_NOTIMPL;
}

HRESULT AnalysisManager::RegisterClient(IPersist* settings, IPersist* data, VARIANT_BOOL stored,
                                        IQuorString* name, IQuorString* identifier,
                                        LONG* cookie) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "RegisterClient", Tarn::Utf8(Tarn::TextOf(identifier)));
    if (!cookie) return E_POINTER;
    if (!settings || !data) return E_INVALIDARG;
    ManagedClient client;
    client.name = Tarn::TextOf(name);
    client.identifier = Tarn::TextOf(identifier);
    client.stored = stored != VARIANT_FALSE;
    *cookie = m_nextCookie++;
    m_clients[*cookie] = std::move(client);
    return S_OK;
  });
}

HRESULT AnalysisManager::ReportRegion(LONG cookie, LONG startRecord, LONG startOffset,
                                      LONG endRecord, LONG endOffset) {
  Tarn::RecordCall(kService, "ReportRegion", std::to_string(cookie));
  const auto found = m_clients.find(cookie);
  if (found == m_clients.end()) return E_INVALIDARG;
  ManagedClient& client = found->second;
  client.hasRegion = true;
  client.startRecord = startRecord;
  client.startOffset = startOffset;
  client.endRecord = endRecord;
  client.endOffset = endOffset;
  return S_OK;
}

HRESULT AnalysisManager::TracksClient(LONG cookie) {
  return m_clients.count(cookie) ? S_OK : S_FALSE;
}

HRESULT AnalysisManager::ClientChanged(LONG cookie) {
  Tarn::RecordCall(kService, "ClientChanged", std::to_string(cookie));
  const auto found = m_clients.find(cookie);
  if (found == m_clients.end()) return E_INVALIDARG;
  ++found->second.changes;
  return S_OK;
}

}  // namespace PendrelHost
