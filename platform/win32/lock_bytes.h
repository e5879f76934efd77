// ILockBytes: the byte array beneath a compound file, and lock bytes over global memory.
#pragma once

#include "platform/win32/stream.h"
#include "platform/win32/types.h"

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

// Lock bytes over a global memory block, whose size is the block's size; a null block makes a
// new, empty movable one. Writes past the end grow the block (which may then move: ask
// GetHGlobalFromILockBytes for it). With deleteOnRelease the block is freed with the last
// reference.
HRESULT CreateILockBytesOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, ILockBytes** lockBytes);
HRESULT GetHGlobalFromILockBytes(ILockBytes* lockBytes, HGLOBAL* block);
