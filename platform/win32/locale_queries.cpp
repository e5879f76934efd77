#include "platform/win32/locale_queries.h"

#include <optional>
#include <string>

#include "platform/win32/code_pages.h"
#include "platform/win32/hresult.h"
#include "platform/win32/last_error.h"
#include "platform/win32/text_result.h"
#include "platform/win32/user_locale.h"

namespace {

std::u16string NumberText(unsigned value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::optional<std::u16string> LocaleText(const win32::LocaleDescription& locale, LCTYPE type) {
  switch (type & ~LOCALE_NOUSEROVERRIDE) {
    case LOCALE_IDEFAULTCODEPAGE:
      return NumberText(locale.oemCodePage);
    case LOCALE_SLIST:
      return locale.listSeparator;
    case LOCALE_SDECIMAL:
      return locale.decimalSeparator;
    case LOCALE_STHOUSAND:
      return locale.thousandsSeparator;
    case LOCALE_SDATE:
      return locale.dateSeparator;
    case LOCALE_STIME:
      return locale.timeSeparator;
    case LOCALE_SSHORTDATE:
      return locale.shortDateFormat;
    case LOCALE_SLONGDATE:
      return locale.longDateFormat;
    case LOCALE_ITIME:
      return NumberText(locale.uses24HourClock ? 1 : 0);
    case LOCALE_S1159:
      return locale.amDesignator;
    case LOCALE_S2359:
      return locale.pmDesignator;
    case LOCALE_STIMEFORMAT:
      return locale.timeFormat;
    case LOCALE_ITIMEMARKPOSN:
      return NumberText(locale.designatorBeforeTime ? 1 : 0);
    default:
      return std::nullopt;
  }
}

std::optional<std::u16string> UserLocaleText(LCTYPE type) {
  std::optional<std::u16string> text = LocaleText(win32::UserLocale(), type);
  if (!text) SetLastError(ERROR_INVALID_FLAGS);
  return text;
}

}  // namespace

int GetLocaleInfoW(LCID, LCTYPE type, LPWSTR data, int dataUnits) {
  const std::optional<std::u16string> text = UserLocaleText(type);
  return text ? win32::CopyTextResult(*text, data, dataUnits) : 0;
}

int GetLocaleInfoA(LCID, LCTYPE type, LPSTR data, int dataBytes) {
  const std::optional<std::u16string> text = UserLocaleText(type);
  if (!text) return 0;
  std::string ansi;
  if (!text->empty()) {
    const int units = int(text->size());
    ansi.resize(WideCharToMultiByte(CP_ACP, 0, text->data(), units, nullptr, 0, nullptr, nullptr));
    WideCharToMultiByte(CP_ACP, 0, text->data(), units, ansi.data(), int(ansi.size()), nullptr,
                        nullptr);
  }
  return win32::CopyTextResult(ansi, data, dataBytes);
}
