#include "core/time_get.h"

namespace Quor {

namespace {

// Digits only, no sign and no blanks; a value outside [low, high] fails the read. Every digit is
// consumed, so that a failed number does not leave half of itself behind.
template <class CharT, class It>
bool ReadNumber(It& at, It end, long long low, long long high, long long& value) {
  bool anyDigit = false;
  bool inRange = true;
  value = 0;
  for (; at != end; ++at) {
    const CharT c = *at;
    if (c < CharT('0') || c > CharT('9')) break;
    anyDigit = true;
    if (inRange) {
      value = value * 10 + (c - CharT('0'));
      inRange = value <= high;
    }
  }
  return anyDigit && inRange && value >= low;
}

template <class CharT, class It>
bool Expect(It& at, It end, CharT wanted) {
  if (at == end || *at != wanted) return false;
  ++at;
  return true;
}

template <class CharT, class It>
bool IsDigitAt(It at, It end) {
  return at != end && *at >= CharT('0') && *at <= CharT('9');
}

// The index of the longest name that the input spells, ignoring case; -1 when none does.
template <class CharT, class It>
int ReadName(It& at, It end, const std::vector<std::basic_string<CharT>>& names,
             const std::ctype<CharT>& ctype) {
  std::vector<bool> alive(names.size(), true);
  int matched = -1;
  for (std::size_t length = 0;; ++length) {
    for (std::size_t i = 0; i < names.size() && length > 0; ++i) {
      if (alive[i] && names[i].size() == length) {
        matched = int(i);
        break;
      }
    }
    if (at == end) break;
    const CharT c = ctype.tolower(*at);
    bool continues = false;
    for (std::size_t i = 0; i < names.size(); ++i) {
      alive[i] = alive[i] && names[i].size() > length && ctype.tolower(names[i][length]) == c;
      continues = continues || alive[i];
    }
    if (!continues) break;
    ++at;
  }
  return matched;
}

// Years up to 34 are taken as 2000 to 2034 and 35 to 99 as 1935 to 1999; 100 to 135 are already
// counted from 1900, as tm counts them.
template <class CharT, class It>
bool ReadYear(It& at, It end, int& tmYear) {
  long long year;
  if (!ReadNumber<CharT>(at, end, 0, 9999, year)) return false;
  if (year >= 1900) {
    tmYear = int(year - 1900);
  } else if (year < 35) {
    tmYear = int(year + 100);
  } else if (year <= 135) {
    tmYear = int(year);
  } else {
    return false;
  }
  return true;
}

template <class It>
It Finish(It at, It end, bool ok, std::ios_base::iostate& state) {
  if (!ok) state |= std::ios_base::failbit;
  if (at == end) state |= std::ios_base::eofbit;
  return at;
}

}  // namespace

template <class CharT>
time_get<CharT>::time_get(std::vector<string_type> dayNames, std::vector<string_type> monthNames,
                          std::time_base::dateorder dateOrder, CharT dateSeparator,
                          std::size_t refs)
    : std::time_get<CharT>(refs),
      m_dayNames(std::move(dayNames)),
      m_monthNames(std::move(monthNames)),
      m_dateOrder(dateOrder),
      m_dateSeparator(dateSeparator) {}

template <class CharT>
auto time_get<CharT>::do_get_time(iter_type at, iter_type end, std::ios_base& stream,
                                  std::ios_base::iostate& state, std::tm* time) const -> iter_type {
  const CharT decimalPoint = std::use_facet<std::numpunct<CharT>>(stream.getloc()).decimal_point();
  const long long hourLimit = time->tm_mday ? 23 : 2147483647;
  long long hours, minutes, seconds = 0;
  bool ok = ReadNumber<CharT>(at, end, 0, hourLimit, hours) && Expect(at, end, CharT(':')) &&
            ReadNumber<CharT>(at, end, 0, 59, minutes);
  if (ok) {
    if (at == end) {
      ok = hours <= 23;
    } else if (*at == decimalPoint) {
      // Minutes and seconds with a fraction: the caller reads the fraction.
      seconds = minutes;
      minutes = hours;
      hours = 0;
    } else {
      ok = Expect(at, end, CharT(':')) && ReadNumber<CharT>(at, end, 0, 59, seconds);
    }
  }
  if (ok) {
    time->tm_hour = int(hours);
    time->tm_min = int(minutes);
    time->tm_sec = int(seconds);
  }
  return Finish(at, end, ok, state);
}

template <class CharT>
auto time_get<CharT>::do_get_date(iter_type at, iter_type end, std::ios_base& stream,
                                  std::ios_base::iostate& state, std::tm* time) const -> iter_type {
  const std::ctype<CharT>& ctype = std::use_facet<std::ctype<CharT>>(stream.getloc());
  static constexpr const char* kFieldOrders[] = {"mdy", "dmy", "mdy", "ymd", "ydm"};
  const char* fields = kFieldOrders[m_dateOrder];
  long long month = 0, day = 0;
  int year = 0;
  bool ok = true;
  for (int i = 0; ok && i < 3; ++i) {
    if (i > 0) ok = Expect(at, end, m_dateSeparator);
    if (!ok) break;
    if (fields[i] == 'd') {
      ok = ReadNumber<CharT>(at, end, 1, 31, day);
    } else if (fields[i] == 'y') {
      ok = ReadYear<CharT>(at, end, year);
    } else if (IsDigitAt<CharT>(at, end)) {
      ok = ReadNumber<CharT>(at, end, 1, 12, month);
    } else {
      const int name = ReadName(at, end, m_monthNames, ctype);
      month = name / 2 + 1;
      ok = name >= 0;
    }
  }
  if (ok) {
    time->tm_mday = int(day);
    time->tm_mon = int(month - 1);
    time->tm_year = year;
  }
  return Finish(at, end, ok, state);
}

template <class CharT>
auto time_get<CharT>::do_get_weekday(iter_type at, iter_type end, std::ios_base& stream,
                                     std::ios_base::iostate& state, std::tm* time) const
    -> iter_type {
  const int name =
      ReadName(at, end, m_dayNames, std::use_facet<std::ctype<CharT>>(stream.getloc()));
  if (name >= 0) time->tm_wday = name / 2;
  return Finish(at, end, name >= 0, state);
}

template <class CharT>
auto time_get<CharT>::do_get_monthname(iter_type at, iter_type end, std::ios_base& stream,
                                       std::ios_base::iostate& state, std::tm* time) const
    -> iter_type {
  const int name =
      ReadName(at, end, m_monthNames, std::use_facet<std::ctype<CharT>>(stream.getloc()));
  if (name >= 0) time->tm_mon = name / 2;
  return Finish(at, end, name >= 0, state);
}

template <class CharT>
auto time_get<CharT>::do_get_year(iter_type at, iter_type end, std::ios_base&,
                                  std::ios_base::iostate& state, std::tm* time) const -> iter_type {
  int year;
  const bool ok = ReadYear<CharT>(at, end, year);
  if (ok) time->tm_year = year;
  return Finish(at, end, ok, state);
}

template class time_get<wchar_t>;

}  // namespace Quor
