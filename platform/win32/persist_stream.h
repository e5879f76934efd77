// Objects that load from and save to a stream.
#pragma once

#include "platform/win32/stream.h"

struct IPersist : IUnknown {
  PLATFORM_INTERFACE_ID("0000010c-0000-0000-C000-000000000046");
  using Base = IUnknown;
  virtual HRESULT GetClassID(CLSID* classId) = 0;

 protected:
  ~IPersist() = default;
};

struct IPersistStreamInit : IPersist {
  PLATFORM_INTERFACE_ID("7FD52380-4E07-101B-AE2D-08002B2EC713");
  using Base = IPersist;
  // S_OK when changed since the last save, S_FALSE otherwise.
  virtual HRESULT IsDirty() = 0;
  virtual HRESULT Load(IStream* stream) = 0;
  virtual HRESULT Save(IStream* stream, BOOL clearDirty) = 0;
  virtual HRESULT GetSizeMax(ULARGE_INTEGER* size) = 0;
  virtual HRESULT InitNew() = 0;

 protected:
  ~IPersistStreamInit() = default;
};
