// Time-axis label texts: elapsed time (1:02:05.5), the clock time of day in the user's format,
// plain or total seconds, or milliseconds. The value is kept split into hours, minutes and
// seconds, so that an axis can step from label to label by additions without drift, and so that
// seconds a hair below 60 carry into the next minute instead of showing as 60.
#pragma once

#include <ostream>

#include "core/quor_string.h"

namespace Quor {

// A local time value and its offset to universal time in seconds (not finite when unknown).
struct ClockTime {
  double localTime;
  double utcOffset;
};

class TimeFormatter {
 public:
  // Mode word: the display mode in the low byte, and flags.
  static constexpr DWORD kRelativeMode = 1;    // to a reference time
  static constexpr DWORD kElapsedMode = 2;     // the value itself
  static constexpr DWORD kClockTimeMode = 3;   // time of day
  static constexpr DWORD kPlain = 0x10000000;  // kept and written whole
  static constexpr DWORD kMilliseconds = 0x20000000;
  static constexpr DWORD kUniversalTime = 0x40000000;
  static constexpr DWORD kTotalSeconds = 0x80000000;

  // Format flags.
  static constexpr DWORD kUnitLetters = 0x00080000;  // 1h02m05.5s
  static constexpr DWORD kKeepTrailingZeros = 0x00100000;
  static constexpr DWORD kUniversalTimeSuffix = 0x00200000;
  static constexpr DWORD kHoursModulo24 = 0x02000000;
  static constexpr DWORD kTwelveHourClock = 0x04000000;
  static constexpr DWORD kAlwaysHoursMinutes = 0x08000000;
  static constexpr DWORD kUnitSuffix = 0x10000000;     // " s" or " ms"
  static constexpr DWORD kElapsedFormat = 0x20000000;  // hours and minutes only when not 0

  TimeFormatter();

  // The value from the display mode: for relative times position minus reference (in universal
  // time when both offsets are known), then plus `offset`; `absolute` takes `offset` alone.
  void SetValue(DWORD modeWord, const ClockTime& position, const ClockTime& reference,
                bool absolute, double offset);
  void UseSixDecimals();
  void SplitSeconds(double value);
  double TotalSeconds(DWORD formatFlags) const;
  TimeFormatter& AddSeconds(double delta);
  std::wostream& Write(std::wostream& stream, DWORD formatFlags) const;
  String Format() const;

  bool IsPlain() const { return (mode & kPlain) != 0; }
  DWORD DisplayMode() const { return mode & 0xFF; }

  // The seconds within the minute of the magnitude (the whole value in plain mode).
  double seconds = 0;
  DWORD mode = kElapsedMode;
  DWORD flags = 0;
  int minutes = 0;
  int hours = 0;  // not limited to 24
  int precision = 6;
  double roundingOffset = 0;
  // What the seconds were rounded up by into the next minute; negative for a negative value.
  double carry = 0;
  bool negative = false;

 private:
  void RoundUpIntoNextMinute();
  // Minutes of 60 or more go into the hours.
  void SetMinutesCarrying(LONGLONG totalMinutes);
};

}  // namespace Quor
