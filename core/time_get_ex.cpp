#include "core/time_get_ex.h"

#include <algorithm>
#include <sstream>

namespace Quor {

namespace {

template <class CharT>
std::basic_string<CharT> Put(const std::locale& locale, const std::tm& time, char format) {
  std::basic_ostringstream<CharT> out;
  out.imbue(locale);
  std::use_facet<std::time_put<CharT>>(locale).put(std::ostreambuf_iterator<CharT>(out), out,
                                                   CharT(' '), &time, format);
  return out.str();
}

// Abbreviated and full names alternating, as the standard reader lists them.
template <class CharT>
std::vector<std::basic_string<CharT>> Names(const std::locale& locale, int count,
                                            int std::tm::*field, char abbreviated, char full) {
  std::vector<std::basic_string<CharT>> names;
  for (int i = 0; i < count; ++i) {
    std::tm time{};
    time.*field = i;
    names.push_back(Put<CharT>(locale, time, abbreviated));
    names.push_back(Put<CharT>(locale, time, full));
  }
  return names;
}

// Where the locale's own date text puts the fields of a date whose fields cannot be mistaken
// for one another: 22 November 2033.
template <class CharT>
std::time_base::dateorder DateOrder(const std::locale& locale) {
  std::tm time{};
  time.tm_year = 133;
  time.tm_mon = 10;
  time.tm_mday = 22;
  const std::basic_string<CharT> text = Put<CharT>(locale, time, 'x');
  auto find = [&](const char* digits) {
    return text.find(std::basic_string<CharT>(digits, digits + 2));
  };
  const std::size_t day = find("22"), month = find("11"), year = find("33");
  if (day == text.npos || month == text.npos || year == text.npos) return std::time_base::no_order;
  if (year < std::min(day, month)) return month < day ? std::time_base::ymd : std::time_base::ydm;
  return month < day ? std::time_base::mdy : std::time_base::dmy;
}

}  // namespace

template <class CharT>
time_getEx<CharT>::time_getEx(const std::locale& named, CharT dateSeparator, std::size_t refs)
    : time_get<CharT>(Names<CharT>(named, 7, &std::tm::tm_wday, 'a', 'A'),
                      Names<CharT>(named, 12, &std::tm::tm_mon, 'b', 'B'), DateOrder<CharT>(named),
                      dateSeparator, refs) {}

template class time_getEx<wchar_t>;

}  // namespace Quor
