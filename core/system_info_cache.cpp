#include "core/system_info_cache.h"

#include <cstring>

namespace Quor {

namespace {

SystemInfoCache ReadSystemInfo() {
  SystemInfoCache cache;
  GetSystemInfo(&cache.system);
  std::memset(&cache.version, 0, sizeof cache.version);
  cache.version.dwOSVersionInfoSize = kOsVersionInfoWSize;
  GetVersionExW(&cache.version);
  cache.granularity = cache.system.dwAllocationGranularity;
  cache.granularityMask = ~ULONG_PTR(cache.granularity - 1);
  return cache;
}

// Filled at load, so that later readers never race on the first use.
[[maybe_unused]] const SystemInfoCache& loadTimeCache = GetSystemInfoCacheRecord();

}  // namespace

const SystemInfoCache& GetSystemInfoCacheRecord() {
  static const SystemInfoCache cache = ReadSystemInfo();
  return cache;
}

const SYSTEM_INFO& GetSystemInfoCache() { return GetSystemInfoCacheRecord().system; }

bool IsWindowsXPOrLater(const OSVERSIONINFOEXW& v) {
  return v.dwPlatformId == VER_PLATFORM_WIN32_NT &&
         (v.dwMajorVersion > 5 || (v.dwMajorVersion == 5 && v.dwMinorVersion == 1));
}

bool IsWindowsVistaOrLater(const OSVERSIONINFOEXW& v) {
  return v.dwPlatformId == VER_PLATFORM_WIN32_NT && v.dwMajorVersion >= 6;
}

bool IsWindowsXPOrLater() { return IsWindowsXPOrLater(GetSystemInfoCacheRecord().version); }

bool IsWindowsVistaOrLater() { return IsWindowsVistaOrLater(GetSystemInfoCacheRecord().version); }

bool IsWindows8Point1OrLater() {
  OSVERSIONINFOEXW wanted;
  std::memset(&wanted, 0, sizeof wanted);
  wanted.dwOSVersionInfoSize = sizeof wanted;
  wanted.dwMajorVersion = 6;
  wanted.dwMinorVersion = 3;
  wanted.wServicePackMajor = 0;
  ULONGLONG mask = 0;
  mask = VerSetConditionMask(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
  mask = VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
  mask = VerSetConditionMask(mask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
  return VerifyVersionInfoW(&wanted, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR,
                            mask) != FALSE;
}

}  // namespace Quor
