// SI prefix letters and their arithmetic. A unit text is a prefix letter before a base unit
// ("ms": m before s); µ is U+00B5, and 'u' is accepted for it where letters are read.
#pragma once

#include "platform/win32/types.h"

constexpr WCHAR kMicroSign = u'\u00B5';

// The letter of a unit entry's prefix index: 0 for the indices without one (1 and 8), '?' for
// the unknown prefix (0) and for any index outside the table.
WCHAR UnitPrefixLetter(DWORD index);

// The power of ten of a prefix letter, Y, Z, z and y included; 0 for any other character.
int UnitPrefixExponent(WCHAR letter);
// 10 to the power of the letter; 1.0 for Y, Z, z, y and any other character.
double UnitPrefixFactor(WCHAR letter);
// The factor that turns a value in base units into prefixed units (1000.0 for 'm'); 1.0 for no
// prefix (the character 0 or a no-break space), 0.0 for any other character.
double UnitPrefixScale(WCHAR letter);

// The prefix enumeration of the host's unit objects: 1 is no prefix; a to m are 2 to 7 and
// k, M, G are 9 to 11, as in the unit entry's index; T, P and E have no value there.
constexpr DWORD kHostUnitPrefixNone = 1;
// The host value of a prefix letter (0 for the character 0): 0 for a letter the host lacks.
DWORD UnitPrefixHostValue(WCHAR letter);
// The letter of a host value; 0 (no prefix) for any value without one.
WCHAR UnitPrefixFromHostValue(DWORD value);
