// Locale information queries. Every locale answers from the user's description (user_locale.h).
#pragma once

#include "platform/win32/types.h"

using LCTYPE = DWORD;

constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

constexpr LCTYPE LOCALE_NOUSEROVERRIDE = 0x80000000;
constexpr LCTYPE LOCALE_IDEFAULTCODEPAGE = 0x0B;
constexpr LCTYPE LOCALE_SLIST = 0x0C;
constexpr LCTYPE LOCALE_SDECIMAL = 0x0E;
constexpr LCTYPE LOCALE_STHOUSAND = 0x0F;
constexpr LCTYPE LOCALE_SDATE = 0x1D;
constexpr LCTYPE LOCALE_STIME = 0x1E;
constexpr LCTYPE LOCALE_SSHORTDATE = 0x1F;
constexpr LCTYPE LOCALE_SLONGDATE = 0x20;
constexpr LCTYPE LOCALE_ITIME = 0x23;
constexpr LCTYPE LOCALE_S1159 = 0x28;
constexpr LCTYPE LOCALE_S2359 = 0x29;
constexpr LCTYPE LOCALE_STIMEFORMAT = 0x1003;
constexpr LCTYPE LOCALE_ITIMEMARKPOSN = 0x1005;

// Units (or bytes) written with the NUL; 0 on failure: ERROR_INSUFFICIENT_BUFFER when the text
// does not fit, ERROR_INVALID_FLAGS for an unknown type.
int GetLocaleInfoW(LCID locale, LCTYPE type, LPWSTR data, int dataUnits);
// The text in the ANSI code page.
int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int dataBytes);
