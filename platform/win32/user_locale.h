// The user's regional settings. One description answers every locale query of the process; it
// reads as English with United States conventions until a test or the command line sets another.
#pragma once

#include <array>
#include <string>

#include "platform/win32/types.h"

namespace win32 {

struct LocaleDescription {
  LCID id = 0x0409;
  std::u16string decimalSeparator = u".";
  std::u16string thousandsSeparator = u",";
  std::u16string listSeparator = u",";
  std::u16string timeSeparator = u":";
  std::u16string dateSeparator = u"/";
  std::u16string amDesignator = u"AM";
  std::u16string pmDesignator = u"PM";
  bool uses24HourClock = false;
  bool designatorBeforeTime = false;
  WORD oemCodePage = 437;
  std::u16string timeFormat = u"h:mm:ss tt";
  std::u16string shortDateFormat = u"M/d/yyyy";
  std::u16string longDateFormat = u"dddd, MMMM d, yyyy";
  // Sunday first.
  std::array<std::u16string, 7> dayNames = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                            u"Thursday", u"Friday", u"Saturday"};
  std::array<std::u16string, 7> abbreviatedDayNames = {u"Sun", u"Mon", u"Tue", u"Wed",
                                                       u"Thu", u"Fri", u"Sat"};
  std::array<std::u16string, 12> monthNames = {u"January",   u"February", u"March",    u"April",
                                               u"May",       u"June",     u"July",     u"August",
                                               u"September", u"October",  u"November", u"December"};
  std::array<std::u16string, 12> abbreviatedMonthNames = {u"Jan", u"Feb", u"Mar", u"Apr",
                                                          u"May", u"Jun", u"Jul", u"Aug",
                                                          u"Sep", u"Oct", u"Nov", u"Dec"};
  // The name under which the C and C++ runtime libraries know this locale; it need not be
  // installed.
  std::string runtimeName = "en_US.UTF-8";
};

LocaleDescription UserLocale();
void SetUserLocale(const LocaleDescription& description);

}  // namespace win32
