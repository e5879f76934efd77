// The user's regional settings, read once, and the standard-library locale that carries the
// module's own number and time facets. The module imbues its own streams with that locale; the
// process's global locale belongs to the host and is never replaced.
#pragma once

#include <locale>
#include <memory>

#include "core/quor_string.h"

namespace Quor {

class LocaleInfo {
 public:
  static const LocaleInfo& Instance();
  // Reads the user's settings again; tests call it after changing them.
  static void RebuildForTesting();

  char decimalSeparatorNarrow[8] = {};  // in the ANSI code page
  WCHAR decimalSeparator[8] = {};
  WCHAR thousandsSeparator[8] = {};
  WCHAR timeSeparator[8] = {};
  WCHAR dateSeparator[8] = {};
  WCHAR listSeparator[8] = {};
  WCHAR amDesignator[16] = {};
  WCHAR pmDesignator[16] = {};
  bool uses24HourClock = false;
  bool designatorBeforeTime = false;
  WORD defaultOemCodePage = 0;
  String timeFormat;
  String shortDateFormat;
  String longDateFormat;
  std::locale locale;

 private:
  LocaleInfo();
  static std::unique_ptr<LocaleInfo>& Slot();
  bool ReadSettings();
};

}  // namespace Quor
