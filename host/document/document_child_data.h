// One face of the data document: the objects extensions attach to it, one per type word, each
// held with one reference until it is replaced, removed or the document goes.
#pragma once

#include <map>

#include "host/framework/held_reference.h"
#include "platform/pendrel/child_data.h"

namespace PendrelHost {

class DocumentChildData : public IPendrelChildDataContainer {
 public:
  // With null, removes the object of the type: S_FALSE when there was none.
  HRESULT SetChildData(DWORD type, IPendrelDataChildData* data) override;
  HRESULT GetChildData(DWORD type, IPendrelDataChildData** data) override;
  HRESULT GetChildDataTypes(DWORD room, DWORD* types, DWORD* count) override;

 protected:
  DocumentChildData() = default;
  ~DocumentChildData() = default;

 private:
  std::map<DWORD, Tarn::HeldReference<IPendrelDataChildData>> m_objects;
};

}  // namespace PendrelHost
