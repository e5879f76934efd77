// Whole numbers that arrive from script as doubles: truncated toward zero and held inside the
// int32 range, so that a huge, infinite or NaN value (NaN gives 0) never reaches a conversion
// whose result is undefined.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace Quor {

inline std::int32_t ScriptInt32(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  if (value <= kLowest) return std::numeric_limits<std::int32_t>::min();
  if (value >= kHighest) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace Quor
