// FileLockBytes: the compound file's bytes in a file: a scratch file created fresh and deleted
// when the object goes, or a named file opened or created for keeps. One cached file position
// serves every caller; the storage engine's mutex serialises them.
#pragma once

#include "core/quor_string.h"
#include "core/storage/iquor_lock_bytes.h"
#include "core/xquor.h"
#include "platform/win32/com_object.h"

namespace Quor {

// The file of a FileLockBytes could not be created; the code is the system error.
class XLockBytesCreate : public XQuor {
 public:
  using XQuor::XQuor;
};

}  // namespace Quor

namespace FileLockBytesImpl {

class FileLockBytes final : public SimpleUnknownImp1<IQuorLockBytes, 1> {
 public:
  // Creates the file under the absolute form of the name, for this object alone; raises
  // Quor::XLockBytesCreate when that fails.
  explicit FileLockBytes(const Quor::String& fileName);
  // Opens or creates the file as `disposition` says (OPEN_EXISTING, CREATE_NEW or
  // CREATE_ALWAYS), with the access of the storage open mode `mode`. A writer holds the file
  // alone, since two writers would overwrite each other's commits; a reader shares it with
  // readers. STGM_DELETEONRELEASE deletes the file when the object goes. Stat reports `mode`.
  // Raises Quor::XLockBytesCreate when the file cannot be opened.
  FileLockBytes(const Quor::String& fileName, DWORD disposition, DWORD mode);

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
  ~FileLockBytes() override;
  HRESULT MoveTo(ULONGLONG offset);

  HANDLE m_file;
  ULONGLONG m_position = 0;  // where the handle stands
  Quor::String m_path;
  DWORD m_mode;
};

}  // namespace FileLockBytesImpl
