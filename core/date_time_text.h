// Dates and times of day as the user writes them (regional settings of LocaleInfo).
#pragma once

#include "core/quor_string.h"

namespace Quor {

// The short date of a time value; empty for 1970 and earlier, which hold times without a date.
void DateText(double timeValue, String& out);
// The time of day in whole seconds, rounded; a negative value gets a leading "-".
void TimeText(double timeValue, String& out);
// The date, a blank and the time of day.
void FormatDateTimeText(double timeValue, String& out);

String AmDesignator();
String PmDesignator();
bool LocaleUses24HourClock();

}  // namespace Quor
