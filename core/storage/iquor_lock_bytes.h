// IQuorLockBytes: the byte array beneath the storage engine, with three operations beyond
// ILockBytes.
#pragma once

#include "platform/win32/lock_bytes.h"

struct IQuorLockBytes : ILockBytes {
  PLATFORM_INTERFACE_ID("03ebd0b3-687e-4799-b267-d95f6af440c2");
  using Base = ILockBytes;
  // The address at which the bytes lie in memory; null when they are not mapped.
  virtual HRESULT GetBaseAddress(BYTE** base) = 0;
  // A word that the lock bytes keep for their user; 0 when they keep none.
  virtual HRESULT GetUserData(ULONG_PTR* data) = 0;
  // A hint on how the bytes will be used; the lock bytes may ignore it.
  virtual HRESULT SetAccessHint(DWORD hint) = 0;

 protected:
  ~IQuorLockBytes() = default;
};
