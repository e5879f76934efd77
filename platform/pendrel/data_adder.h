// The host's data-adder service: it makes the host's unit objects.
#pragma once

#include "platform/pendrel/unit_name.h"

struct IPendrelDataAdder : IUnknown {
  PLATFORM_INTERFACE_ID("3c7f1d2e-5b8a-4f61-9e0d-2a4b6c8e0f13");
  using Base = IUnknown;
  // A unit object of the host's prefix value (1 none, 2 a ... 7 m, 9 k, 10 M, 11 G) and name.
  virtual HRESULT CreateUnitName(DWORD hostPrefix, IQuorString* name, DWORD reserved,
                                 IUnitName** unit) = 0;

 protected:
  ~IPendrelDataAdder() = default;
};
