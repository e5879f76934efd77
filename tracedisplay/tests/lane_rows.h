// Where a drawer given a vertical scale puts a value: row floor((v + offset) x gain) of its
// lane, row 0 at the lane's top. Tests check the scale a lane handed its drawers by the rows the
// ends of a range land on.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

inline long RowOfValue(std::pair<double, double> gainOffset, double value) {
  return long(std::floor((value + gainOffset.second) * gainOffset.first));
}

// The scale shows [low, high] over the lane: high on the top row, low on the bottom row.
inline testing::AssertionResult SpansLane(std::pair<double, double> gainOffset, double low,
                                          double high, long height) {
  const long top = RowOfValue(gainOffset, high), bottom = RowOfValue(gainOffset, low);
  if (top == 0 && bottom == height - 1) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "[" << low << ", " << high << "] lies on rows " << top
                                     << " to " << bottom << " of a lane " << height << " high";
}
