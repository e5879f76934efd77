#include "core/storage/storage_entry_points.h"

#include "core/com_call_guard.h"
#include "core/com_ptr.h"
#include "core/storage/file_lock_bytes.h"
#include "core/storage/quor_storage.h"
#include "platform/win32/files.h"

namespace {

constexpr DWORD kAccessBits = 3;
constexpr DWORD kShareBits = 0x70;

HRESULT CheckMode(DWORD mode) {
  if ((mode & kAccessBits) > STGM_READWRITE || (mode & kShareBits) > STGM_SHARE_DENY_NONE ||
      (mode & (STGM_CONVERT | STGM_PRIORITY))) {
    return STG_E_INVALIDFLAG;
  }
  return S_OK;
}

HRESULT CheckCreateMode(DWORD mode) {
  if ((mode & kAccessBits) == STGM_READ) return STG_E_INVALIDFLAG;
  return CheckMode(mode);
}

HRESULT CheckOpenMode(DWORD mode) {
  if (mode & (STGM_CREATE | STGM_DELETEONRELEASE)) return STG_E_INVALIDFLAG;
  return CheckMode(mode);
}

// Failures of the file system as the storage codes that stand for them.
HRESULT StorageError(HRESULT fileError) {
  for (DWORD code : {ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED,
                     ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION, ERROR_FILE_EXISTS}) {
    if (fileError == HRESULT_FROM_WIN32(code)) return MakeHResult(0x80030000 | code);
  }
  return fileError;
}

// The file's lock bytes, or the storage code of the reason why there are none.
HRESULT OpenFile(const OLECHAR* name, DWORD disposition, DWORD mode,
                 Quor::ComPtr<IQuorLockBytes>& lockBytes) {
  try {
    lockBytes.Attach(new FileLockBytesImpl::FileLockBytes(Quor::String(name), disposition, mode));
  } catch (const Quor::XLockBytesCreate& error) {
    return StorageError(error.Code());
  }
  return S_OK;
}

HRESULT CheckOpenArguments(IStorage* priority, DWORD mode, SNB excludedNames) {
  if (priority || excludedNames) return STG_E_INVALIDPARAMETER;
  return CheckOpenMode(mode);
}

}  // namespace

HRESULT StgCreateDocfile(const OLECHAR* name, DWORD mode, DWORD, IStorage** storage) {
  if (!storage) return STG_E_INVALIDPOINTER;
  *storage = nullptr;
  if (!name || !*name) return STG_E_INVALIDNAME;
  const HRESULT hr = CheckCreateMode(mode);
  if (FAILED(hr)) return hr;
  return Quor::GuardedCall([&] {
    Quor::ComPtr<IQuorLockBytes> lockBytes;
    const HRESULT opened =
        OpenFile(name, mode & STGM_CREATE ? CREATE_ALWAYS : CREATE_NEW, mode, lockBytes);
    if (FAILED(opened)) return opened;
    *storage = QuorStorage::CreateRoot(lockBytes.Get());
    return S_OK;
  });
}

HRESULT StgOpenStorage(const OLECHAR* name, IStorage* priority, DWORD mode, SNB excludedNames,
                       DWORD, IStorage** storage) {
  if (!storage) return STG_E_INVALIDPOINTER;
  *storage = nullptr;
  if (!name || !*name) return STG_E_INVALIDNAME;
  const HRESULT hr = CheckOpenArguments(priority, mode, excludedNames);
  if (FAILED(hr)) return hr;
  return Quor::GuardedCall([&] {
    Quor::ComPtr<IQuorLockBytes> lockBytes;
    const HRESULT opened = OpenFile(name, OPEN_EXISTING, mode, lockBytes);
    if (FAILED(opened)) return opened;
    return QuorStorage::OpenRoot(lockBytes.Get(), mode, storage);
  });
}

HRESULT StgCreateDocfileOnILockBytes(ILockBytes* lockBytes, DWORD mode, DWORD, IStorage** storage) {
  if (!storage) return STG_E_INVALIDPOINTER;
  *storage = nullptr;
  if (!lockBytes) return STG_E_INVALIDPOINTER;
  const HRESULT hr = CheckCreateMode(mode);
  if (FAILED(hr)) return hr;
  return Quor::GuardedCall([&] {
    *storage = QuorStorage::CreateRoot(lockBytes);
    return S_OK;
  });
}

HRESULT StgOpenStorageOnILockBytes(ILockBytes* lockBytes, IStorage* priority, DWORD mode,
                                   SNB excludedNames, DWORD, IStorage** storage) {
  if (!storage) return STG_E_INVALIDPOINTER;
  *storage = nullptr;
  if (!lockBytes) return STG_E_INVALIDPOINTER;
  const HRESULT hr = CheckOpenArguments(priority, mode, excludedNames);
  if (FAILED(hr)) return hr;
  return QuorStorage::OpenRoot(lockBytes, mode, storage);
}
