// An enumerator of objects, handed out one at a time, each with a reference for the caller.
#pragma once

#include "platform/win32/unknown.h"

struct IEnumUnknown : IUnknown {
  PLATFORM_INTERFACE_ID("00000100-0000-0000-C000-000000000046");
  using Base = IUnknown;
  // Up to `count` objects from the current place on; S_FALSE when fewer were left.
  virtual HRESULT Next(ULONG count, IUnknown** items, ULONG* fetched) = 0;
  virtual HRESULT Skip(ULONG count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumUnknown** clone) = 0;

 protected:
  ~IEnumUnknown() = default;
};
