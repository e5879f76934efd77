// Rhyth::EngValue: a number in a base unit written in engineering notation: a mantissa in
// [1, 1000) and a power of ten that is a multiple of 3, shown as an SI prefix letter before the
// unit (0.0523 s as "52.3 ms"). The report writes every figure through it. A plain value type.
//
// The text is always written in the classic locale, whatever the process's global locale, and a
// value that is not finite is written "n/a" without a unit.
#pragma once

#include <cstdint>
#include <string>

namespace Rhyth {

// 10 to the power n, by repeated squaring.
double PowerOfTen(int32_t n);

class EngValue {
 public:
  EngValue(double value, std::wstring unit);

  // The value at prefix exponent `exponent` (clamped to -24..24): `precision` significant
  // digits (general notation) or digits after the point (`fixed`); a negative precision keeps
  // the stream's 6. An empty `unit` means the value's own.
  void Format(std::wstring& out, int32_t exponent, int32_t precision, bool fixed,
              const std::wstring& unit) const;
  // Four significant digits at the value's own prefix; at no prefix when there is no unit.
  void ToText(std::wstring& out, const std::wstring& unit) const;

  double mantissa = 0;
  int32_t exponent = 0;
  std::wstring unit;
};

}  // namespace Rhyth
