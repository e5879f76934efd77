// Dates as text in the user's format, or in a picture of the caller's: d dd ddd dddd for the
// day, M MM MMM MMMM for the month, y yy yyyy for the year, g for the era, text in single quotes.
#pragma once

#include "platform/win32/clock.h"
#include "platform/win32/types.h"

constexpr DWORD DATE_SHORTDATE = 0x01;
constexpr DWORD DATE_LONGDATE = 0x02;

// A null date is today. Fails with ERROR_INVALID_PARAMETER for an invalid date and with
// ERROR_INVALID_FLAGS when a picture comes with a format flag.
int GetDateFormatW(LCID locale, DWORD flags, const SYSTEMTIME* date, LPCWSTR picture, LPWSTR text,
                   int textUnits);
