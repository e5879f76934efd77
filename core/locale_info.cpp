#include "core/locale_info.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "core/branded_strings.h"
#include "core/numpunct_facets.h"
#include "core/time_get_ex.h"
#include "platform/win32/locale_queries.h"
#include "platform/win32/message_box.h"
#include "platform/win32/user_locale.h"

namespace Quor {

namespace {

constexpr UINT kSettingsUnreadableCaption = 20007;
constexpr UINT kSettingsUnreadableText = 20008;

template <int N>
bool Query(LCTYPE type, WCHAR (&field)[N]) {
  return GetLocaleInfoW(LOCALE_USER_DEFAULT, type, field, N) > 0;
}

bool QueryNumber(LCTYPE type, unsigned& value) {
  WCHAR text[8];
  if (!Query(type, text)) return false;
  value = 0;
  for (const WCHAR* digit = text; *digit >= u'0' && *digit <= u'9'; ++digit)
    value = value * 10 + (*digit - u'0');
  return true;
}

bool QueryText(LCTYPE type, String& text) {
  const int units = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, nullptr, 0);
  if (units <= 0) return false;
  WCHAR* buffer = text.PrepareBuffer(DWORD(units));
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, units) <= 0) return false;
  text.UpdateLength();
  return true;
}

wchar_t FirstOr(const WCHAR* text, wchar_t fallback) { return *text ? wchar_t(*text) : fallback; }

// The user's locale as the runtime library knows it, without digit grouping. A name the library
// does not know leaves the classic locale with the user's own decimal point: the module's
// numbers must not depend on which locales happen to be installed. What fails on the way is
// told in `errors`.
std::locale BuildModuleLocale(const LocaleInfo& info, std::vector<std::string>& errors) {
  const wchar_t dateSeparator = FirstOr(info.dateSeparator, L'/');
  const std::string name = win32::UserLocale().runtimeName;
  try {
    const std::locale user(name.c_str());
    const std::locale withTimes(user, new time_getEx<wchar_t>(user, dateSeparator));
    const std::locale withNarrowNumbers(withTimes, new NoThousandsSep<char>(name.c_str()));
    return std::locale(withNarrowNumbers, new NoThousandsSep<wchar_t>(name.c_str()));
  } catch (const std::exception& error) {
    errors.push_back("The locale " + name + " could not be loaded: " + error.what());
  }
  try {
    const std::locale& classic = std::locale::classic();
    const std::locale withTimes(classic, new time_getEx<wchar_t>(classic, dateSeparator));
    return std::locale(withTimes, new CRTBug_UserRadix_NoThousandsSep<wchar_t>(
                                      FirstOr(info.decimalSeparator, L'.'),
                                      FirstOr(info.thousandsSeparator, L',')));
  } catch (const std::exception& error) {
    errors.push_back(std::string("The classic locale could not take the regional settings: ") +
                     error.what());
    return std::locale::classic();
  }
}

void ShowSettingsUnreadable() {
  const String text = LoadResourceString(nullptr, kSettingsUnreadableText, true);
  const String caption = LoadResourceString(nullptr, kSettingsUnreadableCaption, true);
  MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_TASKMODAL);
}

// All of them in one message, a line each.
void ShowErrors(const std::vector<std::string>& errors) {
  if (errors.empty()) return;
  std::string text;
  for (const std::string& error : errors) text += (text.empty() ? "" : "\n") + error;
  const String caption = LoadResourceString(nullptr, kSettingsUnreadableCaption, true);
  MessageBoxW(nullptr, String(text.c_str()).c_str(), caption.c_str(), MB_TASKMODAL);
}

}  // namespace

LocaleInfo::LocaleInfo() {
  if (!ReadSettings()) ShowSettingsUnreadable();
  std::vector<std::string> errors;
  locale = BuildModuleLocale(*this, errors);
  ShowErrors(errors);
}

// In the order of the fields; the first query that fails leaves the rest empty.
bool LocaleInfo::ReadSettings() {
  unsigned clock = 0, designatorPosition = 0, codePage = 0;
  const bool read =
      GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimalSeparatorNarrow, 8) > 0 &&
      Query(LOCALE_SDECIMAL, decimalSeparator) && Query(LOCALE_STHOUSAND, thousandsSeparator) &&
      Query(LOCALE_STIME, timeSeparator) && Query(LOCALE_SDATE, dateSeparator) &&
      Query(LOCALE_SLIST, listSeparator) && Query(LOCALE_S1159, amDesignator) &&
      Query(LOCALE_S2359, pmDesignator) && QueryNumber(LOCALE_ITIME, clock) &&
      QueryNumber(LOCALE_ITIMEMARKPOSN, designatorPosition) &&
      QueryNumber(LOCALE_IDEFAULTCODEPAGE, codePage) && QueryText(LOCALE_STIMEFORMAT, timeFormat) &&
      QueryText(LOCALE_SSHORTDATE, shortDateFormat) && QueryText(LOCALE_SLONGDATE, longDateFormat);
  uses24HourClock = clock == 1;
  designatorBeforeTime = designatorPosition != 0;
  defaultOemCodePage = WORD(codePage);
  return read;
}

std::unique_ptr<LocaleInfo>& LocaleInfo::Slot() {
  static std::unique_ptr<LocaleInfo> slot;
  return slot;
}

// Built on the first call (unless a test built it already), destroyed at exit.
const LocaleInfo& LocaleInfo::Instance() {
  static const bool built = [] {
    if (!Slot()) Slot().reset(new LocaleInfo);
    return true;
  }();
  (void)built;
  return *Slot();
}

void LocaleInfo::RebuildForTesting() { Slot().reset(new LocaleInfo); }

}  // namespace Quor
