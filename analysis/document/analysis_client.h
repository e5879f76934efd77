// A document's link to the host's analysis manager, which coordinates the analyses over a data
// file: the manager (none at first) and the client's cookie (-1 at first), and the four client
// operations. `Client` provides what the operations need: its child data, its settings and data
// objects, the busy query, and the clear and re-analyse operations.
#pragma once

#include "analysis/module_strings.h"
#include "core/com_ptr.h"
#include "platform/pendrel/analysis_manager.h"
#include "platform/pendrel/host_events.h"

namespace AnalysisManager {

// The type word under which a data file keeps its analysis manager.
DWORD ManagerTypeWord();

template <class Client>
class AnalysisClientBase {
 public:
  // Finds the manager among the client's child data and registers the client's persistent
  // parts with it.
  void RegisterWithManager() {
    Client& client = Self();
    m_manager.Clear();
    client.GetChildData(ManagerTypeWord(), IPendrelAnalysisManager::iid,
                        Quor::ComPtrOut<IPendrelAnalysisManager>::Bind(m_manager));
    if (!m_manager) return;
    IQuorString* name = ClientName().GetInterface();
    IQuorString* identifier = Quor::String(u"Rhyth").GetInterface();
    m_manager->RegisterClient(client.SettingsPersist(), client.DataPersist(),
                              client.GetSettings().secondStored ? VARIANT_TRUE : VARIANT_FALSE,
                              name, identifier, &m_cookie);
    name->Release();
    identifier->Release();
  }

  // Tells the manager the analysis region, once the settings were loaded or announced.
  void ReportRegionToManager() {
    const auto& settings = Self().GetSettings();
    if (!m_manager || !(settings.inUse || settings.secondStored)) return;
    const auto& region = settings.analysis.region;
    m_manager->ReportRegion(m_cookie, region.startRecord, region.startOffset, region.endRecord,
                            region.endOffset);
  }

  void ClearForManager() {
    if (!ManagerTracksClient() || Self().IsHostBusy()) return;
    Self().ClearAnalysis(-1, true);
  }

  void AnalyseForManager() {
    if (!ManagerTracksClient() || Self().IsHostBusy()) return;
    Self().Reanalyse(-1, 4);
  }

  // Tells the manager that the client changed, when it tracks the client.
  void TellManagerOfChange() {
    if (m_manager && m_manager->TracksClient(m_cookie) == S_OK) m_manager->ClientChanged(m_cookie);
  }

  IPendrelAnalysisManager* Manager() const { return m_manager.Get(); }

 protected:
  AnalysisClientBase() = default;
  ~AnalysisClientBase() = default;

 private:
  Client& Self() { return static_cast<Client&>(*this); }

  bool ManagerTracksClient() {
    const auto& settings = Self().GetSettings();
    return m_manager && (settings.inUse || settings.secondStored) &&
           m_manager->TracksClient(m_cookie) == S_OK;
  }

  // String 1 of the module, loaded once and shared.
  static const Quor::String& ClientName() {
    static const Quor::String name = Rhyth::ModuleString(1);
    return name;
  }

  Quor::ComPtr<IPendrelAnalysisManager> m_manager;
  LONG m_cookie = -1;
};

}  // namespace AnalysisManager
