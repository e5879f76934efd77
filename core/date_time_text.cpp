#include "core/date_time_text.h"

#include <cmath>
#include <iomanip>
#include <string>

#include "core/calendar.h"
#include "core/format_into_buffer.h"
#include "core/locale_info.h"
#include "core/ostring_stream.h"
#include "platform/win32/date_format.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/locale_queries.h"

namespace Quor {

namespace {

constexpr int kDateTextUnits = 256;

String ShortDate(const SYSTEMTIME& date) {
  WCHAR buffer[kDateTextUnits];
  if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, buffer, kDateTextUnits) >
      0) {
    return String(buffer);
  }
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return String();
  // A date text longer than its buffer is cut to the buffer, never dropped.
  const int units = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, nullptr, 0);
  std::u16string whole(std::size_t(units > 0 ? units : 1), u'\0');
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, whole.data(), units);
  return String(whole.c_str(), kDateTextUnits - 1);
}

}  // namespace

void DateText(double timeValue, String& out) {
  out.Clear();
  // 0.51 s on: the time text rounds its seconds up from there and may have reached midnight.
  const double dayNumber = std::trunc((timeValue + 0.51) / 86400.0 + kDayNumber1970);
  if (!(dayNumber >= kDayNumber1970 && dayNumber <= 0xFFFFFFFF)) return;
  const CalendarDate date = DateFromDayNumber(DWORD(dayNumber));
  if (date.year <= 1970 || date.year > 30827) return;
  const SYSTEMTIME time{WORD(date.year), WORD(date.month), 0, WORD(date.day), 0, 0, 0, 0};
  out = ShortDate(time);
}

void TimeText(double timeValue, String& out) {
  out.Clear();
  if (!std::isfinite(timeValue)) return;
  const LocaleInfo& info = LocaleInfo::Instance();
  OStringStream text;
  text.imbue(info.locale);
  if (timeValue < 0) {
    text << L'-';
    timeValue = -timeValue;
  }
  // Seconds that round up carry into the minutes and hours: 0.75 s more moves the value past
  // the next whole second without reaching the one after it.
  double seconds = std::fmod(timeValue, 60.0);
  if (seconds - std::floor(seconds) + 0.51 >= 1.0) {
    timeValue += 0.75;
    seconds = std::floor(seconds + 0.75);
    if (seconds >= 60) seconds = 0;
  } else {
    seconds = std::floor(seconds);
  }
  int hours = int(std::fmod(std::floor(timeValue / 3600.0), 24.0));
  const int minutes = int(std::fmod(std::floor(timeValue / 60.0), 60.0));
  const bool afternoon = hours >= 12;
  if (!info.uses24HourClock) {
    if (hours > 12) hours -= 12;
    if (hours == 0) hours = 12;
  }
  WCHAR secondsText[32];
  FormatIntoBuffer32(secondsText, u"%0*.*lf", 2, 0, seconds);
  const String separator(info.timeSeparator);
  text << hours << separator << std::setw(2) << std::setfill(L'0') << minutes << separator
       << String(secondsText);
  if (!info.uses24HourClock)
    text << L' ' << String(afternoon ? info.pmDesignator : info.amDesignator);
  out = text.str();
}

void FormatDateTimeText(double timeValue, String& out) {
  String time;
  TimeText(timeValue, time);
  DateText(timeValue, out);
  out += u" ";
  out += time;
}

String AmDesignator() { return String(LocaleInfo::Instance().amDesignator); }

String PmDesignator() { return String(LocaleInfo::Instance().pmDesignator); }

bool LocaleUses24HourClock() { return LocaleInfo::Instance().uses24HourClock; }

}  // namespace Quor
