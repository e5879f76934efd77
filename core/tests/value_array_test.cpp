#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/array_ctor.h"
#include "core/sorted_array.h"

namespace {

using ZeroedArray = CArrayCtorInit<DWORD, 1, 1>;
using SortedSet = Quor::SortedArray<ULONG, 1, std::less<ULONG>, std::equal_to<ULONG>>;

std::vector<ULONG> ValuesOf(const SortedSet& set) { return {set.begin(), set.end()}; }

TEST(CArrayCtorInit, SetSizeGrowsByDoublingAtLeast) {
  struct Case {
    DWORD size;
    DWORD expectedCapacity;
  };
  // One array, grown step by step: the larger of size + 1 and twice the capacity.
  const Case cases[] = {{1, 2}, {2, 2}, {3, 4}, {5, 8}, {8, 8}, {20, 21}, {22, 42}};
  ZeroedArray array;
  for (const Case& c : cases) {
    EXPECT_TRUE(array.SetSize(c.size));
    EXPECT_EQ(array.GetCapacity(), c.expectedCapacity) << "size " << c.size;
    EXPECT_EQ(array.GetCount(), c.size);
  }
  EXPECT_TRUE(array.SetSize(3));  // never shrinks
  EXPECT_EQ(array.GetCount(), 22u);
}

TEST(CArrayCtorInit, NewElementsAreZero) {
  ZeroedArray array;
  array.SetSize(4);
  for (DWORD& v : array) v = 0xDEADBEEF;
  array.RemoveAll();
  array.SetSize(3);
  for (DWORD v : array) EXPECT_EQ(v, 0u);
  array.Reallocate(10);
  array.ConstructTo(6);
  EXPECT_EQ(array.GetCount(), 6u);
  for (DWORD v : array) EXPECT_EQ(v, 0u);
  array.ConstructTo(50);  // within the present capacity only
  EXPECT_EQ(array.GetCount(), 10u);
}

TEST(CArrayCtorInit, ReallocatingBelowTheCountClampsIt) {
  ZeroedArray array;
  for (DWORD v = 1; v <= 5; ++v) array.Add(v);
  array.Reallocate(2);
  EXPECT_EQ(array.GetCapacity(), 2u);
  ASSERT_EQ(array.GetCount(), 2u);
  EXPECT_EQ(array[1], 2u);
}

TEST(CArrayCtorInit, ElementsWithTheirOwnMemory) {
  CArrayCtorInit<std::u16string, 1, 1> array;
  array.Add(u"a long text that does not fit in the string object itself");
  array.Add(u"second");
  array.InsertAt(0, array[1]);  // an element of the array itself
  array.SetSize(5);
  ASSERT_EQ(array.GetCount(), 5u);
  EXPECT_EQ(array[0], u"second");
  EXPECT_TRUE(array[4].empty());
  array.RemoveAt(1);
  EXPECT_EQ(array[1], u"second");
  array.Reallocate(2);
  EXPECT_EQ(array.GetCount(), 2u);
}

TEST(SortedArray, InsertKeepsOrderAndHoldsEachValueOnce) {
  SortedSet set;
  for (ULONG v : {5u, 1u, 0xFFFFFFFFu, 3u}) EXPECT_TRUE(set.Insert(v));
  EXPECT_FALSE(set.Insert(3));
  EXPECT_EQ(ValuesOf(set), (std::vector<ULONG>{1, 3, 5, 0xFFFFFFFF}));
}

TEST(SortedArray, FindAndRemove) {
  SortedSet set;
  for (ULONG v : {10u, 20u, 30u}) set.Insert(v);
  EXPECT_EQ(set.Find(20), 1);
  EXPECT_EQ(set.Find(25), -1);
  EXPECT_EQ(set.Find(0), -1);
  EXPECT_TRUE(set.Remove(20));
  EXPECT_FALSE(set.Remove(20));
  EXPECT_EQ(ValuesOf(set), (std::vector<ULONG>{10, 30}));
  EXPECT_EQ(set.Find(30), 1);
}

TEST(SortedArray, GrowsLikeItsValueArray) {
  SortedSet set;
  set.Insert(1);
  EXPECT_EQ(set.GetCapacity(), 2u);
  set.Insert(2);
  set.Insert(3);
  EXPECT_EQ(set.GetCapacity(), 4u);
}

}  // namespace
