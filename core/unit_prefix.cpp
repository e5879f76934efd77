#include "core/unit_prefix.h"

#include <iterator>
#include <optional>
#include <span>

namespace {

struct PrefixPower {
  WCHAR letter;
  int power;
};

constexpr PrefixPower kPrefixPowers[] = {
    {u'E', 18}, {u'P', 15}, {u'T', 12},  {u'G', 9},   {u'M', 6},    {u'k', 3},  {u'm', -3},
    {u'u', -6}, {kMicroSign, -6},        {u'n', -9},  {u'p', -12},  {u'f', -15}, {u'a', -18},
};
// Known to the exponent only: factors and scales treat them as unknown letters.
constexpr PrefixPower kExtremePrefixPowers[] = {{u'Y', 24}, {u'Z', 21}, {u'z', -21}, {u'y', -24}};

// The letters of the prefix indices 0 to 14; 0 where an index has none.
constexpr WCHAR kIndexLetters[] = {u'?', 0,    u'a', u'f', u'p', u'n', kMicroSign, u'm',
                                   0,    u'k', u'M', u'G', u'T', u'P', u'E'};

// The letters of the host values 0 to 11.
constexpr WCHAR kHostValueLetters[] = {0,    0,          u'a', u'f', u'p', u'n',
                                       kMicroSign, u'm', 0,    u'k', u'M', u'G'};

constexpr WCHAR kNoBreakSpace = u'\u00A0';

std::optional<int> FindPower(std::span<const PrefixPower> table, WCHAR letter) {
  for (const PrefixPower& entry : table) {
    if (entry.letter == letter) return entry.power;
  }
  return std::nullopt;
}

// By squaring over the bits of the power, so every factor up to 1e18 is exact.
double TenToThe(int power) {
  double result = 1.0;
  double square = 10.0;
  for (unsigned bits = power < 0 ? -power : power; bits; bits >>= 1) {
    if (bits & 1) result *= square;
    square *= square;
  }
  return power < 0 ? 1.0 / result : result;
}

}  // namespace

WCHAR UnitPrefixLetter(DWORD index) {
  return index < std::size(kIndexLetters) ? kIndexLetters[index] : u'?';
}

int UnitPrefixExponent(WCHAR letter) {
  if (auto power = FindPower(kPrefixPowers, letter)) return *power;
  return FindPower(kExtremePrefixPowers, letter).value_or(0);
}

double UnitPrefixFactor(WCHAR letter) { return TenToThe(FindPower(kPrefixPowers, letter).value_or(0)); }

double UnitPrefixScale(WCHAR letter) {
  if (letter == 0 || letter == kNoBreakSpace) return 1.0;
  const std::optional<int> power = FindPower(kPrefixPowers, letter);
  return power ? TenToThe(-*power) : 0.0;
}

DWORD UnitPrefixHostValue(WCHAR letter) {
  if (letter == 0) return kHostUnitPrefixNone;
  if (letter == u'u') letter = kMicroSign;
  for (DWORD value = 2; value < std::size(kHostValueLetters); ++value) {
    if (kHostValueLetters[value] == letter) return value;
  }
  return 0;
}

WCHAR UnitPrefixFromHostValue(DWORD value) {
  return value < std::size(kHostValueLetters) ? kHostValueLetters[value] : 0;
}
