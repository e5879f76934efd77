#include "memory_lock_bytes.h"

#include <algorithm>
#include <cstring>

MemoryLockBytes::MemoryLockBytes(bool exposeBase, std::size_t capacity)
    : m_exposeBase(exposeBase), m_capacity(capacity) {
  if (m_exposeBase) m_bytes.reserve(capacity);
}

bool MemoryLockBytes::BeginChange() {
  if (Crashed()) return false;
  ++m_changes;
  return true;
}

bool MemoryLockBytes::Resize(ULONGLONG size) {
  if (m_exposeBase && size > m_capacity) return false;
  m_bytes.resize(size);
  return true;
}

HRESULT MemoryLockBytes::ReadAt(ULARGE_INTEGER offset, void* buffer, ULONG count, ULONG* read) {
  const ULONGLONG at = std::min<ULONGLONG>(offset.QuadPart, m_bytes.size());
  const auto n = static_cast<ULONG>(std::min<ULONGLONG>(count, m_bytes.size() - at));
  std::memcpy(buffer, m_bytes.data() + at, n);
  if (read) *read = n;
  return S_OK;
}

HRESULT MemoryLockBytes::WriteAt(ULARGE_INTEGER offset, const void* buffer, ULONG count,
                                 ULONG* written) {
  if (written) *written = 0;
  if (!BeginChange()) return STG_E_WRITEFAULT;
  // The crashing write gets half of its bytes onto the medium.
  const ULONG landing = Crashed() ? count / 2 : count;
  const ULONGLONG end = offset.QuadPart + landing;
  if (end > m_bytes.size() && !Resize(end)) return STG_E_MEDIUMFULL;
  std::memcpy(m_bytes.data() + offset.QuadPart, buffer, landing);
  if (Crashed()) return STG_E_WRITEFAULT;
  if (written) *written = count;
  return S_OK;
}

HRESULT MemoryLockBytes::Flush() { return Crashed() ? STG_E_WRITEFAULT : S_OK; }

HRESULT MemoryLockBytes::SetSize(ULARGE_INTEGER size) {
  if (!BeginChange() || Crashed()) return STG_E_WRITEFAULT;
  return Resize(size.QuadPart) ? S_OK : STG_E_MEDIUMFULL;
}

HRESULT MemoryLockBytes::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return S_OK; }

HRESULT MemoryLockBytes::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return S_OK; }

HRESULT MemoryLockBytes::Stat(STATSTG* status, DWORD) {
  std::memset(status, 0, sizeof *status);
  status->type = STGTY_LOCKBYTES;
  status->cbSize.QuadPart = m_bytes.size();
  return S_OK;
}

HRESULT MemoryLockBytes::GetBaseAddress(BYTE** base) {
  *base = m_exposeBase ? m_bytes.data() : nullptr;
  return S_OK;
}

HRESULT MemoryLockBytes::GetUserData(ULONG_PTR* data) {
  *data = 0x5EED;
  return S_OK;
}

HRESULT MemoryLockBytes::SetAccessHint(DWORD) { return S_OK; }
