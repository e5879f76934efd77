// Numbers typed into entry fields: read in the classic locale ("." is the decimal point, so
// "1,5" is no number), and only as a whole: a text is a number when all of it is one.
#pragma once

#include <optional>
#include <string_view>

#include "platform/win32/types.h"

// The number the whole text spells, as the C library reads it (leading blanks allowed, "inf"
// and "nan" too); none when no character is read or some are left over.
std::optional<double> ParseWholeDouble(std::u16string_view text);
std::optional<long> ParseWholeLong(std::u16string_view text);

// `value` cut to `places` decimal places (negative: tens, hundreds ...), halves going up. The cut
// is made on the decimal digits of the value, so any number of places works, even where
// 10^places is beyond a double. Infinities and NaN come back unchanged.
double RoundToDecimalPlaces(double value, int places);
