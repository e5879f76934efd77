#include "platform/win32/system_info.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class SystemVersion : public ::testing::Test {
 protected:
  void TearDown() override { win32::SetSystemVersionForTesting({10, 0, 19045, 0, 0}); }
};

TEST_F(SystemVersion, AnswersAsWindows10) {
  OSVERSIONINFOEXW info;
  std::memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExW(&info));
  EXPECT_EQ(info.dwMajorVersion, 10u);
  EXPECT_EQ(info.dwPlatformId, VER_PLATFORM_WIN32_NT);
  EXPECT_EQ(info.wProductType, VER_NT_WORKSTATION);

  info.dwOSVersionInfoSize = 12;
  EXPECT_FALSE(GetVersionExW(&info));

  SYSTEM_INFO system;
  GetSystemInfo(&system);
  EXPECT_EQ(system.dwAllocationGranularity, 65536u);
  EXPECT_GE(system.dwNumberOfProcessors, 1u);
  EXPECT_EQ(system.dwPageSize % 4096, 0u);
}

TEST_F(SystemVersion, VerifyComparesMajorMinorAndServicePackAsOneVersion) {
  struct Case {
    win32::SystemVersion system;
    bool atLeast8Point1;
  } cases[] = {
      {{10, 0, 19045, 0, 0}, true}, {{6, 3, 9600, 0, 0}, true}, {{6, 2, 9200, 0, 0}, false},
      {{5, 1, 2600, 3, 0}, false},  {{7, 0, 1, 0, 0}, true},
  };
  for (const Case& c : cases) {
    win32::SetSystemVersionForTesting(c.system);
    OSVERSIONINFOEXW wanted;
    std::memset(&wanted, 0, sizeof wanted);
    wanted.dwOSVersionInfoSize = sizeof wanted;
    wanted.dwMajorVersion = 6;
    wanted.dwMinorVersion = 3;
    ULONGLONG mask = 0;
    mask = VerSetConditionMask(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
    mask = VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
    mask = VerSetConditionMask(mask, VER_SERVICEPACKMAJOR, VER_GREATER_EQUAL);
    EXPECT_EQ(VerifyVersionInfoW(&wanted, VER_MAJORVERSION | VER_MINORVERSION | VER_SERVICEPACKMAJOR,
                                 mask) != FALSE,
              c.atLeast8Point1)
        << c.system.major << "." << c.system.minor;
  }
}

}  // namespace
