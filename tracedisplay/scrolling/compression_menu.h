// The compression menu of a data pane's zoom control: its 21 ids (1130 to 1150), the
// compression (ticks per pixel) each stands for, and the text a compression is shown as.
#pragma once

#include <string>

#include "core/quor_rational.h"

namespace PendrelDraw {

inline constexpr int kFirstCompressionMenuId = 1130;
inline constexpr int kCompressionMenuEndId = 1151;  // one past the last

// "x10" for 1/10, "20:1", "5k:1" for 5000; "x?" for 0; three significant digits.
std::u16string FormatRatio(LONGLONG numerator, LONGLONG denominator);
// The normalised ratio of a menu id; 0/1 for an id outside the menu.
QuorRational MenuRatio(int id);

}  // namespace PendrelDraw
