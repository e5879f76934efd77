#include "analysis/detection/moving_average.h"

#include <gtest/gtest.h>

namespace {

TEST(MovingAverage, TrailsItsInputAndStartsWithTheFirstMean) {
  const std::vector<double> values = {1, 2, 3, 4, 5, 9};
  const struct {
    std::size_t length;
    std::vector<double> expected;
  } cases[] = {
      {3, {2, 2, 2, 3, 4, 6}},
      {1, values},
      {0, values},  // counts as 1
      {6, {4, 4, 4, 4, 4, 4}},
      {7, {}},  // more than there are values
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Rhyth::MovingAverage(values, c.length), c.expected) << "length " << c.length;
  }
}

}  // namespace
