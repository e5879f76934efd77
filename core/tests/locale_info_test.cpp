#include "core/locale_info.h"

#include <gtest/gtest.h>

#include <clocale>
#include <sstream>

#include "core/tests/quor_string_printer.h"
#include "core/tests/user_locale_fixture.h"
#include "platform/win32/message_box.h"
#include "platform/win32/resources.h"

HMODULE CoreTestResources();

namespace {

using Quor::LocaleInfo;
using Quor::String;

std::wstring WriteFixed(const std::locale& locale, double value) {
  std::wostringstream out;
  out.imbue(locale);
  out << std::fixed << value;
  return out.str();
}

TEST_F(UserLocaleTest, FieldsComeFromTheUserSettings) {
  const LocaleInfo& us = LocaleInfo::Instance();
  EXPECT_STREQ(us.decimalSeparatorNarrow, ".");
  EXPECT_EQ(String(us.decimalSeparator), u".");
  EXPECT_EQ(String(us.thousandsSeparator), u",");
  EXPECT_EQ(String(us.timeSeparator), u":");
  EXPECT_EQ(String(us.dateSeparator), u"/");
  EXPECT_EQ(String(us.listSeparator), u",");
  EXPECT_EQ(String(us.amDesignator), u"AM");
  EXPECT_EQ(String(us.pmDesignator), u"PM");
  EXPECT_FALSE(us.uses24HourClock);
  EXPECT_FALSE(us.designatorBeforeTime);
  EXPECT_EQ(us.defaultOemCodePage, 437);
  EXPECT_EQ(us.timeFormat, u"h:mm:ss tt");
  EXPECT_EQ(us.shortDateFormat, u"M/d/yyyy");
  EXPECT_EQ(us.longDateFormat, u"dddd, MMMM d, yyyy");
  EXPECT_EQ(WriteFixed(us.locale, 1234567.5), L"1234567.500000");

  win32::LocaleDescription austrian = testing_locales::Austrian();
  austrian.designatorBeforeTime = true;
  UseLocale(austrian);
  const LocaleInfo& at = LocaleInfo::Instance();
  EXPECT_STREQ(at.decimalSeparatorNarrow, ",");
  EXPECT_EQ(String(at.decimalSeparator), u",");
  EXPECT_EQ(String(at.thousandsSeparator), u" ");
  EXPECT_EQ(String(at.dateSeparator), u".");
  EXPECT_EQ(String(at.amDesignator), u"");
  EXPECT_TRUE(at.uses24HourClock);
  EXPECT_TRUE(at.designatorBeforeTime);
  EXPECT_EQ(at.defaultOemCodePage, 850);
  EXPECT_EQ(at.shortDateFormat, u"dd.MM.yyyy");
  EXPECT_EQ(WriteFixed(at.locale, 1234567.5), L"1234567,500000");
}

TEST_F(UserLocaleTest, TheHostsGlobalLocaleIsLeftAlone) {
  // The host runs with its own global locale; the module only imbues its own streams.
  class HostPunctuation : public std::numpunct<wchar_t> {
   protected:
    wchar_t do_decimal_point() const override { return L'#'; }
  };
  const std::locale host(std::locale::classic(), new HostPunctuation);
  const std::locale before = std::locale::global(host);
  UseLocale(testing_locales::Austrian());
  LocaleInfo::Instance();
  EXPECT_EQ(std::use_facet<std::numpunct<wchar_t>>(std::locale()).decimal_point(), L'#');
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
  EXPECT_EQ(WriteFixed(LocaleInfo::Instance().locale, 0.5), L"0,500000");
  std::locale::global(before);
}

TEST_F(UserLocaleTest, AnUnknownRuntimeLocaleFallsBackToTheClassicOneWithTheUsersRadix) {
  win32::SetExecutableModule(CoreTestResources());
  win32::ClearShownMessageBoxes();
  win32::LocaleDescription austrian = testing_locales::Austrian();
  austrian.runtimeName = "xx_NOWHERE.UTF-8";
  UseLocale(austrian);
  const std::locale& locale = LocaleInfo::Instance().locale;
  EXPECT_EQ(WriteFixed(locale, 1234567.5), L"1234567,500000");
  // The module's own time reader is installed.
  std::wistringstream in(L"2:30,5");
  in.imbue(locale);
  std::tm time{};
  std::ios_base::iostate state = std::ios_base::goodbit;
  std::istreambuf_iterator<wchar_t> rest = std::use_facet<std::time_get<wchar_t>>(locale).get_time(
      std::istreambuf_iterator<wchar_t>(in), {}, in, state, &time);
  EXPECT_EQ(state, std::ios_base::goodbit);
  EXPECT_EQ(time.tm_min, 2);
  EXPECT_EQ(time.tm_sec, 30);
  EXPECT_EQ(std::wstring(rest, {}), L",5");
  // What failed on the way is told at the end, in one message.
  const std::vector<win32::ShownMessageBox> shown = win32::ShownMessageBoxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text.substr(0, 47),
            u"The locale xx_NOWHERE.UTF-8 could not be loaded");
  EXPECT_EQ(shown[0].caption, u"Pendrel");
  EXPECT_EQ(shown[0].style, MB_TASKMODAL);
  win32::ClearShownMessageBoxes();
  win32::SetExecutableModule(nullptr);
}

TEST_F(UserLocaleTest, AnUnreadableSettingShowsTheHostsMessage) {
  win32::SetExecutableModule(CoreTestResources());
  win32::ClearShownMessageBoxes();
  win32::LocaleDescription broken;
  broken.amDesignator = u"ante meridiem, before noon";  // longer than the 16 units kept
  broken.runtimeName = "C";  // installed everywhere: only the unreadable setting is told
  UseLocale(broken);
  const LocaleInfo& info = LocaleInfo::Instance();
  const std::vector<win32::ShownMessageBox> shown = win32::ShownMessageBoxes();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, u"The regional settings of this computer could not be read.");
  EXPECT_EQ(shown[0].caption, u"Pendrel");
  EXPECT_EQ(shown[0].style, MB_TASKMODAL);
  // What was read before the failure is kept; the rest stays empty.
  EXPECT_EQ(String(info.listSeparator), u",");
  EXPECT_EQ(String(info.amDesignator), u"");
  EXPECT_EQ(String(info.pmDesignator), u"");
  EXPECT_TRUE(info.shortDateFormat.IsEmpty());
  EXPECT_EQ(WriteFixed(info.locale, 0.5), L"0.500000");
  win32::ClearShownMessageBoxes();
  win32::SetExecutableModule(nullptr);
}

}  // namespace
