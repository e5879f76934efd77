// The part of the module's child data objects that the host's data changes do not concern:
// they hold beats by (record, tick) and stay as they are when the host moves data.
#pragma once

#include "platform/pendrel/child_data.h"
#include "platform/win32/com_object.h"

namespace Rhyth {

template <class... Faces>
class ChildDataBase : public SimpleUnknownImpBase<IPendrelDataChildData, Faces...> {
 public:
  HRESULT OnDataChanged(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR,
                        LONG_PTR) override {
    return S_OK;
  }
  HRESULT OnRecordsChanged(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR) override { return S_OK; }
  HRESULT OnDataMoved(LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR,
                      LONG_PTR, LONG_PTR, LONG_PTR, LONG_PTR) override {
    return S_OK;
  }

 protected:
  ChildDataBase() : SimpleUnknownImpBase<IPendrelDataChildData, Faces...>(0) {}
};

}  // namespace Rhyth
