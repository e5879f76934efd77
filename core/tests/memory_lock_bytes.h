// Lock bytes in memory, for tests of the storage engine. They count the changes made to them
// (writes and size changes) and can stop at one of them the way a machine that loses power
// does: that change lands only in part, and every later change fails.
#pragma once

#include <vector>

#include "core/storage/iquor_lock_bytes.h"
#include "platform/win32/com_object.h"

class MemoryLockBytes final : public SimpleUnknownImp1<IQuorLockBytes, 1> {
 public:
  // With `exposeBase`, GetBaseAddress reports where the bytes lie; they then never move, and
  // the file cannot grow past `capacity`.
  explicit MemoryLockBytes(bool exposeBase = false, std::size_t capacity = 8 << 20);

  const std::vector<BYTE>& Bytes() const { return m_bytes; }
  // For tests that damage the file.
  std::vector<BYTE>& MutableBytes() { return m_bytes; }
  unsigned Changes() const { return m_changes; }
  // Change number `change` (counted from 1 over the object's life) is the last to land.
  void CrashAtChange(unsigned change) { m_crashAt = change; }
  bool Crashed() const { return m_crashAt && m_changes >= m_crashAt; }

  HRESULT ReadAt(ULARGE_INTEGER offset, void* buffer, ULONG count, ULONG* read) override;
  HRESULT WriteAt(ULARGE_INTEGER offset, const void* buffer, ULONG count, ULONG* written) override;
  HRESULT Flush() override;
  HRESULT SetSize(ULARGE_INTEGER size) override;
  HRESULT LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType) override;
  HRESULT UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD lockType) override;
  HRESULT Stat(STATSTG* status, DWORD flags) override;

  HRESULT GetBaseAddress(BYTE** base) override;
  HRESULT GetUserData(ULONG_PTR* data) override;
  HRESULT SetAccessHint(DWORD hint) override;

 private:
  ~MemoryLockBytes() override = default;
  // False when this change must fail; the crashing change may still land in part.
  bool BeginChange();
  bool Resize(ULONGLONG size);

  std::vector<BYTE> m_bytes;
  bool m_exposeBase;
  std::size_t m_capacity;
  unsigned m_changes = 0;
  unsigned m_crashAt = 0;
};
