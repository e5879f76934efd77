// The operating system's version and memory granularity, read once.
#pragma once

#include "platform/win32/system_info.h"

namespace Quor {

struct SystemInfoCache {
  SYSTEM_INFO system;
  OSVERSIONINFOEXW version;
  // Rounds an address down to the allocation granularity.
  ULONG_PTR granularityMask;
  DWORD granularity;
};

const SystemInfoCache& GetSystemInfoCacheRecord();
const SYSTEM_INFO& GetSystemInfoCache();

bool IsWindowsXPOrLater(const OSVERSIONINFOEXW& version);
bool IsWindowsVistaOrLater(const OSVERSIONINFOEXW& version);
bool IsWindowsXPOrLater();
bool IsWindowsVistaOrLater();
bool IsWindows8Point1OrLater();

}  // namespace Quor
