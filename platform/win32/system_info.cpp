#include "platform/win32/system_info.h"

#include <unistd.h>

#include <cstring>
#include <mutex>

#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"

namespace {

constexpr win32::SystemVersion kWindows10 = {10, 0, 19045, 0, 0};

std::mutex& VersionMutex() {
  static std::mutex mutex;
  return mutex;
}

win32::SystemVersion& Version() {
  static win32::SystemVersion version = kWindows10;
  return version;
}

template <class T>
bool Compare(T actual, T wanted, BYTE condition) {
  switch (condition) {
    case VER_EQUAL:
      return actual == wanted;
    case VER_GREATER:
      return actual > wanted;
    case VER_GREATER_EQUAL:
      return actual >= wanted;
    case VER_LESS:
      return actual < wanted;
    case VER_LESS_EQUAL:
      return actual <= wanted;
    default:
      return false;
  }
}

BYTE ConditionOf(DWORDLONG mask, DWORD typeBit) {
  int index = 0;
  while (index < 8 && !(typeBit & (1u << index))) ++index;
  return static_cast<BYTE>((mask >> (3 * index)) & 7);
}

}  // namespace

namespace win32 {

SystemVersion CurrentSystemVersion() {
  std::lock_guard lock(VersionMutex());
  return Version();
}

void SetSystemVersionForTesting(const SystemVersion& version) {
  std::lock_guard lock(VersionMutex());
  Version() = version;
}

}  // namespace win32

void GetSystemInfo(SYSTEM_INFO* info) {
  std::memset(info, 0, sizeof *info);
  info->wProcessorArchitecture = PROCESSOR_ARCHITECTURE_AMD64;
  info->dwPageSize = static_cast<DWORD>(sysconf(_SC_PAGESIZE));
  info->lpMinimumApplicationAddress = reinterpret_cast<LPVOID>(0x10000);
  info->lpMaximumApplicationAddress = reinterpret_cast<LPVOID>(0x7FFFFFFEFFFFull);
  const long processors = sysconf(_SC_NPROCESSORS_ONLN);
  info->dwNumberOfProcessors = processors > 0 ? static_cast<DWORD>(processors) : 1;
  info->dwActiveProcessorMask =
      info->dwNumberOfProcessors >= 64 ? ~DWORD_PTR(0) : (DWORD_PTR(1) << info->dwNumberOfProcessors) - 1;
  info->dwProcessorType = 8664;
  info->dwAllocationGranularity = 65536;
  info->wProcessorLevel = 6;
}

BOOL GetVersionExW(OSVERSIONINFOEXW* info) {
  if (!info || (info->dwOSVersionInfoSize != kOsVersionInfoWSize &&
                info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOEXW))) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  const win32::SystemVersion v = win32::CurrentSystemVersion();
  const DWORD size = info->dwOSVersionInfoSize;
  std::memset(info, 0, size);
  info->dwOSVersionInfoSize = size;
  info->dwMajorVersion = v.major;
  info->dwMinorVersion = v.minor;
  info->dwBuildNumber = v.build;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  if (size == sizeof(OSVERSIONINFOEXW)) {
    info->wServicePackMajor = v.servicePackMajor;
    info->wServicePackMinor = v.servicePackMinor;
    info->wSuiteMask = 0x100;  // single user
    info->wProductType = VER_NT_WORKSTATION;
  }
  return TRUE;
}

ULONGLONG VerSetConditionMask(ULONGLONG mask, DWORD typeBit, BYTE condition) {
  for (int index = 0; index < 8; ++index) {
    if (typeBit & (1u << index)) {
      mask &= ~(ULONGLONG(7) << (3 * index));
      mask |= ULONGLONG(condition & 7) << (3 * index);
    }
  }
  return mask;
}

BOOL VerifyVersionInfoW(OSVERSIONINFOEXW* info, DWORD typeMask, DWORDLONG conditionMask) {
  if (!info || !typeMask) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const win32::SystemVersion v = win32::CurrentSystemVersion();
  // Major, minor and service pack compare as one ordered version, as the system does.
  const DWORD versionBits = VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR | VER_SERVICEPACKMINOR;
  bool ok = true;
  if (typeMask & versionBits) {
    const DWORD first = typeMask & VER_MAJORVERSION     ? VER_MAJORVERSION
                        : typeMask & VER_MINORVERSION   ? VER_MINORVERSION
                        : typeMask & VER_SERVICEPACKMAJOR ? VER_SERVICEPACKMAJOR
                                                          : VER_SERVICEPACKMINOR;
    auto key = [&](DWORD major, DWORD minor, DWORD spMajor, DWORD spMinor) {
      ULONGLONG k = 0;
      if (typeMask & VER_MAJORVERSION) k = (k << 16) | major;
      if (typeMask & VER_MINORVERSION) k = (k << 16) | minor;
      if (typeMask & VER_SERVICEPACKMAJOR) k = (k << 16) | spMajor;
      if (typeMask & VER_SERVICEPACKMINOR) k = (k << 16) | spMinor;
      return k;
    };
    ok = Compare(key(v.major, v.minor, v.servicePackMajor, v.servicePackMinor),
                 key(info->dwMajorVersion, info->dwMinorVersion, info->wServicePackMajor,
                     info->wServicePackMinor),
                 ConditionOf(conditionMask, first));
  }
  if (ok && (typeMask & VER_BUILDNUMBER)) {
    ok = Compare<DWORD>(v.build, info->dwBuildNumber, ConditionOf(conditionMask, VER_BUILDNUMBER));
  }
  if (ok && (typeMask & VER_PLATFORMID)) {
    ok = Compare<DWORD>(VER_PLATFORM_WIN32_NT, info->dwPlatformId,
                        ConditionOf(conditionMask, VER_PLATFORMID));
  }
  if (ok && (typeMask & VER_PRODUCT_TYPE)) {
    ok = Compare<DWORD>(VER_NT_WORKSTATION, info->wProductType,
                        ConditionOf(conditionMask, VER_PRODUCT_TYPE));
  }
  if (!ok) SetLastError(1150);  // ERROR_OLD_WIN_VERSION
  return ok ? TRUE : FALSE;
}
