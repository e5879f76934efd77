#include "core/storage/file_lock_bytes.h"

#include <algorithm>
#include <cstring>

#include "core/storage/full_path.h"
#include "platform/win32/files.h"
#include "platform/win32/global_memory.h"
#include "platform/win32/storage.h"

namespace FileLockBytesImpl {

namespace {

constexpr DWORD kScratchMode =
    STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_TRANSACTED | STGM_DELETEONRELEASE;
constexpr DWORD kAccessBits = 3;
constexpr DWORD kShareBits = 0x70;

// A failure whose last error is 0 still fails.
HRESULT LastErrorResult() {
  const DWORD error = GetLastError();
  return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

DWORD Low(ULONGLONG value) { return static_cast<DWORD>(value); }
DWORD High(ULONGLONG value) { return static_cast<DWORD>(value >> 32); }

}  // namespace

FileLockBytes::FileLockBytes(const Quor::String& fileName)
    : FileLockBytes(fileName, CREATE_ALWAYS, kScratchMode) {}

FileLockBytes::FileLockBytes(const Quor::String& fileName, DWORD disposition, DWORD mode)
    : m_path(fileName), m_mode(mode) {
  Quor::MakeFullPath(m_path);
  const bool writes = (mode & kAccessBits) != STGM_READ;
  const DWORD access = GENERIC_READ | (writes ? GENERIC_WRITE : 0);
  const bool alone = writes || (mode & kShareBits) == STGM_SHARE_EXCLUSIVE;
  const DWORD attributes =
      FILE_ATTRIBUTE_NORMAL | (mode & STGM_DELETEONRELEASE ? FILE_FLAG_DELETE_ON_CLOSE : 0);
  m_file = CreateFileW(m_path.c_str(), access, alone ? 0 : FILE_SHARE_READ, nullptr, disposition,
                       attributes, nullptr);
  if (m_file == INVALID_HANDLE_VALUE) throw Quor::XLockBytesCreate(LastErrorResult());
}

FileLockBytes::~FileLockBytes() { CloseHandle(m_file); }

// The cached position follows the handle only when the handle really moved.
HRESULT FileLockBytes::MoveTo(ULONGLONG offset) {
  if (offset == m_position) return S_OK;
  LARGE_INTEGER distance;
  distance.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(m_file, distance, nullptr, FILE_BEGIN)) return LastErrorResult();
  m_position = offset;
  return S_OK;
}

HRESULT FileLockBytes::ReadAt(ULARGE_INTEGER offset, void* buffer, ULONG count, ULONG* read) {
  if (read) *read = 0;
  if (!buffer && count) return STG_E_INVALIDPOINTER;
  const HRESULT hr = MoveTo(offset.QuadPart);
  if (FAILED(hr)) return hr;
  DWORD moved = 0;
  const BOOL ok = ReadFile(m_file, buffer, count, &moved, nullptr);
  m_position += moved;
  if (read) *read = moved;
  return ok ? S_OK : LastErrorResult();
}

HRESULT FileLockBytes::WriteAt(ULARGE_INTEGER offset, const void* buffer, ULONG count,
                               ULONG* written) {
  if (written) *written = 0;
  if (!buffer && count) return STG_E_INVALIDPOINTER;
  const HRESULT hr = MoveTo(offset.QuadPart);
  if (FAILED(hr)) return hr;
  DWORD moved = 0;
  const BOOL ok = WriteFile(m_file, buffer, count, &moved, nullptr);
  m_position += moved;
  if (written) *written = moved;
  return ok ? S_OK : LastErrorResult();
}

HRESULT FileLockBytes::Flush() { return FlushFileBuffers(m_file) ? S_OK : LastErrorResult(); }

HRESULT FileLockBytes::SetSize(ULARGE_INTEGER size) {
  const HRESULT hr = MoveTo(size.QuadPart);
  if (FAILED(hr)) return hr;
  return SetEndOfFile(m_file) ? S_OK : LastErrorResult();
}

HRESULT FileLockBytes::LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD) {
  const ULONGLONG at = offset.QuadPart, length = count.QuadPart;
  return LockFile(m_file, Low(at), High(at), Low(length), High(length)) ? S_OK : LastErrorResult();
}

HRESULT FileLockBytes::UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER count, DWORD) {
  const ULONGLONG at = offset.QuadPart, length = count.QuadPart;
  return UnlockFile(m_file, Low(at), High(at), Low(length), High(length)) ? S_OK
                                                                          : LastErrorResult();
}

HRESULT FileLockBytes::Stat(STATSTG* status, DWORD flags) {
  if (!status) return STG_E_INVALIDPOINTER;
  std::memset(status, 0, sizeof *status);
  LARGE_INTEGER size;
  if (!GetFileSizeEx(m_file, &size) ||
      !GetFileTime(m_file, &status->ctime, &status->atime, &status->mtime)) {
    return LastErrorResult();
  }
  if (!(flags & STATFLAG_NONAME)) {
    const DWORD units = m_path.Length() + 1;
    auto* name = static_cast<LPOLESTR>(CoTaskMemAlloc(units * sizeof(WCHAR)));
    if (!name) return STG_E_INSUFFICIENTMEMORY;
    std::copy_n(m_path.c_str(), units, name);
    status->pwcsName = name;
  }
  status->type = STGTY_LOCKBYTES;
  status->grfMode = m_mode;
  status->cbSize.QuadPart = static_cast<ULONGLONG>(size.QuadPart);
  return S_OK;
}

HRESULT FileLockBytes::GetBaseAddress(BYTE** base) {
  if (!base) return E_POINTER;
  *base = nullptr;  // a file is not mapped
  return S_OK;
}

HRESULT FileLockBytes::GetUserData(ULONG_PTR* data) {
  if (!data) return E_POINTER;
  *data = 0;
  return S_OK;
}

HRESULT FileLockBytes::SetAccessHint(DWORD) { return S_OK; }

}  // namespace FileLockBytesImpl
