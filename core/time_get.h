// Reading times, dates, years and day and month names in the module's own forms. A time is
// hours:minutes[:seconds], or minutes:seconds followed by the decimal point and a fraction that
// is left for the caller to read.
#pragma once

#include <ctime>
#include <iterator>
#include <locale>
#include <string>
#include <vector>

namespace Quor {

template <class CharT>
class time_get : public std::time_get<CharT> {
 public:
  using iter_type = typename std::time_get<CharT>::iter_type;
  using string_type = std::basic_string<CharT>;

  // Names alternate abbreviated and full (Sun, Sunday, Mon, ...; Jan, January, ...). Fields of a
  // date are separated by `dateSeparator`.
  time_get(std::vector<string_type> dayNames, std::vector<string_type> monthNames,
           std::time_base::dateorder dateOrder, CharT dateSeparator, std::size_t refs = 0);

 protected:
  std::time_base::dateorder do_date_order() const override { return m_dateOrder; }
  // With the day of the month set, the time is a time of day: hours stop at 23.
  iter_type do_get_time(iter_type begin, iter_type end, std::ios_base& stream,
                        std::ios_base::iostate& state, std::tm* time) const override;
  iter_type do_get_date(iter_type begin, iter_type end, std::ios_base& stream,
                        std::ios_base::iostate& state, std::tm* time) const override;
  iter_type do_get_weekday(iter_type begin, iter_type end, std::ios_base& stream,
                           std::ios_base::iostate& state, std::tm* time) const override;
  iter_type do_get_monthname(iter_type begin, iter_type end, std::ios_base& stream,
                             std::ios_base::iostate& state, std::tm* time) const override;
  // Two digits are 1935 to 2034; three are years from 1900 (tm's count); four are the year.
  iter_type do_get_year(iter_type begin, iter_type end, std::ios_base& stream,
                        std::ios_base::iostate& state, std::tm* time) const override;

 private:
  std::vector<string_type> m_dayNames;
  std::vector<string_type> m_monthNames;
  std::time_base::dateorder m_dateOrder;
  CharT m_dateSeparator;
};

extern template class time_get<wchar_t>;

}  // namespace Quor
