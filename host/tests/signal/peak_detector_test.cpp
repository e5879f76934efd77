// cmpeakdet: one event per excursion, at its maximum; the minimum period and the hysteresis.
#include <gtest/gtest.h>

#include "host/channels/peak_detector.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost {
namespace {

struct Bump {
  int64_t tick;
  float height;
};

// Triangular bumps five ticks wide on a zero line.
std::vector<float> Bumps(std::size_t length, std::initializer_list<Bump> bumps) {
  std::vector<float> x(length, 0.0f);
  for (const Bump& b : bumps) {
    for (int64_t k = -2; k <= 2; ++k) x[b.tick + k] = b.height * (1.0f - 0.3f * static_cast<float>(std::abs(k)));
  }
  return x;
}

std::vector<int64_t> Detect(const std::vector<float>& x, double height, double hysteresis, int64_t period) {
  PeakDetector detector({height, hysteresis, period});
  EventRecords events;
  detector.Feed(0, x, events);
  detector.Finish(events);
  std::vector<int64_t> ticks;
  for (std::size_t i = 0; i < events.Count(); ++i) ticks.push_back(events.Tick(i));
  return ticks;
}

TEST(PeakDetector, MinimumPeriodKeepsTheHigherOfTwoClosePeaks) {
  struct Case {
    const char* what;
    std::vector<float> x;
    int64_t period;
    std::vector<int64_t> expected;
  };
  const Case cases[] = {
      {"apart", Bumps(200, {{20, 5}, {60, 4}, {100, 6}}), 30, {20, 60, 100}},
      {"second higher", Bumps(200, {{20, 5}, {40, 6}}), 30, {40}},
      {"first higher", Bumps(200, {{20, 6}, {40, 5}}), 30, {20}},
      {"chain", Bumps(200, {{20, 5}, {40, 6}, {60, 7}, {100, 4}}), 30, {60, 100}},
      {"exactly the period", Bumps(200, {{20, 5}, {50, 4}}), 30, {20, 50}},
      {"no period", Bumps(200, {{20, 5}, {30, 4}}), 0, {20, 30}},
      {"at the end", Bumps(100, {{97, 5}}), 30, {97}},
  };
  for (const Case& c : cases) EXPECT_EQ(Detect(c.x, 3.0, 0.3, c.period), c.expected) << c.what;
}

TEST(PeakDetector, HysteresisKeepsOneExcursionThroughAShallowDip) {
  // Above 3, a dip to 2.5, above 3 again: one excursion while the dip stays above 3 - 30% = 2.1.
  std::vector<float> x(60, 0.0f);
  const float shallow[] = {4.0f, 5.0f, 4.0f, 2.5f, 4.0f, 6.0f, 4.0f, 0.0f};
  std::copy(std::begin(shallow), std::end(shallow), x.begin() + 10);
  EXPECT_EQ(Detect(x, 3.0, 0.3, 0), (std::vector<int64_t>{15}));
  EXPECT_EQ(Detect(x, 3.0, 0.1, 0), (std::vector<int64_t>{11, 15}));
}

TEST(PeakDetector, FeedingInPiecesGivesTheSameEventsAndSettlesBehindPendingPeaks) {
  const std::vector<float> x = Bumps(300, {{20, 5}, {40, 6}, {150, 4}, {290, 5}});
  PeakDetector detector({3.0, 0.3, 30});
  EventRecords events;
  detector.Feed(0, std::span<const float>(x).first(45), events);
  EXPECT_EQ(events.Count(), 0u);
  EXPECT_EQ(detector.SettledTick(), 40);  // the peak at 40 may still lose to a higher one
  detector.Feed(45, std::span<const float>(x).subspan(45, 155), events);
  EXPECT_EQ(events.Count(), 2u);
  EXPECT_EQ(detector.SettledTick(), 200);
  detector.Feed(200, std::span<const float>(x).subspan(200), events);
  detector.Finish(events);
  ASSERT_EQ(events.Count(), 3u);
  EXPECT_EQ(events.Tick(0), 40);
  EXPECT_EQ(events.Value(0), 6.0);
  EXPECT_EQ(events.Tick(2), 290);
}

}  // namespace
}  // namespace PendrelHost
