// QuorStream: a stream of a compound file. It keeps the storage that opened it alive, and with
// it the element it reads and writes.
#pragma once

#include <mutex>

#include "core/storage/chain_stream.h"
#include "core/storage/iquor_stream.h"
#include "platform/win32/com_object.h"

class QuorStorage;

class QuorStream final : public SimpleUnknownImp1<IQuorStream, 1> {
 public:
  // The caller holds the file's mutex.
  QuorStream(QuorStorage* storage, Element& element, ULONGLONG position = 0);

  HRESULT Read(void* buffer, ULONG count, ULONG* read) override;
  HRESULT Write(const void* buffer, ULONG count, ULONG* written) override;
  HRESULT Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override;
  HRESULT SetSize(ULARGE_INTEGER size) override;
  HRESULT CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                 ULARGE_INTEGER* written) override;
  HRESULT Commit(DWORD flags) override;
  HRESULT Revert() override;
  HRESULT LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType) override;
  HRESULT UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType) override;
  HRESULT Stat(STATSTG* status, DWORD flags) override;
  HRESULT Clone(IStream** clone) override;

  HRESULT GetDirectAddress(ULONGLONG offset, ULONG count, BYTE** address) override;
  HRESULT GetLockBytesUserData(ULONG_PTR* data) override;
  HRESULT GetLockBytes(ILockBytes** lockBytes) override;

 private:
  ~QuorStream() override;
  std::recursive_mutex& Mutex() const;

  QuorStorage* m_storage;
  ChainStream m_data;
};
