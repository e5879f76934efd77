// The non-finite doubles that tests feed in and expect back.
#pragma once

#include <limits>

namespace testing_values {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace testing_values
