#include "core/storage/quor_stream.h"

#include <algorithm>
#include <vector>

#include "core/com_call_guard.h"
#include "core/storage/element_stat.h"
#include "core/storage/quor_storage.h"

using namespace QuorCompoundFile;

namespace {
using Lock = std::lock_guard<std::recursive_mutex>;
}  // namespace

QuorStream::QuorStream(QuorStorage* storage, Element& element, ULONGLONG position)
    : m_storage(storage), m_data(storage->Allocator(), element, position) {
  m_storage->AddRef();
  ++element.openCount;
}

QuorStream::~QuorStream() {
  {
    Lock lock(Mutex());
    --m_data.Target().openCount;
  }
  m_storage->Release();  // may take the whole file with it
}

std::recursive_mutex& QuorStream::Mutex() const { return m_storage->Allocator().Mutex(); }

HRESULT QuorStream::Read(void* buffer, ULONG count, ULONG* read) {
  if (read) *read = 0;
  return Quor::GuardedCall([&] {
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    Lock lock(Mutex());
    ULONG moved = 0;
    const HRESULT hr = m_data.Read(buffer, count, moved);
    if (read) *read = moved;
    return hr;
  });
}

HRESULT QuorStream::Write(const void* buffer, ULONG count, ULONG* written) {
  if (written) *written = 0;
  return Quor::GuardedCall([&] {
    if (!buffer && count) return STG_E_INVALIDPOINTER;
    Lock lock(Mutex());
    ULONG moved = 0;
    const HRESULT hr = m_data.Write(buffer, count, moved);
    if (written) *written = moved;
    return hr;
  });
}

HRESULT QuorStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) {
  return Quor::GuardedCall([&] {
    Lock lock(Mutex());
    LONGLONG base = 0;
    switch (origin) {
      case STREAM_SEEK_SET:
        break;
      case STREAM_SEEK_CUR:
        base = static_cast<LONGLONG>(m_data.Position());
        break;
      case STREAM_SEEK_END:
        base = static_cast<LONGLONG>(m_data.Target().Size());
        break;
      default:
        return STG_E_INVALIDFUNCTION;
    }
    LONGLONG target = 0;
    if (__builtin_add_overflow(base, move.QuadPart, &target) || target < 0) {
      return STG_E_INVALIDFUNCTION;
    }
    const HRESULT hr = m_data.Seek(static_cast<ULONGLONG>(target));
    if (SUCCEEDED(hr) && newPosition) newPosition->QuadPart = static_cast<ULONGLONG>(target);
    return hr;
  });
}

HRESULT QuorStream::SetSize(ULARGE_INTEGER size) {
  return Quor::GuardedCall([&] {
    Lock lock(Mutex());
    return m_data.SetSize(size.QuadPart);
  });
}

// Copies through a buffer of one cluster; the target is written without this file's mutex, so
// that a target in another file cannot deadlock against it.
HRESULT QuorStream::CopyTo(IStream* target, ULARGE_INTEGER count, ULARGE_INTEGER* read,
                           ULARGE_INTEGER* written) {
  ULONGLONG totalRead = 0, totalWritten = 0;
  const HRESULT result = Quor::GuardedCall([&] {
    if (!target) return STG_E_INVALIDPOINTER;
    std::vector<BYTE> buffer(kClusterSize);
    HRESULT hr = S_OK;
    while (totalRead < count.QuadPart) {
      const auto piece =
          static_cast<ULONG>(std::min<ULONGLONG>(kClusterSize, count.QuadPart - totalRead));
      ULONG got = 0;
      {
        Lock lock(Mutex());
        hr = m_data.Read(buffer.data(), piece, got);
      }
      totalRead += got;
      if (FAILED(hr) || got == 0) break;
      ULONG put = 0;
      hr = target->Write(buffer.data(), got, &put);
      totalWritten += put;
      if (FAILED(hr) || put == 0) break;
    }
    return hr;
  });
  if (read) read->QuadPart = totalRead;
  if (written) written->QuadPart = totalWritten;
  return result;
}

HRESULT QuorStream::Commit(DWORD) { return S_OK; }

HRESULT QuorStream::Revert() { return E_NOTIMPL; }

HRESULT QuorStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return E_NOTIMPL; }

HRESULT QuorStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return E_NOTIMPL; }

HRESULT QuorStream::Stat(STATSTG* status, DWORD flags) {
  return Quor::GuardedCall([&] {
    Lock lock(Mutex());
    return FillElementStat(m_data.Target(), status, flags);
  });
}

HRESULT QuorStream::Clone(IStream** clone) {
  return Quor::GuardedCall([&] {
    if (!clone) return STG_E_INVALIDPOINTER;
    *clone = nullptr;
    Lock lock(Mutex());
    *clone = new QuorStream(m_storage, m_data.Target(), m_data.Position());
    return S_OK;
  });
}

HRESULT QuorStream::GetDirectAddress(ULONGLONG offset, ULONG count, BYTE** address) {
  return Quor::GuardedCall([&] {
    if (!address) return E_POINTER;
    *address = nullptr;
    Lock lock(Mutex());
    return m_data.DirectAddress(offset, count, *address);
  });
}

HRESULT QuorStream::GetLockBytesUserData(ULONG_PTR* data) {
  return m_storage->GetLockBytesUserData(data);
}

HRESULT QuorStream::GetLockBytes(ILockBytes** lockBytes) {
  return m_storage->GetLockBytes(lockBytes);
}
