#include "platform/win32/date_format.h"

#include <string>

#include "platform/win32/civil_calendar.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/text_result.h"
#include "platform/win32/user_locale.h"

namespace {

void AppendNumber(std::u16string& out, unsigned value, std::size_t minimumDigits) {
  const std::string digits = std::to_string(value);
  out.append(digits.size() < minimumDigits ? minimumDigits - digits.size() : 0, u'0');
  out.append(digits.begin(), digits.end());
}

void AppendField(std::u16string& out, char16_t letter, std::size_t count, const SYSTEMTIME& date,
                 const win32::LocaleDescription& locale) {
  switch (letter) {
    case u'd':
      if (count <= 2) return AppendNumber(out, date.wDay, count);
      out += (count == 3 ? locale.abbreviatedDayNames : locale.dayNames)[date.wDayOfWeek];
      return;
    case u'M':
      if (count <= 2) return AppendNumber(out, date.wMonth, count);
      out += (count == 3 ? locale.abbreviatedMonthNames : locale.monthNames)[date.wMonth - 1];
      return;
    case u'y':
      if (count <= 2) return AppendNumber(out, date.wYear % 100, count);
      return AppendNumber(out, date.wYear, 1);
    default:  // g, gg: the one era of the Gregorian calendar
      out += u"A.D.";
  }
}

std::u16string FormatDate(std::u16string_view picture, const SYSTEMTIME& date,
                          const win32::LocaleDescription& locale) {
  std::u16string out;
  for (std::size_t i = 0; i < picture.size();) {
    const char16_t c = picture[i];
    if (c == u'\'' && i + 1 < picture.size() && picture[i + 1] == u'\'') {
      out += c;  // two quotes stand for one, inside quoted text or outside
      i += 2;
    } else if (c == u'\'') {
      for (++i; i < picture.size(); ++i) {
        if (picture[i] == u'\'' && (i + 1 >= picture.size() || picture[i + 1] != u'\'')) break;
        if (picture[i] == u'\'') ++i;
        out += picture[i];
      }
      ++i;
    } else if (c == u'd' || c == u'M' || c == u'y' || c == u'g') {
      std::size_t count = 1;
      while (i + count < picture.size() && picture[i + count] == c) ++count;
      AppendField(out, c, count, date, locale);
      i += count;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

bool CompleteDate(const SYSTEMTIME* given, SYSTEMTIME& date) {
  if (!given) {
    GetLocalTime(&date);
    return true;
  }
  date = *given;
  if (date.wMonth < 1 || date.wMonth > 12 || date.wDay < 1 ||
      date.wDay > win32::DaysInMonth(date.wYear, date.wMonth)) {
    return false;
  }
  // The caller's weekday is not trusted, as the system does not trust it.
  date.wDayOfWeek =
      WORD(win32::DayOfWeek(win32::DaysFromCivil(date.wYear, date.wMonth, date.wDay)));
  return true;
}

}  // namespace

int GetDateFormatW(LCID, DWORD flags, const SYSTEMTIME* given, LPCWSTR picture, LPWSTR text,
                   int textUnits) {
  const DWORD formatFlags = flags & (DATE_SHORTDATE | DATE_LONGDATE);
  if ((picture && formatFlags) || formatFlags == (DATE_SHORTDATE | DATE_LONGDATE)) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  SYSTEMTIME date;
  if (!CompleteDate(given, date)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const win32::LocaleDescription locale = win32::UserLocale();
  const std::u16string_view format = picture                        ? std::u16string_view(picture)
                                     : formatFlags == DATE_LONGDATE ? locale.longDateFormat
                                                                    : locale.shortDateFormat;
  return win32::CopyTextResult(FormatDate(format, date, locale), text, textUnits);
}
