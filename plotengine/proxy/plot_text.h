// Small text helpers of the plot model: numbers as a default-formatted stream writes them
// (six significant digits, classic locale) and plot ids compared without regard to case.
#pragma once

#include <string>
#include <string_view>

namespace Quor {

std::string StreamNumberText(double value);
// Equal lengths and equal UTF-16 units after case folding.
bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace Quor
