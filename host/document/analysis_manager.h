// The host's analysis manager of a data file, kept among its child data: modules register their
// persistent parts with it, report their regions and say when they change; the host asks them,
// through the data document's events, to report, clear or analyse again. Owned by the data
// document's child data for as long as the file is open.
#pragma once

#include <map>
#include <string>

#include "host/framework/held_reference.h"
#include "platform/pendrel/analysis_manager.h"
#include "platform/pendrel/child_data.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

struct ManagedClient {
  std::u16string name;
  std::u16string identifier;
  bool stored = false;
  bool hasRegion = false;
  LONG startRecord = 0, startOffset = 0, endRecord = 0, endOffset = 0;
  int changes = 0;
};

class AnalysisManager final
    : public SimpleUnknownImp2<IPendrelDataChildData, IPendrelAnalysisManager, 1> {
 public:
  explicit AnalysisManager(DWORD type) : m_type(type) {}

  // IPendrelDataChildData: the manager stays with its file and is not copied.
  HRESULT GetTypeId(DWORD* type) override;
  HRESULT Duplicate(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR,
                    IPendrelDataChildData** copy) override;
  HRESULT OnDataChanged(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR,
                        LONG_PTR) override {
    return S_OK;
  }
  HRESULT OnRecordsChanged(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR) override { return S_OK; }
  HRESULT OnDataMoved(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR,
                      LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR) override {
    return S_OK;
  }

  // IPendrelAnalysisManager
  HRESULT RegisterClient(IPersist* settings, IPersist* data, VARIANT_BOOL stored,
                         IQuorString* name, IQuorString* identifier, LONG* cookie) override;
  HRESULT ReportRegion(LONG cookie, LONG startRecord, LONG startOffset, LONG endRecord,
                       LONG endOffset) override;
  HRESULT TracksClient(LONG cookie) override;
  HRESULT ClientChanged(LONG cookie) override;

  const std::map<LONG, ManagedClient>& Clients() const { return m_clients; }
  // Stops tracking a client, as the host does when the user takes an analysis out of its hands.
  void Forget(LONG cookie) { m_clients.erase(cookie); }

 private:
  DWORD m_type;
  LONG m_nextCookie = 1;
  std::map<LONG, ManagedClient> m_clients;
};

}  // namespace PendrelHost
