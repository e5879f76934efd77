#include "core/storage/cluster_map.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/storage/chain_stream.h"
#include "core/storage/compound_file_format.h"
#include "core/storage/storage_allocator.h"
#include "core/xquor.h"
#include "storage_test_support.h"

namespace {

using namespace QuorCompoundFile;

std::vector<DWORD> FreeList(const ClusterMap& map, std::size_t limit = 5) {
  std::vector<DWORD> list;
  for (DWORD c = map.Next(kFreeListHead); c && list.size() < limit; c = map.Next(c))
    list.push_back(c);
  return list;
}

std::vector<DWORD> ReleaseList(const ClusterMap& map) {
  std::vector<DWORD> list;
  for (DWORD c = map.Next(kReleaseListHead); c; c = map.Next(c)) list.push_back(c);
  return list;
}

TEST(ClusterMap, StartsWithOneBlockOfFreeNumbersInOrder) {
  ClusterMap map;
  EXPECT_EQ(map.EntryCount(), 4096u);
  EXPECT_EQ(map.Prev(kFreeListHead), kFreeMark);
  EXPECT_EQ(map.Prev(kReleaseListHead), 0u);
  EXPECT_EQ(FreeList(map), (std::vector<DWORD>{2, 3, 4, 5, 6}));
  EXPECT_EQ(map.Prev(2), kFreeMark);
  EXPECT_EQ(map.Prev(3), kFreeMark | 2);
  EXPECT_EQ(map.Next(4095), 0u);

  // New numbers join the end of the free list, in order.
  map.TakeRun(2, 4094);
  map.GiveBack(100);
  ASSERT_TRUE(map.Grow());
  EXPECT_EQ(map.EntryCount(), 8192u);
  EXPECT_EQ(FreeList(map, 3), (std::vector<DWORD>{100, 4096, 4097}));
  EXPECT_EQ(map.Prev(4096), kFreeMark | 100);
}

// Where a chain's next cluster comes from: its neighbour, a cluster near its end, a new block
// for a long write at the end of the map, or the head of the free list.
TEST(ClusterMap, ChainsGrowIntoTheNearestFreeCluster) {
  struct Case {
    const char* what;
    DWORD last;  // the chain's end
    std::vector<DWORD>
        freed;  // given back after everything else was taken; the last heads the list
    ULONGLONG dataOffset;
    DWORD expected;
  } cases[] = {
      {"the neighbour", 500, {40, 501, 495}, 0, 501},
      {"the first free one from eight below", 500, {40, 507, 493, 492}, 0, 492},
      {"nothing near: the free-list head", 500, {40, 508}, 0, 508},
      {"nothing near: the free-list head", 500, {520, 40}, 0, 40},
      {"a long write at the map's end grows it", 4095, {40}, 0x500001, 4096},
      {"a shorter one takes the head", 4095, {40}, 0x500000, 40},
  };
  for (const Case& c : cases) {
    ClusterMap map;
    map.TakeRun(2, 4094);
    for (DWORD cluster : c.freed) map.GiveBack(cluster);
    EXPECT_EQ(map.AllocateAfter(c.last, c.dataOffset), c.expected) << c.what;
    EXPECT_EQ(map.Next(c.last), c.expected);
    EXPECT_EQ(map.Prev(c.expected), c.last);
    EXPECT_FALSE(map.IsFree(c.expected));
    EXPECT_TRUE(map.TakenSinceCommit(c.expected));
  }
}

TEST(ClusterMap, ReleasedClustersBecomeFreeAtTheEndOfTheTransaction) {
  ClusterMap map;
  map.TakeRun(2, 4);  // a chain 2, 3, 4, 5
  map.EndTransaction();
  EXPECT_FALSE(map.TakenSinceCommit(3));

  const DWORD fresh = map.TakeFreeHead();
  EXPECT_EQ(fresh, 6u);
  map.ReplaceInChain(3, fresh);  // replaced: to the end of the release list
  EXPECT_EQ(map.Next(2), fresh);
  EXPECT_EQ(map.Prev(4), fresh);
  map.ReleaseChainEnd(5);  // cut: to its head
  EXPECT_EQ(map.Next(4), 0u);
  EXPECT_EQ(ReleaseList(map), (std::vector<DWORD>{5, 3}));
  EXPECT_EQ(map.Prev(5), kReleaseListHead);
  EXPECT_EQ(map.Prev(3), 5u);
  EXPECT_FALSE(map.IsFree(3));

  map.EndTransaction();
  EXPECT_TRUE(ReleaseList(map).empty());
  EXPECT_EQ(FreeList(map, 3), (std::vector<DWORD>{5, 3, 7}));
  EXPECT_EQ(map.Prev(5), kFreeMark);
  EXPECT_EQ(map.Prev(3), kFreeMark | 5);
  EXPECT_EQ(map.Prev(7), kFreeMark | 3);
  EXPECT_FALSE(map.Changed());
}

TEST(ClusterMap, RunsAreConsecutiveNumbersInFreeListOrder) {
  ClusterMap map;
  map.TakeRun(2, 4094);
  for (DWORD cluster : {4095u, 4094u, 10u, 12u, 11u})
    map.GiveBack(cluster);  // list: 11 12 10 4094 4095
  EXPECT_EQ(map.FindFreeRun(2), 11u);
  EXPECT_EQ(map.FindFreeRun(3), 0u);
  DWORD start = 0;
  EXPECT_EQ(map.FreeStretchAtEnd(start), 2u);
  EXPECT_EQ(start, 4094u);
  EXPECT_TRUE(map.IsChainedRun(2, 8));
  EXPECT_FALSE(map.IsChainedRun(4, 8));  // 10 is free
  EXPECT_EQ(map.HighestInUse(), 4093u);
}

// A file whose every cluster is in use grows its map by a block and places the map there.
TEST(ClusterMap, AFullMapGrowsForItsOwnRun) {
  using namespace storage_test;
  MemoryFile file = NewMemoryFile();
  ComPtr<IStream> fill = CreateStream(file.root.Get(), u"Fill");
  // With the root's table, these take clusters 2 to 4095.
  ASSERT_EQ(fill->SetSize(Size(4093ull * kClusterSize)), S_OK);
  ASSERT_EQ(file.root->Commit(STGC_DEFAULT), S_OK);
  const CommittedFile committed(file.bytes->Bytes());
  EXPECT_EQ(committed.Header().mapEntryCount[0], 8192u);
  EXPECT_EQ(committed.Header().mapFirstCluster[0], 4096u);
  EXPECT_EQ(committed.Map()[4096].next, 4097u);
  EXPECT_EQ(committed.Map()[4097].prev, 4096u);
  EXPECT_EQ(committed.Map()[kFreeListHead].next, 4098u);
  EXPECT_EQ(committed.Child(u"Fill").size, 4093ull * kClusterSize);
}

// A map as a damaged file could hold it, had nothing checked it: one block, cluster 2 to 4 in
// use, the rest free in order, and `damage` applied.
std::vector<MapEntry> DamagedMap(const std::function<void(std::vector<MapEntry>&)>& damage) {
  std::vector<MapEntry> entries(kMapEntriesPerCluster);
  entries[kFreeListHead] = {5, kFreeMark};
  for (DWORD c = 5; c < entries.size(); ++c) {
    entries[c] = {c + 1 < entries.size() ? c + 1 : 0, kFreeMark | (c > 5 ? c - 1 : 0)};
  }
  damage(entries);
  return entries;
}

// Every walk along the links stops, with the damaged-file error, once it has taken more steps
// than the map has entries.
TEST(ClusterMap, WalksRoundADamagedMapStopWithTheDamagedFileError) {
  struct Case {
    const char* what;
    std::function<void(std::vector<MapEntry>&)> damage;
    std::function<void(ClusterMap&)> walk;
  } cases[] = {
      {"a chain that goes round, freed",
       [](auto& e) {
         e[2] = {3, 0}, e[3] = {2, 2};
       },
       [](ClusterMap& map) { map.FreeChain(2); }},
      {"a free list that goes round, searched", [](auto& e) { e[9].next = 6; },
       [](ClusterMap& map) { map.FindFreeRun(100); }},
      {"a release list that goes round, ended",
       [](auto& e) {
         e[1].next = 3, e[3] = {4, 1}, e[4] = {3, 3};
       },
       [](ClusterMap& map) { map.EndTransaction(); }},
  };
  for (const Case& c : cases) {
    ClusterMap map(DamagedMap(c.damage), kMaxMapEntries);
    try {
      c.walk(map);
      ADD_FAILURE() << c.what << ": no error";
    } catch (const XQuor& error) {
      EXPECT_EQ(error.Code(), STG_E_DOCFILECORRUPT) << c.what;
    }
  }
}

// A size far beyond its chain is not walked cluster by cluster.
TEST(ClusterMap, AChainShorterThanItsSizeIsNotWalkedToTheSize) {
  Quor::ComPtr<MemoryLockBytes> bytes;
  bytes.Attach(new MemoryLockBytes);
  StorageAllocator allocator(bytes.Get());
  Element element(u"Damaged", STGTY_STREAM, nullptr);
  element.SetFirstCluster(allocator.TakeFreeHead());
  element.SetEnd(0xFFFFFFFF000000, element.FirstCluster());
  EXPECT_THROW(ChainStream(allocator, element).SetSize(40000), XQuor);
  char buffer[4];
  ULONG read = 0;
  EXPECT_THROW(ChainStream(allocator, element, 0xFFFFFFFF000000 - 4).Read(buffer, 4, read), XQuor);
}

}  // namespace
