#include "core/time_formatter.h"

#include <climits>
#include <cmath>

#include "core/date_time_text.h"
#include "core/time_value.h"

namespace Quor {

namespace {

// Values too large for the fields stop at their limits instead of wrapping.
LONGLONG SaturatedInt64(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9.2e18) return LLONG_MAX;
  if (value <= -9.2e18) return LLONG_MIN;
  return LONGLONG(value);
}

int SaturatedInt(LONGLONG value) {
  return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : int(value);
}

}  // namespace

TimeFormatter::TimeFormatter() { UseSixDecimals(); }

void TimeFormatter::SetValue(DWORD modeWord, const ClockTime& position, const ClockTime& reference,
                             bool absolute, double offset) {
  mode = modeWord;
  flags = 0;
  double value = offset;
  switch (DisplayMode()) {
    case kRelativeMode:
      flags = kElapsedFormat;
      if (absolute) break;
      if (std::isfinite(position.utcOffset) && std::isfinite(reference.utcOffset)) {
        // Across a change of daylight saving time only universal times differ by the elapsed time.
        value = (position.localTime + position.utcOffset) -
                (reference.localTime + reference.utcOffset) + offset;
      } else {
        value = position.localTime - reference.localTime + offset;
      }
      break;
    case kElapsedMode:
      flags = kElapsedFormat;
      break;
    case kClockTimeMode:
      if (!LocaleUses24HourClock() && !(modeWord & kUniversalTime)) flags |= kTwelveHourClock;
      if (absolute) break;
      value = position.localTime + offset;
      if ((modeWord & kUniversalTime) && std::isfinite(position.utcOffset))
        value += position.utcOffset;
      break;
    default:
      return;  // no value to show
  }
  SplitSeconds(value);
}

void TimeFormatter::UseSixDecimals() {
  roundingOffset = DecimalRoundingOffset(6);
  if (precision != 6) {
    precision = 6;
    SplitSeconds(TotalSeconds(flags));
  }
}

void TimeFormatter::SplitSeconds(double value) {
  if (IsPlain()) {
    seconds = value;
    return;
  }
  negative = value < 0;
  double magnitude = std::fabs(value);
  seconds = std::fmod(magnitude, 60.0);
  carry = 0;
  if (roundingOffset > 60.0 - seconds) {
    carry = negative ? seconds - 60.0 : 60.0 - seconds;
    seconds = 0;
    magnitude += 0.75;  // into the next minute, far from the one after
  }
  minutes = SaturatedInt(SaturatedInt64(std::floor(std::fmod(magnitude / 60.0, 60.0))));
  hours = SaturatedInt(SaturatedInt64(std::floor(magnitude / 3600.0)));
}

// The fields hold the magnitude, so the carry is taken back by its size whatever the sign.
double TimeFormatter::TotalSeconds(DWORD formatFlags) const {
  if (IsPlain()) return seconds;
  const LONGLONG shownHours = formatFlags & kHoursModulo24 ? hours % 24 : hours;
  const double total = double((minutes + shownHours * 60) * 60) + seconds - std::fabs(carry);
  return negative ? -total : total;
}

TimeFormatter& TimeFormatter::AddSeconds(double delta) {
  if (IsPlain()) {
    seconds += delta;
    return *this;
  }
  if (carry != 0) {
    seconds -= std::fabs(carry);
    carry = 0;
  }
  if (negative) delta = -delta;
  const double s = seconds + delta;
  const LONGLONG t = SaturatedInt64(s);
  if (delta >= 0 || s >= 0) {
    seconds = s;
    if (t >= 60) {
      seconds = s - 60.0 * double(t / 60);
      SetMinutesCarrying(minutes + t / 60);
    }
  } else {
    const LONGLONG q = t / 60;
    const LONGLONG borrowedMinutes = minutes - 1 + q;
    const LONGLONG borrowedHours = hours - 1 + borrowedMinutes / 60;
    if (borrowedMinutes >= 0) {
      minutes = int(borrowedMinutes);
      seconds = 60.0 - 60.0 * double(q) + s;
    } else if (borrowedHours >= 0) {
      hours = int(borrowedHours);
      minutes = int(borrowedMinutes + 60 - 60 * (borrowedMinutes / 60));
      seconds = 60.0 - 60.0 * double(q) + s;
    } else {
      // The value crossed zero: the magnitude is what the move left beyond it.
      negative = !negative;
      seconds = -s;
      hours = -hours;
      const LONGLONG minutesBeyond = -LONGLONG(minutes);
      minutes = 0;
      if (-t >= 60) {
        seconds = -s - 60.0 * double(-t / 60);
        SetMinutesCarrying(minutesBeyond + -t / 60);
      } else {
        SetMinutesCarrying(minutesBeyond);
      }
    }
  }
  RoundUpIntoNextMinute();
  return *this;
}

void TimeFormatter::RoundUpIntoNextMinute() {
  if (!(roundingOffset > 60.0 - seconds)) return;
  carry = negative ? seconds - 60.0 : 60.0 - seconds;
  seconds = 0;
  if (++minutes >= 60) {
    minutes = 0;
    ++hours;
  }
}

void TimeFormatter::SetMinutesCarrying(LONGLONG totalMinutes) {
  hours = SaturatedInt(hours + totalMinutes / 60);
  minutes = int(totalMinutes % 60);
}

}  // namespace Quor
