// TimeFormatter's texts.
#include <iomanip>
#include <sstream>
#include <string>

#include "core/locale_info.h"
#include "core/ostring_stream.h"
#include "core/time_formatter.h"

namespace Quor {

namespace {

wchar_t FirstOf(const WCHAR* text) { return wchar_t(text[0]); }

// The number in fixed notation with the formatter's decimals, less the zeros that say nothing:
// trailing zeros go (one stays after the decimal separator), and, when `dropZeroFraction`, a
// fraction of zeros goes with its separator.
std::wstring TrimmedNumber(double number, const std::locale& locale, int precision,
                           bool keepTrailingZeros, bool dropZeroFraction) {
  std::wostringstream out;
  out.imbue(locale);
  out << std::fixed << std::setprecision(precision) << number;
  std::wstring text = out.str();
  const std::size_t separator = text.find(FirstOf(LocaleInfo::Instance().decimalSeparator));
  if (keepTrailingZeros || separator == std::wstring::npos) return text;
  std::size_t end = text.size();
  while (end > separator + 2 && text[end - 1] == L'0') --end;
  text.erase(end);
  if (dropZeroFraction && text.size() == separator + 2 && text.back() == L'0')
    text.erase(separator);
  return text;
}

// The stream locale's own designator for the time of day.
void WriteDesignator(std::wostream& stream, int hour, int minute) {
  std::tm time{};
  time.tm_hour = hour;
  time.tm_min = minute;
  std::use_facet<std::time_put<wchar_t>>(stream.getloc())
      .put(std::ostreambuf_iterator<wchar_t>(stream), stream, stream.fill(), &time, 'p');
}

}  // namespace

std::wostream& TimeFormatter::Write(std::wostream& stream, DWORD formatFlags) const {
  const bool keepZeros = formatFlags & kKeepTrailingZeros;
  if (IsPlain())
    return stream << TrimmedNumber(seconds, stream.getloc(), precision, keepZeros, false);

  DWORD f = formatFlags;
  if (f & kElapsedFormat) {
    f &= ~(kHoursModulo24 | kTwelveHourClock);
  } else {
    f |= kHoursModulo24;
  }
  stream.unsetf(std::ios_base::floatfield);
  const wchar_t separator = FirstOf(LocaleInfo::Instance().timeSeparator);
  const bool millisecondsMode = (mode & kMilliseconds) && DisplayMode() != kClockTimeMode;
  const bool totalSecondsMode = !millisecondsMode && (mode & kTotalSeconds);
  const bool dropZeroFraction = !(f & kAlwaysHoursMinutes);

  const int hourOfDay = f & kHoursModulo24 ? hours % 24 : hours;
  double number;
  if (millisecondsMode) {
    number = TotalSeconds(f) * 1000.0;
  } else if (totalSecondsMode) {
    number = TotalSeconds(f);
  } else {
    if (negative && (seconds > 1e-6 || minutes || hours)) stream << L'-';
    int shownHour = hourOfDay;
    if (f & kTwelveHourClock) {
      if (shownHour > 12) shownHour -= 12;
      if (shownHour == 0) shownHour = 12;
    }
    bool leadingZero = true;
    if ((f & kAlwaysHoursMinutes) || !(f & kElapsedFormat)) {
      stream << shownHour << separator << std::setw(2) << std::setfill(L'0') << minutes
             << separator;
    } else {
      const bool letters = f & kUnitLetters;
      if (hours)
        stream << shownHour << (letters ? L'h' : separator) << std::setw(2) << std::setfill(L'0');
      if (hours || minutes) stream << minutes << (letters ? L'm' : separator);
      leadingZero = hours || minutes;
    }
    if (leadingZero && seconds < 9.999999) stream << L'0';
    number = seconds > 1e-6 ? seconds : 0.0;
  }
  stream << TrimmedNumber(number, stream.getloc(), precision, keepZeros, dropZeroFraction);
  if (f & kUnitLetters) stream << L's';
  if (f & kTwelveHourClock) {
    stream << L' ';
    WriteDesignator(stream, hourOfDay, minutes);
  }
  if (f & kUnitSuffix) {
    if (millisecondsMode) {
      stream << L" ms";
    } else if ((!hours && !minutes && (f & kElapsedFormat)) || totalSecondsMode) {
      stream << L" s";
    }
  }
  if ((f & kUniversalTimeSuffix) && (mode & kUniversalTime) && !(f & kElapsedFormat))
    stream << L" UT";
  return stream;
}

String TimeFormatter::Format() const {
  OStringStream text;
  text.imbue(LocaleInfo::Instance().locale);
  Write(text, flags);
  return text.str();
}

}  // namespace Quor
