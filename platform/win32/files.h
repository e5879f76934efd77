// Files over POSIX descriptors: creation, reading and writing at the handle's position, size,
// flushing, byte-range locks, and the temporary-file and full-path services. File names are
// UTF-16 and become UTF-8 paths; they keep their case.
#pragma once

#include "platform/win32/kernel_object.h"
#include "platform/win32/types.h"

constexpr DWORD MAX_PATH = 260;

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;

constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;

constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;

constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_FLAG_DELETE_ON_CLOSE = 0x04000000;

constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;

struct SECURITY_ATTRIBUTES;
struct OVERLAPPED;

// Share mode 0 keeps every other handle off the file (ERROR_SHARING_VIOLATION); with
// FILE_FLAG_DELETE_ON_CLOSE the file is removed when its handle closes. Only synchronous
// handles exist: a template file is not supported.
HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD shareMode, SECURITY_ATTRIBUTES* security,
                   DWORD disposition, DWORD flagsAndAttributes, HANDLE templateFile);
// Both move the handle's position by the bytes moved. Overlapped operations are not supported.
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD count, LPDWORD read, OVERLAPPED* overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, OVERLAPPED* overlapped);
BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distance, LARGE_INTEGER* newPosition,
                      DWORD method);
BOOL SetEndOfFile(HANDLE file);
BOOL FlushFileBuffers(HANDLE file);
BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size);
BOOL GetFileTime(HANDLE file, FILETIME* creation, FILETIME* access, FILETIME* write);
// Exclusive locks; a range locked through another handle gives ERROR_LOCK_VIOLATION, and only
// a range locked exactly so through this handle can be unlocked (else ERROR_NOT_LOCKED).
BOOL LockFile(HANDLE file, DWORD offsetLow, DWORD offsetHigh, DWORD countLow, DWORD countHigh);
BOOL UnlockFile(HANDLE file, DWORD offsetLow, DWORD offsetHigh, DWORD countLow, DWORD countHigh);

// $TMPDIR, else /tmp, with a trailing slash.
DWORD GetTempPathW(DWORD bufferUnits, LPWSTR buffer);
// <path>/<up to 3 units of prefix><hex number>.tmp into a buffer of MAX_PATH units. With a
// unique number of 0 a free number is found and the file is created empty.
UINT GetTempFileNameW(LPCWSTR path, LPCWSTR prefix, UINT unique, LPWSTR tempFileName);
// The absolute, lexically normalised form of a path, relative to the working folder.
DWORD GetFullPathNameW(LPCWSTR name, DWORD bufferUnits, LPWSTR buffer, LPWSTR* filePart);
