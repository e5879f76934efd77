// The proleptic Gregorian calendar the platform's time and date functions share.
#pragma once

#include "platform/win32/types.h"

namespace win32 {

// Days from 1970-01-01; negative before it.
LONGLONG DaysFromCivil(LONGLONG year, unsigned month, unsigned day);
void CivilFromDays(LONGLONG days, LONGLONG& year, unsigned& month, unsigned& day);
bool IsLeapYear(LONGLONG year);
unsigned DaysInMonth(LONGLONG year, unsigned month);
// 0 is Sunday.
unsigned DayOfWeek(LONGLONG daysFrom1970);

}  // namespace win32
