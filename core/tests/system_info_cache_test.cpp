#include "core/system_info_cache.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

OSVERSIONINFOEXW Version(DWORD major, DWORD minor, DWORD platform = VER_PLATFORM_WIN32_NT) {
  OSVERSIONINFOEXW v;
  std::memset(&v, 0, sizeof v);
  v.dwMajorVersion = major;
  v.dwMinorVersion = minor;
  v.dwPlatformId = platform;
  return v;
}

TEST(SystemInfoCache, VersionTests) {
  struct Case {
    DWORD major, minor, platform;
    bool xp, vista;
  } cases[] = {
      {5, 0, 2, false, false}, {5, 1, 2, true, false}, {5, 2, 2, false, false},
      {6, 0, 2, true, true},   {10, 0, 2, true, true}, {6, 0, 1, false, false},
  };
  for (const Case& c : cases) {
    const OSVERSIONINFOEXW v = Version(c.major, c.minor, c.platform);
    EXPECT_EQ(Quor::IsWindowsXPOrLater(v), c.xp) << c.major << "." << c.minor;
    EXPECT_EQ(Quor::IsWindowsVistaOrLater(v), c.vista) << c.major << "." << c.minor;
  }
}

TEST(SystemInfoCache, AnswersForTheRunningSystem) {
  EXPECT_TRUE(Quor::IsWindowsXPOrLater());
  EXPECT_TRUE(Quor::IsWindowsVistaOrLater());
  EXPECT_TRUE(Quor::IsWindows8Point1OrLater());
  const Quor::SystemInfoCache& cache = Quor::GetSystemInfoCacheRecord();
  EXPECT_EQ(cache.granularity, 65536u);
  EXPECT_EQ(ULONG_PTR(0x12345678) & cache.granularityMask, ULONG_PTR(0x12340000));
  EXPECT_EQ(Quor::GetSystemInfoCache().dwAllocationGranularity, 65536u);
}

}  // namespace
