// The host's data-adder service: it makes unit objects.
#pragma once

#include "platform/pendrel/data_adder.h"
#include "platform/win32/com_object.h"

namespace Tarn {

class DataAdderService final : public SimpleUnknownImp1<IPendrelDataAdder, 1> {
 public:
  static DataAdderService& Instance();
  HRESULT CreateUnitName(DWORD hostPrefix, IQuorString* name, DWORD reserved,
                         IUnitName** unit) override;

 private:
  DataAdderService() = default;
};

}  // namespace Tarn
