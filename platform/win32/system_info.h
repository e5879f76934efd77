// System and version information, answering as a current 64-bit Windows 10 would.
#pragma once

#include "platform/win32/types.h"

struct SYSTEM_INFO {
  WORD wProcessorArchitecture;
  WORD wReserved;
  DWORD dwPageSize;
  LPVOID lpMinimumApplicationAddress;
  LPVOID lpMaximumApplicationAddress;
  DWORD_PTR dwActiveProcessorMask;
  DWORD dwNumberOfProcessors;
  DWORD dwProcessorType;
  DWORD dwAllocationGranularity;
  WORD wProcessorLevel;
  WORD wProcessorRevision;
};

struct OSVERSIONINFOEXW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
  WORD wServicePackMajor;
  WORD wServicePackMinor;
  WORD wSuiteMask;
  BYTE wProductType;
  BYTE wReserved;
};
static_assert(sizeof(OSVERSIONINFOEXW) == 284);
// The plain record is the extended one without its last five fields.
constexpr DWORD kOsVersionInfoWSize = 276;

constexpr WORD PROCESSOR_ARCHITECTURE_AMD64 = 9;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;
constexpr BYTE VER_NT_WORKSTATION = 1;

constexpr DWORD VER_MINORVERSION = 0x01;
constexpr DWORD VER_MAJORVERSION = 0x02;
constexpr DWORD VER_BUILDNUMBER = 0x04;
constexpr DWORD VER_PLATFORMID = 0x08;
constexpr DWORD VER_SERVICEPACKMINOR = 0x10;
constexpr DWORD VER_SERVICEPACKMAJOR = 0x20;
constexpr DWORD VER_PRODUCT_TYPE = 0x80;

constexpr BYTE VER_EQUAL = 1;
constexpr BYTE VER_GREATER = 2;
constexpr BYTE VER_GREATER_EQUAL = 3;
constexpr BYTE VER_LESS = 4;
constexpr BYTE VER_LESS_EQUAL = 5;

void GetSystemInfo(SYSTEM_INFO* info);
// Accepts the plain (276-byte) and the extended (284-byte) record.
BOOL GetVersionExW(OSVERSIONINFOEXW* info);
ULONGLONG VerSetConditionMask(ULONGLONG mask, DWORD typeBit, BYTE condition);
BOOL VerifyVersionInfoW(OSVERSIONINFOEXW* info, DWORD typeMask, DWORDLONG conditionMask);

namespace win32 {
// The version the system reports; tests may pretend to be another version.
struct SystemVersion {
  DWORD major, minor, build;
  WORD servicePackMajor, servicePackMinor;
};
SystemVersion CurrentSystemVersion();
void SetSystemVersionForTesting(const SystemVersion& version);
}  // namespace win32
