// Dates and times: the module's time reader over any text, and the date and time texts made of
// any time value. The first byte picks what is read (a time, a date, a year, a weekday, a month
// name, or the text of a time value given by the next 8 bytes), whether the day of the month is
// set, and whether the decimal point is a comma. What a reading accepts must lie in range (years
// up to 9999, the hours of a duration without bound); any crash, hang or sanitizer report is a
// finding.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iterator>
#include <locale>
#include <sstream>
#include <string>

#include "core/date_time_text.h"
#include "core/numpunct_facets.h"
#include "core/time_get_ex.h"
#include "core/utf_codec.h"

namespace {

enum class Field { Time, Date, Year, Weekday, Month, TimeValueText, Count };

const std::locale& Reader(bool commaDecimal) {
  static const std::locale point(std::locale::classic(),
                                 new Quor::time_getEx<wchar_t>(std::locale::classic(), L'/'));
  static const std::locale comma(point, new Quor::CRTBug_UserRadix_NoThousandsSep<wchar_t>(L',', L'.'));
  return commaDecimal ? comma : point;
}

std::wstring Wide(const std::string& utf8) {
  const std::u16string units = Quor::Utf8ToStdWString(utf8);
  return std::wstring(units.begin(), units.end());
}

void Read(Field field, bool dayOfMonthSet, bool commaDecimal, const std::string& text) {
  const std::locale& locale = Reader(commaDecimal);
  std::wistringstream in(Wide(text));
  in.imbue(locale);
  std::tm time{};
  time.tm_mday = dayOfMonthSet ? 1 : 0;
  std::ios_base::iostate state = std::ios_base::goodbit;
  const auto& reader = std::use_facet<std::time_get<wchar_t>>(locale);
  const std::istreambuf_iterator<wchar_t> at(in), end;
  switch (field) {
    case Field::Time:
      reader.get_time(at, end, in, state, &time);
      break;
    case Field::Date:
      reader.get_date(at, end, in, state, &time);
      break;
    case Field::Year:
      reader.get_year(at, end, in, state, &time);
      break;
    case Field::Weekday:
      reader.get_weekday(at, end, in, state, &time);
      break;
    default:
      reader.get_monthname(at, end, in, state, &time);
      break;
  }
  if (state & std::ios_base::failbit) return;
  // Minutes and seconds read without a day ("61:03.5") are a duration: its minutes run on.
  const bool minutesRunOn = field == Field::Time && !dayOfMonthSet && time.tm_hour == 0;
  const bool inRange = time.tm_min >= 0 && (time.tm_min <= 59 || minutesRunOn) && time.tm_sec >= 0 && time.tm_sec <= 59 &&
                       time.tm_hour >= 0 && (!dayOfMonthSet || field != Field::Time || time.tm_hour <= 23) &&
                       time.tm_mon >= 0 && time.tm_mon <= 11 && time.tm_wday >= 0 && time.tm_wday <= 6 &&
                       time.tm_mday >= 0 && time.tm_mday <= 31 && time.tm_year >= 0 && time.tm_year <= 9999 - 1900;
  if (!inRange) std::abort();
}

void WriteTexts(const uint8_t* data, size_t size) {
  double value = 0.0;
  std::memcpy(&value, data, std::min(size, sizeof value));
  Quor::String text;
  Quor::DateText(value, text);
  Quor::TimeText(value, text);
  Quor::FormatDateTimeText(value, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const Field field = Field(data[0] % int(Field::Count));
  const bool dayOfMonthSet = data[0] & 0x40;
  const bool commaDecimal = data[0] & 0x80;
  if (field == Field::TimeValueText) {
    WriteTexts(data + 1, size - 1);
  } else {
    Read(field, dayOfMonthSet, commaDecimal, std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  }
  return 0;
}
