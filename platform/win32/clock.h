// Time and clock functions. Every one of them reads one process-wide clock, the system's unless a
// test or the command line installs another, so that runs can be reproduced to the tick.
#pragma once

#include <atomic>
#include <memory>

#include "platform/win32/types.h"

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};
static_assert(sizeof(SYSTEMTIME) == 16);

void GetSystemTime(SYSTEMTIME* time);
void GetLocalTime(SYSTEMTIME* time);
// Fails (ERROR_INVALID_PARAMETER) for a field out of range or a year outside 1601 to 30827.
BOOL SystemTimeToFileTime(const SYSTEMTIME* time, FILETIME* fileTime);
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
// Milliseconds since the clock started, wrapping after 49.7 days.
DWORD GetTickCount();

namespace win32 {

class Clock {
 public:
  virtual ~Clock() = default;
  // 100-nanosecond intervals since 1601-01-01 00:00 UTC (the FILETIME scale).
  virtual ULONGLONG UtcTicks() const = 0;
  // Local time minus UTC, in seconds, at a UTC instant: daylight saving belongs to the instant.
  virtual LONGLONG LocalOffsetSeconds(ULONGLONG utcTicks) const = 0;
  // A counter that never goes back, in nanoseconds from an arbitrary start.
  virtual ULONGLONG MonotonicNanoseconds() const = 0;
  // A clock that moves only when told moves forward by a pause and answers true, so that pauses
  // and timers take no real time; a running clock answers false and the pause waits.
  virtual bool AdvanceForPause(ULONGLONG /*nanoseconds*/) const { return false; }
};

// The installed clock (the system's unless one was installed).
std::shared_ptr<const Clock> CurrentClock();

// Installs the clock every time function reads; null restores the system's clock.
void SetClock(std::shared_ptr<const Clock> clock);

// A clock that stands still until it is moved.
class FixedClock : public Clock {
 public:
  FixedClock(ULONGLONG utcTicks, LONGLONG localOffsetSeconds)
      : m_utcTicks(utcTicks), m_localOffsetSeconds(localOffsetSeconds) {}

  ULONGLONG UtcTicks() const override { return m_utcTicks; }
  LONGLONG LocalOffsetSeconds(ULONGLONG) const override { return m_localOffsetSeconds; }
  ULONGLONG MonotonicNanoseconds() const override { return m_monotonicNanoseconds; }
  bool AdvanceForPause(ULONGLONG nanoseconds) const override {
    m_utcTicks += nanoseconds / 100;
    m_monotonicNanoseconds += nanoseconds;
    return true;
  }

  // Moves the time of day and the counter together, as a running clock would.
  void Advance(ULONGLONG nanoseconds) {
    m_utcTicks += nanoseconds / 100;
    m_monotonicNanoseconds += nanoseconds;
  }

 private:
  // Threads that pause move the clock while others read it.
  mutable std::atomic<ULONGLONG> m_utcTicks;
  LONGLONG m_localOffsetSeconds;
  mutable std::atomic<ULONGLONG> m_monotonicNanoseconds = 0;
};

}  // namespace win32
