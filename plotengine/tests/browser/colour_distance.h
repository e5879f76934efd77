// Telling composed page colours apart: the plot tests probe pixels that antialiasing and
// translucent fills blend, so a colour is judged by which wanted colour it lies nearest.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace Quor {

using Rgb = std::array<int, 3>;

// Squared distance between colours.
inline int ColourDistance(const Rgb& a, const Rgb& b) {
  int sum = 0;
  for (int i = 0; i < 3; ++i) sum += (a[i] - b[i]) * (a[i] - b[i]);
  return sum;
}

// True when `seen` is nearer to `wanted` than to each of `others`.
inline bool NearestOf(const Rgb& seen, const Rgb& wanted, const std::vector<Rgb>& others) {
  for (const Rgb& other : others) {
    if (ColourDistance(seen, other) <= ColourDistance(seen, wanted)) return false;
  }
  return true;
}

inline std::string RgbText(const Rgb& colour) {
  return std::to_string(colour[0]) + "," + std::to_string(colour[1]) + "," +
         std::to_string(colour[2]);
}

}  // namespace Quor
