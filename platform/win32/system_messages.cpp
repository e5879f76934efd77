#include "platform/win32/system_messages.h"

#include <string_view>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/stream.h"

namespace {

struct SystemText {
  DWORD code;
  std::u16string_view text;
};

// System texts end in CR LF, as the system writes them.
constexpr SystemText kTexts[] = {
    {ERROR_SUCCESS, u"The operation completed successfully.\r\n"},
    {ERROR_INVALID_FUNCTION, u"Incorrect function.\r\n"},
    {ERROR_FILE_NOT_FOUND, u"The system cannot find the file specified.\r\n"},
    {ERROR_PATH_NOT_FOUND, u"The system cannot find the path specified.\r\n"},
    {ERROR_TOO_MANY_OPEN_FILES, u"The system cannot open the file.\r\n"},
    {ERROR_ACCESS_DENIED, u"Access is denied.\r\n"},
    {ERROR_INVALID_HANDLE, u"The handle is invalid.\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY, u"Not enough memory resources are available to process this command.\r\n"},
    {ERROR_INVALID_DATA, u"The data is invalid.\r\n"},
    {ERROR_OUTOFMEMORY, u"Not enough memory resources are available to complete this operation.\r\n"},
    {ERROR_WRITE_PROTECT, u"The media is write protected.\r\n"},
    {ERROR_NOT_READY, u"The device is not ready.\r\n"},
    {ERROR_SHARING_VIOLATION, u"The process cannot access the file because it is being used by another process.\r\n"},
    {ERROR_LOCK_VIOLATION, u"The process cannot access the file because another process has locked a portion of the file.\r\n"},
    {ERROR_HANDLE_EOF, u"Reached the end of the file.\r\n"},
    {ERROR_HANDLE_DISK_FULL, u"The disk is full.\r\n"},
    {ERROR_NOT_SUPPORTED, u"The request is not supported.\r\n"},
    {ERROR_FILE_EXISTS, u"The file exists.\r\n"},
    {ERROR_INVALID_PARAMETER, u"The parameter is incorrect.\r\n"},
    {ERROR_BROKEN_PIPE, u"The pipe has been ended.\r\n"},
    {ERROR_DISK_FULL, u"There is not enough space on the disk.\r\n"},
    {ERROR_INSUFFICIENT_BUFFER, u"The data area passed to a system call is too small.\r\n"},
    {ERROR_INVALID_NAME, u"The filename, directory name, or volume label syntax is incorrect.\r\n"},
    {ERROR_MOD_NOT_FOUND, u"The specified module could not be found.\r\n"},
    {ERROR_PROC_NOT_FOUND, u"The specified procedure could not be found.\r\n"},
    {ERROR_NEGATIVE_SEEK, u"An attempt was made to move the file pointer before the beginning of the file.\r\n"},
    {ERROR_DIR_NOT_EMPTY, u"The directory is not empty.\r\n"},
    {ERROR_BUSY, u"The requested resource is in use.\r\n"},
    {ERROR_ALREADY_EXISTS, u"Cannot create a file when that file already exists.\r\n"},
    {ERROR_FILENAME_EXCED_RANGE, u"The filename or extension is too long.\r\n"},
    {ERROR_MORE_DATA, u"More data is available.\r\n"},
    {ERROR_NO_MORE_ITEMS, u"No more data is available.\r\n"},
    {ERROR_DIRECTORY, u"The directory name is invalid.\r\n"},
    {ERROR_INVALID_FLAGS, u"Invalid flags.\r\n"},
    {ERROR_NO_UNICODE_TRANSLATION, u"No mapping for the Unicode character exists in the target multi-byte code page.\r\n"},
    {ERROR_IO_DEVICE, u"The request could not be performed because of an I/O device error.\r\n"},
    {ERROR_CANCELLED, u"The operation was canceled by the user.\r\n"},
    {ERROR_TIMEOUT, u"This operation returned because the timeout period expired.\r\n"},
    {ERROR_RESOURCE_DATA_NOT_FOUND, u"The specified image file did not contain a resource section.\r\n"},
    {ERROR_RESOURCE_TYPE_NOT_FOUND, u"The specified resource type cannot be found in the image file.\r\n"},
    {ERROR_RESOURCE_NAME_NOT_FOUND, u"The specified resource name cannot be found in the image file.\r\n"},
    {static_cast<DWORD>(E_UNEXPECTED), u"Catastrophic failure\r\n"},
    {static_cast<DWORD>(E_NOTIMPL), u"Not implemented\r\n"},
    {static_cast<DWORD>(E_NOINTERFACE), u"No such interface supported\r\n"},
    {static_cast<DWORD>(E_POINTER), u"Invalid pointer\r\n"},
    {static_cast<DWORD>(E_ABORT), u"Operation aborted\r\n"},
    {static_cast<DWORD>(E_FAIL), u"Unspecified error\r\n"},
    {static_cast<DWORD>(CLASS_E_NOAGGREGATION), u"Class does not support aggregation (or class object is remote)\r\n"},
    {static_cast<DWORD>(CLASS_E_CLASSNOTAVAILABLE), u"ClassFactory cannot supply requested class\r\n"},
    {static_cast<DWORD>(REGDB_E_CLASSNOTREG), u"Class not registered\r\n"},
    {static_cast<DWORD>(DISP_E_TYPEMISMATCH), u"Type mismatch.\r\n"},
    {static_cast<DWORD>(STG_E_INVALIDFUNCTION), u"Unable to perform requested operation.\r\n"},
    {static_cast<DWORD>(STG_E_INSUFFICIENTMEMORY), u"There is insufficient memory available to complete operation.\r\n"},
    {static_cast<DWORD>(STG_E_INVALIDPOINTER), u"Invalid pointer error.\r\n"},
    {static_cast<DWORD>(STG_E_WRITEFAULT), u"A disk error occurred during a write operation.\r\n"},
    {static_cast<DWORD>(STG_E_READFAULT), u"A disk error occurred during a read operation.\r\n"},
    {static_cast<DWORD>(STG_E_INVALIDPARAMETER), u"Invalid parameter error.\r\n"},
    {static_cast<DWORD>(STG_E_MEDIUMFULL), u"There is insufficient disk space to complete operation.\r\n"},
    {static_cast<DWORD>(STG_E_INVALIDFLAG), u"Invalid flag error.\r\n"},
    {static_cast<DWORD>(STG_E_REVERTED), u"The object has been invalidated by a revert operation above it in the transaction tree.\r\n"},
    {0x80030002, u"%1 could not be found.\r\n"},
    {0x80030003, u"The path %1 could not be found.\r\n"},
    {0x80030005, u"Access Denied.\r\n"},
    {0x80030006, u"Attempted an operation on an invalid object.\r\n"},
    {0x80030050, u"%1 already exists.\r\n"},
    {0x800300FC, u"The name %1 is not valid.\r\n"},
    {0x80030100, u"An error occurred while locking the file.\r\n"},
    {0x80030102, u"The object has been invalidated by a revert operation above it in the transaction tree.\r\n"},
    {0x80030103, u"The storage file format is not valid.\r\n"},
    {0x80030104, u"The file %1 is not a valid compound file.\r\n"},
    {0x80030105, u"The compound file %1 was produced with a newer version of storage.\r\n"},
};

}  // namespace

DWORD FormatMessageW(DWORD flags, LPCVOID, DWORD messageId, DWORD, LPWSTR buffer, DWORD size,
                     void*) {
  if (!(flags & FORMAT_MESSAGE_FROM_SYSTEM) || (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) || !buffer) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  for (const SystemText& entry : kTexts) {
    if (entry.code != messageId) continue;
    if (entry.text.size() + 1 > size) {
      SetLastError(ERROR_INSUFFICIENT_BUFFER);
      return 0;
    }
    entry.text.copy(buffer, entry.text.size());
    buffer[entry.text.size()] = 0;
    return static_cast<DWORD>(entry.text.size());
  }
  SetLastError(ERROR_MR_MID_NOT_FOUND);
  return 0;
}
