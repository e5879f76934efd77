// An enumerator of interface ids: what an object offers, listed one id at a time. The ids are
// pointers to GUIDs of static storage, so the caller may keep them after the enumerator goes.
#pragma once

#include "platform/win32/unknown.h"

struct IEnumInterface : IUnknown {
  PLATFORM_INTERFACE_ID("6f0b2d84-93c1-4e7a-b5d8-1c4a7e9f2b36");
  using Base = IUnknown;
  // Copies up to `count` ids from the current place on; S_FALSE when fewer were left.
  virtual HRESULT Next(ULONG count, const IID** iids, ULONG* fetched) = 0;
  virtual HRESULT Skip(ULONG count) = 0;
  virtual HRESULT Reset() = 0;
  // A second enumerator over the same ids, at the same place.
  virtual HRESULT Clone(IEnumInterface** clone) = 0;

 protected:
  ~IEnumInterface() = default;
};
