// Runs a test under user settings of its own and puts the default (English, United States)
// settings back afterwards.
#pragma once

#include <gtest/gtest.h>

#include "core/locale_info.h"
#include "platform/win32/user_locale.h"

namespace testing_locales {

// Decimal comma, a blank between thousands, a 24-hour clock and day-first dates.
inline win32::LocaleDescription Austrian() {
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
  locale.longDateFormat = u"dddd, d. MMMM yyyy";
  locale.runtimeName = "de_AT.UTF-8";
  return locale;
}

}  // namespace testing_locales

class UserLocaleTest : public ::testing::Test {
 protected:
  static void UseLocale(const win32::LocaleDescription& locale) {
    win32::SetUserLocale(locale);
    Quor::LocaleInfo::RebuildForTesting();
  }
  void TearDown() override { UseLocale({}); }
};
