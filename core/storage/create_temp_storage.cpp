#include "core/storage/create_temp_storage.h"

#include "core/com_call_guard.h"
#include "core/com_ptr.h"
#include "core/storage/file_lock_bytes.h"
#include "core/storage/quor_storage.h"
#include "platform/win32/files.h"

namespace {

HRESULT MakeTemporaryName(Quor::String& fileName) {
  WCHAR folder[MAX_PATH];
  const DWORD length = GetTempPathW(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH) return E_FAIL;
  WCHAR name[MAX_PATH];
  if (!GetTempFileNameW(folder, u"Quor", 0, name)) {
    const DWORD error = GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
  }
  fileName = name;
  return S_OK;
}

}  // namespace

HRESULT CreateTempStorage(Quor::String& fileName, IStorage** storage) {
  if (!storage) return E_POINTER;
  *storage = nullptr;
  // The caller checks the result; a file that cannot be created is one more failure code.
  return Quor::GuardedCall([&] {
    if (fileName.IsEmpty()) {
      const HRESULT hr = MakeTemporaryName(fileName);
      if (FAILED(hr)) return hr;
    }
    Quor::ComPtr<IQuorLockBytes> lockBytes;
    lockBytes.Attach(new FileLockBytesImpl::FileLockBytes(fileName));
    *storage = QuorStorage::CreateRoot(lockBytes.Get());
    return S_OK;
  });
}
