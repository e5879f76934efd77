#include "platform/win32/locale_queries.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/code_pages.h"
#include "platform/win32/date_format.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/user_locale.h"

namespace {

std::u16string Query(LCTYPE type) {
  WCHAR buffer[80];
  const int units = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 80);
  return units > 0 ? std::u16string(buffer, units - 1) : u"(failed)";
}

std::u16string DateText(const SYSTEMTIME& date, DWORD flags, LPCWSTR picture = nullptr) {
  WCHAR buffer[80];
  const int units = GetDateFormatW(LOCALE_USER_DEFAULT, flags, &date, picture, buffer, 80);
  return units > 0 ? std::u16string(buffer, units - 1) : u"(failed)";
}

// A locale of decimal commas and a 24-hour clock.
win32::LocaleDescription Austrian() {
  win32::LocaleDescription locale;
  locale.id = 0x0C07;
  locale.decimalSeparator = u",";
  locale.thousandsSeparator = u" ";
  locale.listSeparator = u";";
  locale.dateSeparator = u".";
  locale.amDesignator = u"";
  locale.pmDesignator = u"";
  locale.uses24HourClock = true;
  locale.oemCodePage = 850;
  locale.timeFormat = u"HH:mm:ss";
  locale.shortDateFormat = u"dd.MM.yyyy";
  locale.monthNames[0] = u"J\u00e4nner";
  return locale;
}

class UserLocaleTest : public ::testing::Test {
 protected:
  void TearDown() override {
    win32::SetUserLocale({});
    win32::SetAnsiCodePageForTesting(CP_WINDOWS_1252);
  }
};

TEST_F(UserLocaleTest, AnswersFromTheDescription) {
  struct Case {
    LCTYPE type;
    const char16_t* unitedStates;
    const char16_t* austrian;
  } cases[] = {
      {LOCALE_SDECIMAL, u".", u","},
      {LOCALE_STHOUSAND, u",", u" "},
      {LOCALE_SLIST, u",", u";"},
      {LOCALE_STIME, u":", u":"},
      {LOCALE_SDATE, u"/", u"."},
      {LOCALE_S1159, u"AM", u""},
      {LOCALE_S2359, u"PM", u""},
      {LOCALE_ITIME, u"0", u"1"},
      {LOCALE_ITIMEMARKPOSN, u"0", u"0"},
      {LOCALE_IDEFAULTCODEPAGE, u"437", u"850"},
      {LOCALE_STIMEFORMAT, u"h:mm:ss tt", u"HH:mm:ss"},
      {LOCALE_SSHORTDATE, u"M/d/yyyy", u"dd.MM.yyyy"},
      {LOCALE_SDECIMAL | LOCALE_NOUSEROVERRIDE, u".", u","},
  };
  for (const Case& c : cases) EXPECT_EQ(Query(c.type), c.unitedStates) << std::hex << c.type;
  win32::SetUserLocale(Austrian());
  for (const Case& c : cases) EXPECT_EQ(Query(c.type), c.austrian) << std::hex << c.type;
}

TEST_F(UserLocaleTest, SizesAndFailures) {
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, nullptr, 0), 9);
  WCHAR small[4];
  SetLastError(0);
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, small, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(GetLocaleInfoW(LOCALE_USER_DEFAULT, 0x7777, small, 4), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
}

TEST_F(UserLocaleTest, NarrowAnswersUseTheAnsiCodePage) {
  win32::LocaleDescription locale;
  locale.thousandsSeparator = u"\u00a0";
  win32::SetUserLocale(locale);
  char buffer[8];
  ASSERT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buffer, 8), 2);
  EXPECT_STREQ(buffer, "\xA0");
  win32::SetAnsiCodePageForTesting(CP_UTF8);
  ASSERT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buffer, 8), 3);
  EXPECT_STREQ(buffer, "\xC2\xA0");
  EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, buffer, 2), 0);
}

TEST_F(UserLocaleTest, DatesInTheUserFormatAndInPictures) {
  const SYSTEMTIME date{2031, 1, 0, 5, 0, 0, 0, 0};  // a Sunday
  EXPECT_EQ(DateText(date, DATE_SHORTDATE), u"1/5/2031");
  EXPECT_EQ(DateText(date, DATE_LONGDATE), u"Sunday, January 5, 2031");
  struct Case {
    const char16_t* picture;
    const char16_t* text;
  } cases[] = {
      {u"d dd ddd dddd", u"5 05 Sun Sunday"},
      {u"M MM MMM MMMM", u"1 01 Jan January"},
      {u"y yy yyyy yyyyy", u"31 31 2031 2031"},
      {u"'day' d 'o''clock' ''", u"day 5 o'clock '"},
      {u"gg yyyy", u"A.D. 2031"},
      {u"", u""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DateText(date, 0, c.picture), c.text) << std::u16string(c.picture).size();
  win32::SetUserLocale(Austrian());
  EXPECT_EQ(DateText(date, DATE_SHORTDATE), u"05.01.2031");
  EXPECT_EQ(DateText(date, 0, u"d. MMMM"), u"5. J\u00e4nner");
}

TEST_F(UserLocaleTest, DateFailures) {
  WCHAR buffer[8];
  const SYSTEMTIME leapDay{2023, 2, 0, 29, 0, 0, 0, 0};
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &leapDay, nullptr, buffer, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  const SYSTEMTIME date{2031, 12, 0, 25, 0, 0, 0, 0};
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, u"d", buffer, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_FLAGS);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, nullptr, 0), 11);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, buffer, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

}  // namespace
