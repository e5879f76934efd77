// ILockBytes: the byte array beneath a compound file.
#pragma once

#include "platform/win32/stream.h"

struct ILockBytes : IUnknown {
  PLATFORM_INTERFACE_ID("0000000a-0000-0000-C000-000000000046");
  using Base = IUnknown;
  virtual HRESULT ReadAt(ULARGE_INTEGER offset, void* buffer, ULONG count, ULONG* read) = 0;
  virtual HRESULT WriteAt(ULARGE_INTEGER offset, const void* buffer, ULONG count,
                          ULONG* written) = 0;
  virtual HRESULT Flush() = 0;
  virtual HRESULT SetSize(ULARGE_INTEGER size) = 0;
  virtual HRESULT LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType) = 0;
  virtual HRESULT UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType) = 0;
  virtual HRESULT Stat(STATSTG* status, DWORD flags) = 0;

 protected:
  ~ILockBytes() = default;
};
