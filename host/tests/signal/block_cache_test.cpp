// The block cache keeps to its budget, dropping the least recently used blocks, and a chain
// evaluated through a small cache gives what it gives through a large one.
#include "host/channels/block_cache.h"

#include <gtest/gtest.h>

#include "host/recording/synthetic_ecg.h"
#include "host/tests/signal/signal_test_support.h"

namespace PendrelHost {
namespace {

TEST(BlockCache, DropsTheLeastRecentlyUsedBlocksBeyondItsBudget) {
  BlockCache cache(3 * 100 * sizeof(float));
  const uint64_t owner = cache.NewOwner();
  for (int64_t block = 0; block < 3; ++block) cache.Store({owner, 0, block}, BlockValues(100, 1.0f));
  ASSERT_TRUE(cache.Find({owner, 0, 0}));  // now the most recent
  cache.Store({owner, 0, 3}, BlockValues(100, 2.0f));
  EXPECT_TRUE(cache.Find({owner, 0, 0}));
  EXPECT_FALSE(cache.Find({owner, 0, 1}));
  EXPECT_TRUE(cache.Find({owner, 0, 2}));
  EXPECT_LE(cache.BytesHeld() + cache.SpareBytes(), 3 * 100 * sizeof(float));

  const uint64_t other = cache.NewOwner();
  cache.Store({other, 1, 0}, BlockValues(10, 3.0f));
  cache.DropOwner(owner);
  EXPECT_FALSE(cache.Find({owner, 0, 0}));
  EXPECT_EQ((*cache.Find({other, 1, 0}))[0], 3.0f);
  EXPECT_EQ(cache.BytesHeld(), 10 * sizeof(float));
  EXPECT_LE(cache.BytesHeld() + cache.SpareBytes(), 3 * 100 * sizeof(float));
  // A new block reuses the storage of a dropped one.
  EXPECT_EQ(cache.Take(50).capacity(), 100u);
}

TEST(BlockCache, AChainThroughASmallCacheHoldsLittleAndFindsTheSameEvents) {
  SyntheticEcgSettings settings;
  settings.duration = 120.0;
  const SyntheticEcg ecg = MakeSyntheticEcg(settings);
  const EventEnumeratorRegistry registry;
  const auto detect = [&](std::size_t budget, std::size_t& held) {
    ComputedChannels channels(ecg.recording, registry, budget);
    Testing::DefineDetectionChain(channels, settings.sampleRate);
    const std::vector<int64_t> ticks = Testing::EventTicks(channels.Channel(*channels.Find("Rhyth_vDET")));
    held = channels.Cache().BytesHeld() + channels.Cache().SpareBytes();
    return ticks;
  };
  std::size_t smallHeld = 0, largeHeld = 0;
  const std::size_t smallBudget = 1 << 20;
  const std::vector<int64_t> small = detect(smallBudget, smallHeld);
  const std::vector<int64_t> large = detect(ComputedChannels::kDefaultCacheBytes, largeHeld);
  EXPECT_EQ(small, large);
  EXPECT_GT(small.size(), 100u);
  EXPECT_LE(smallHeld, smallBudget);
  EXPECT_GT(largeHeld, smallBudget);
}

}  // namespace
}  // namespace PendrelHost
