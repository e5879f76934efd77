// Objects the host can store in its documents.
#pragma once

#include "platform/win32/unknown.h"

struct IBinInStream;
struct IBinOutStream;

struct IPersistObject : IUnknown {
  PLATFORM_INTERFACE_ID("41bcc341-2504-4e87-bb43-04d2a0d2155a");
  using Base = IUnknown;
  virtual HRESULT Load(IBinInStream* stream) = 0;
  virtual HRESULT Save(IBinOutStream* stream) = 0;
  virtual HRESULT GetTypeId(DWORD* type) = 0;

 protected:
  ~IPersistObject() = default;
};
