#include <gtest/gtest.h>

#include <sstream>

#include "core/numpunct_facets.h"
#include "core/time_get_ex.h"

namespace {

struct Reading {
  bool failed;
  std::tm time;
  std::wstring rest;
};

enum class Field { Time, Date, Year, Weekday, Month };

Reading Read(const std::locale& locale, Field field, const std::wstring& input,
             int dayOfMonth = 0) {
  std::wistringstream in(input);
  in.imbue(locale);
  std::tm time{};
  time.tm_mday = dayOfMonth;
  std::ios_base::iostate state = std::ios_base::goodbit;
  const auto& reader = std::use_facet<std::time_get<wchar_t>>(locale);
  std::istreambuf_iterator<wchar_t> at(in), end;
  switch (field) {
    case Field::Time:
      at = reader.get_time(at, end, in, state, &time);
      break;
    case Field::Date:
      at = reader.get_date(at, end, in, state, &time);
      break;
    case Field::Year:
      at = reader.get_year(at, end, in, state, &time);
      break;
    case Field::Weekday:
      at = reader.get_weekday(at, end, in, state, &time);
      break;
    case Field::Month:
      at = reader.get_monthname(at, end, in, state, &time);
      break;
  }
  return {(state & std::ios_base::failbit) != 0, time, std::wstring(at, end)};
}

std::locale ClassicReader() {
  const std::locale& classic = std::locale::classic();
  return std::locale(classic, new Quor::time_getEx<wchar_t>(classic, L'/'));
}

TEST(TimeGet, Times) {
  const std::locale point = ClassicReader();
  const std::locale comma(point, new Quor::CRTBug_UserRadix_NoThousandsSep<wchar_t>(L',', L'.'));
  struct Case {
    const std::locale* locale;
    const wchar_t* input;
    int dayOfMonth;
    bool fails;
    int hours, minutes, seconds;
    const wchar_t* rest;
  } cases[] = {
      {&point, L"12:30", 0, false, 12, 30, 0, L""},
      {&point, L"12:30", 1, false, 12, 30, 0, L""},
      {&point, L"1:02:03", 1, false, 1, 2, 3, L""},
      {&point, L"25:10:00", 0, false, 25, 10, 0, L""},  // a duration: hours run on
      {&point, L"2147483647:00:00", 0, false, 2147483647, 0, 0, L""},
      // Minutes and seconds: the fraction is the caller's to read.
      {&point, L"2:30.5", 0, false, 0, 2, 30, L".5"},
      {&comma, L"2:30,5", 0, false, 0, 2, 30, L",5"},
      {&comma, L"2:30.5", 0, true, 0, 0, 0, L".5"},
      {&point, L"25:10", 0, true, 0, 0, 0, L""},
      {&point, L"25:10:00", 1, true, 0, 0, 0, L":10:00"},
      {&point, L"2147483648:00:00", 0, true, 0, 0, 0, L":00:00"},
      {&point, L"1:60", 0, true, 0, 0, 0, L""},
      {&point, L"1:02:60", 0, true, 0, 0, 0, L""},
      {&point, L"1-02", 0, true, 0, 0, 0, L"-02"},
      {&point, L"1:02 PM", 0, true, 0, 0, 0, L" PM"},
      {&point, L":30", 0, true, 0, 0, 0, L":30"},
      {&point, L"-1:30", 0, true, 0, 0, 0, L"-1:30"},
      {&point, L"", 0, true, 0, 0, 0, L""},
  };
  for (const Case& c : cases) {
    const Reading r = Read(*c.locale, Field::Time, c.input, c.dayOfMonth);
    EXPECT_EQ(r.failed, c.fails) << c.input;
    EXPECT_EQ(r.time.tm_hour, c.hours) << c.input;
    EXPECT_EQ(r.time.tm_min, c.minutes) << c.input;
    EXPECT_EQ(r.time.tm_sec, c.seconds) << c.input;
    EXPECT_EQ(r.rest, c.rest) << c.input;
  }
}

TEST(TimeGet, Years) {
  struct Case {
    const wchar_t* input;
    int tmYear;  // -1: the read fails
  } cases[] = {
      {L"12", 112}, {L"0", 100},    {L"34", 134},   {L"35", 35},    {L"99", 99},     {L"135", 135},
      {L"1900", 0}, {L"2035", 135}, {L"2036", 136}, {L"2107", 207}, {L"9999", 8099}, {L"136", -1},
      {L"150", -1}, {L"1899", -1},  {L"10000", -1}, {L"", -1},      {L"x", -1},
  };
  const std::locale locale = ClassicReader();
  for (const Case& c : cases) {
    const Reading r = Read(locale, Field::Year, c.input);
    EXPECT_EQ(r.failed, c.tmYear < 0) << c.input;
    EXPECT_EQ(r.time.tm_year, c.tmYear < 0 ? 0 : c.tmYear) << c.input;
  }
}

TEST(TimeGet, NamesOfTheNamedLocale) {
  struct Case {
    Field field;
    const wchar_t* input;
    int index;  // -1: the read fails
    const wchar_t* rest;
  } cases[] = {
      {Field::Weekday, L"Sunday", 0, L""},     {Field::Weekday, L"mon", 1, L""},
      {Field::Weekday, L"SATURDAY!", 6, L"!"}, {Field::Weekday, L"Fr", -1, L""},
      {Field::Weekday, L"Thux", 4, L"x"},      {Field::Month, L"May", 4, L""},
      {Field::Month, L"september", 8, L""},    {Field::Month, L"Dec 1", 11, L" 1"},
      {Field::Month, L"Ju", -1, L""},          {Field::Month, L"12", -1, L"12"},
  };
  const std::locale locale = ClassicReader();
  for (const Case& c : cases) {
    const Reading r = Read(locale, c.field, c.input);
    EXPECT_EQ(r.failed, c.index < 0) << c.input;
    if (c.index >= 0) {
      EXPECT_EQ(c.field == Field::Weekday ? r.time.tm_wday : r.time.tm_mon, c.index) << c.input;
    }
    EXPECT_EQ(r.rest, c.rest) << c.input;
  }
}

TEST(TimeGet, DatesInTheLocalesOrder) {
  const std::locale& classic = std::locale::classic();
  const std::locale monthFirst = ClassicReader();
  EXPECT_EQ(std::use_facet<std::time_get<wchar_t>>(monthFirst).date_order(), std::time_base::mdy);
  auto names = [&](std::time_base::dateorder order, wchar_t separator) {
    return std::locale(classic, new Quor::time_get<wchar_t>(
                                    {L"Sun", L"Sunday"}, {L"Jan", L"January", L"Feb", L"February"},
                                    order, separator));
  };
  const std::locale dayFirst = names(std::time_base::dmy, L'.');
  const std::locale yearFirst = names(std::time_base::ymd, L'-');
  struct Case {
    const std::locale* locale;
    const wchar_t* input;
    bool fails;
    int year, month, day;
  } cases[] = {
      {&monthFirst, L"11/22/2033", false, 2033, 11, 22},
      {&monthFirst, L"nov/22/33", false, 2033, 11, 22},
      {&monthFirst, L"2/29/2040", false, 2040, 2, 29},
      {&monthFirst, L"13/01/2020", true, 0, 0, 0},
      {&monthFirst, L"12/32/2020", true, 0, 0, 0},
      {&monthFirst, L"12.31.2020", true, 0, 0, 0},
      {&dayFirst, L"22.1.2040", false, 2040, 1, 22},
      {&dayFirst, L"22.February.99", false, 1999, 2, 22},
      {&yearFirst, L"2107-02-01", false, 2107, 2, 1},
      {&yearFirst, L"1850-02-01", true, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const Reading r = Read(*c.locale, Field::Date, c.input);
    EXPECT_EQ(r.failed, c.fails) << c.input;
    if (c.fails) continue;
    EXPECT_EQ(r.time.tm_year + 1900, c.year) << c.input;
    EXPECT_EQ(r.time.tm_mon + 1, c.month) << c.input;
    EXPECT_EQ(r.time.tm_mday, c.day) << c.input;
  }
}

}  // namespace
