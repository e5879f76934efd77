// What every calculated event enumerator tells about the values it produces.
#pragma once

#include "platform/pendrel/unit_name.h"

namespace EEH3 {

class EnumeratorBase {
 public:
  // A new unit object for the produced values, one reference for the caller.
  virtual HRESULT CreateValueUnit(IUnitName** unit) = 0;

 protected:
  EnumeratorBase() = default;
  EnumeratorBase(const EnumeratorBase&) = default;
  ~EnumeratorBase() = default;
};

}  // namespace EEH3
