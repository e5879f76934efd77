// IQuorStorage: IStorage with access to the lock bytes beneath it.
#pragma once

#include "core/storage/iquor_lock_bytes.h"
#include "platform/win32/storage.h"

struct IQuorStorage : IStorage {
  PLATFORM_INTERFACE_ID("e6b04496-511b-4cf4-b59a-f4dfc67e0178");
  using Base = IStorage;
  // The lock bytes' user data; S_FALSE and 0 when they have no IQuorLockBytes.
  virtual HRESULT GetLockBytesUserData(ULONG_PTR* data) = 0;
  // The lock bytes, with a reference.
  virtual HRESULT GetLockBytes(ILockBytes** lockBytes) = 0;
  // Passed to the lock bytes by the root storage.
  virtual HRESULT SetLockBytesAccessHint(DWORD hint) = 0;

 protected:
  ~IQuorStorage() = default;
};
