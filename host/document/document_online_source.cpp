#include "host/document/document_online_source.h"

#include <algorithm>

#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"

namespace PendrelHost {

HRESULT DocumentOnlineSource::AddSink(IOnlineDataSink* sink) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall("OnlineSource", "AddSink");
    if (!sink) return E_POINTER;
    const bool known = std::any_of(m_sinks.begin(), m_sinks.end(),
                                   [&](const auto& held) { return held.get() == sink; });
    if (known) return S_FALSE;
    m_sinks.push_back(Tarn::Hold(sink));
    return S_OK;
  });
}

HRESULT DocumentOnlineSource::RemoveSink(IOnlineDataSink* sink) {
  Tarn::RecordCall("OnlineSource", "RemoveSink");
  const auto found = std::find_if(m_sinks.begin(), m_sinks.end(),
                                  [&](const auto& held) { return held.get() == sink; });
  if (found == m_sinks.end()) return S_FALSE;
  // Released after the erase: the last release may reach back into the source.
  Tarn::HeldReference<IOnlineDataSink> removed = std::move(*found);
  m_sinks.erase(found);
  return S_OK;
}

std::vector<Tarn::HeldReference<IOnlineDataSink>> DocumentOnlineSource::Sinks() const {
  std::vector<Tarn::HeldReference<IOnlineDataSink>> sinks;
  for (const auto& sink : m_sinks) sinks.push_back(Tarn::Hold(sink.get()));
  return sinks;
}

void DocumentOnlineSource::DropSinks() {
  std::vector<Tarn::HeldReference<IOnlineDataSink>> dropped;
  dropped.swap(m_sinks);
}

}  // namespace PendrelHost
