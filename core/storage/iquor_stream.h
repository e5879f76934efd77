// IQuorStream: IStream with direct access to data that lies in memory.
#pragma once

#include "core/storage/iquor_lock_bytes.h"
#include "platform/win32/stream.h"

struct IQuorStream : IStream {
  PLATFORM_INTERFACE_ID("1269bedc-99f3-4418-b3e6-170307c981ea");
  using Base = IStream;
  // The memory address of data offset..offset+count when the lock bytes are mapped and the
  // range lies in consecutive clusters; else S_FALSE and null.
  virtual HRESULT GetDirectAddress(ULONGLONG offset, ULONG count, BYTE** address) = 0;
  // As IQuorStorage::GetLockBytesUserData and GetLockBytes.
  virtual HRESULT GetLockBytesUserData(ULONG_PTR* data) = 0;
  virtual HRESULT GetLockBytes(ILockBytes** lockBytes) = 0;

 protected:
  ~IQuorStream() = default;
};
