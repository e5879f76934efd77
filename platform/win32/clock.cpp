#include "platform/win32/clock.h"

#include <time.h>

#include <mutex>

#include "platform/win32/civil_calendar.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"

namespace {

constexpr ULONGLONG kTicksPerSecond = 10'000'000;
constexpr ULONGLONG kTicksPerDay = 86'400 * kTicksPerSecond;
constexpr ULONGLONG kUnixEpochTicks = 116'444'736'000'000'000;  // 1970-01-01 on the FILETIME scale
constexpr LONGLONG kDaysFrom1601To1970 = 134'774;

class SystemClock : public win32::Clock {
 public:
  ULONGLONG UtcTicks() const override {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return kUnixEpochTicks + ULONGLONG(now.tv_sec) * kTicksPerSecond + ULONGLONG(now.tv_nsec) / 100;
  }
  LONGLONG LocalOffsetSeconds(ULONGLONG utcTicks) const override {
    const time_t seconds =
        time_t((LONGLONG(utcTicks) - LONGLONG(kUnixEpochTicks)) / LONGLONG(kTicksPerSecond));
    tm local;
    if (!localtime_r(&seconds, &local)) return 0;
    return local.tm_gmtoff;
  }
  ULONGLONG MonotonicNanoseconds() const override {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return ULONGLONG(now.tv_sec) * 1'000'000'000 + ULONGLONG(now.tv_nsec);
  }
};

std::mutex& ClockMutex() {
  static std::mutex mutex;
  return mutex;
}

std::shared_ptr<const win32::Clock>& InstalledClock() {
  static std::shared_ptr<const win32::Clock> clock = std::make_shared<SystemClock>();
  return clock;
}


SYSTEMTIME SystemTimeFromTicks(ULONGLONG ticks) {
  const LONGLONG daysFrom1601 = LONGLONG(ticks / kTicksPerDay);
  ULONGLONG within = ticks % kTicksPerDay;
  LONGLONG year;
  unsigned month, day;
  win32::CivilFromDays(daysFrom1601 - kDaysFrom1601To1970, year, month, day);
  SYSTEMTIME time;
  time.wYear = WORD(year);
  time.wMonth = WORD(month);
  time.wDay = WORD(day);
  time.wDayOfWeek = WORD(win32::DayOfWeek(daysFrom1601 - kDaysFrom1601To1970));
  time.wMilliseconds = WORD(within / 10'000 % 1000);
  within /= kTicksPerSecond;
  time.wSecond = WORD(within % 60);
  time.wMinute = WORD(within / 60 % 60);
  time.wHour = WORD(within / 3600);
  return time;
}

ULONGLONG LocalTicks(const win32::Clock& clock) {
  const ULONGLONG utc = clock.UtcTicks();
  const LONGLONG local = LONGLONG(utc) + clock.LocalOffsetSeconds(utc) * LONGLONG(kTicksPerSecond);
  return local > 0 ? ULONGLONG(local) : 0;
}

}  // namespace

namespace win32 {

std::shared_ptr<const Clock> CurrentClock() {
  std::lock_guard lock(ClockMutex());
  return InstalledClock();
}

void SetClock(std::shared_ptr<const Clock> clock) {
  std::lock_guard lock(ClockMutex());
  InstalledClock() = clock ? std::move(clock) : std::make_shared<SystemClock>();
}

}  // namespace win32

void GetSystemTime(SYSTEMTIME* time) { *time = SystemTimeFromTicks(win32::CurrentClock()->UtcTicks()); }

void GetLocalTime(SYSTEMTIME* time) { *time = SystemTimeFromTicks(LocalTicks(*win32::CurrentClock())); }

BOOL SystemTimeToFileTime(const SYSTEMTIME* time, FILETIME* fileTime) {
  const bool valid = time && fileTime && time->wYear >= 1601 && time->wYear <= 30827 &&
                     time->wMonth >= 1 && time->wMonth <= 12 && time->wDay >= 1 &&
                     time->wDay <= win32::DaysInMonth(time->wYear, time->wMonth) &&
                     time->wHour < 24 && time->wMinute < 60 && time->wSecond < 60 &&
                     time->wMilliseconds < 1000;
  if (!valid) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const LONGLONG days =
      win32::DaysFromCivil(time->wYear, time->wMonth, time->wDay) + kDaysFrom1601To1970;
  const ULONGLONG seconds = (ULONGLONG(time->wHour) * 60 + time->wMinute) * 60 + time->wSecond;
  const ULONGLONG ticks = ULONGLONG(days) * kTicksPerDay + seconds * kTicksPerSecond +
                          ULONGLONG(time->wMilliseconds) * 10'000;
  fileTime->dwLowDateTime = DWORD(ticks);
  fileTime->dwHighDateTime = DWORD(ticks >> 32);
  return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
  count->QuadPart = LONGLONG(win32::CurrentClock()->MonotonicNanoseconds() / 100);
  return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  frequency->QuadPart = LONGLONG(kTicksPerSecond);
  return TRUE;
}

DWORD GetTickCount() { return DWORD(win32::CurrentClock()->MonotonicNanoseconds() / 1'000'000); }
