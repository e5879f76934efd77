#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/array_void_p.h"
#include "core/ci_array.h"

namespace {

// Counts its deletions in a counter that the test owns.
class Tracked {
 public:
  explicit Tracked(int& deletions) : m_deletions(deletions) {}
  virtual ~Tracked() { ++m_deletions; }

 private:
  int& m_deletions;
};

class TrackedChild : public Tracked {
 public:
  TrackedChild(int& deletions, int& childDeletions)
      : Tracked(deletions), m_childDeletions(childDeletions) {}
  ~TrackedChild() override { ++m_childDeletions; }

 private:
  int& m_childDeletions;
};

using OwningArray = CIArray<Tracked, CIArray_CallDelete<Tracked>>;
using ReferringArray = CIArray<Tracked, CIArray_NeverCallDeleteAtRuntime<Tracked>>;

TEST(CArrayVoidP, GrowthSteps) {
  struct Case {
    DWORD capacity;
    bool doubling;
    DWORD size;
    DWORD expected;
  };
  const Case cases[] = {
      {0, true, 1, 8},     {0, true, 8, 16},    {0, true, 7, 8},   {40, true, 41, 80},
      {40, false, 41, 48}, {40, true, 100, 104}, {16, true, 16, 16}, {8, false, 9, 16},
  };
  for (const Case& c : cases) {
    CArrayVoidP array;
    array.SetDoubling(c.doubling);
    array.Reallocate(c.capacity);
    array.SetSize(c.size);
    EXPECT_EQ(array.GetCapacity(), c.expected)
        << "capacity " << c.capacity << ", size " << c.size << ", doubling " << c.doubling;
    EXPECT_EQ(array.GetCount(), c.size);
  }
}

TEST(CArrayVoidP, SetSizeOnlyGrowsAndNullsNewSlots) {
  int values[3] = {};
  CArrayVoidP array;
  for (int& v : values) array.Add(&v);
  array.SetSize(1);
  EXPECT_EQ(array.GetCount(), 3u);
  array.SetSize(5);
  EXPECT_EQ(array[2], &values[2]);
  EXPECT_EQ(array[3], nullptr);
  EXPECT_EQ(array[4], nullptr);
}

TEST(CArrayVoidP, ElementAtGrow) {
  CArrayVoidP array;
  int value = 0;
  *array.ElementAtGrow(0) = &value;
  EXPECT_EQ(array.GetCapacity(), 8u);  // grow-by + index
  EXPECT_EQ(array.GetCount(), 1u);
  *array.ElementAtGrow(10) = &value;
  EXPECT_EQ(array.GetCapacity(), 18u);  // grow-by + 10, more than twice 8
  EXPECT_EQ(array.GetCount(), 11u);
  EXPECT_EQ(array[5], nullptr);
  EXPECT_EQ(array[10], &value);
  EXPECT_EQ(array.ElementAtGrow(3), array.ElementAtGrow(3));
  EXPECT_EQ(array.GetCount(), 11u);
}

TEST(CArrayVoidP, ReallocatingBelowTheCountClampsIt) {
  int values[5] = {};
  CArrayVoidP array;
  for (int& v : values) array.Add(&v);
  array.Reallocate(2);
  EXPECT_EQ(array.GetCapacity(), 2u);
  EXPECT_EQ(array.GetCount(), 2u);
  EXPECT_EQ(array[1], &values[1]);
  array.Add(&values[4]);
  EXPECT_EQ(array.GetCount(), 3u);
  EXPECT_EQ(array[2], &values[4]);
}

TEST(CArrayVoidP, RemoveAtIndexOfAndRemoveAll) {
  int values[3] = {};
  CArrayVoidP array;
  for (int& v : values) array.Add(&v);
  array.Add(&values[0]);
  EXPECT_EQ(array.IndexOf(&values[0]), 0);  // held twice: the first index
  EXPECT_EQ(array.IndexOf(nullptr), -1);
  array.RemoveAt(1);
  array.RemoveAt(7);
  ASSERT_EQ(array.GetCount(), 3u);
  EXPECT_EQ(array[1], &values[2]);
  array.RemoveAll();
  EXPECT_EQ(array.GetCount(), 0u);
  EXPECT_EQ(array.GetCapacity(), 8u);
}

TEST(CIArray, DeletesItsElements) {
  int deletions = 0;
  int childDeletions = 0;
  {
    OwningArray array;
    array.Add(new Tracked(deletions));
    array.Add(new TrackedChild(deletions, childDeletions));  // through the virtual destructor
    array.Add(nullptr);
    array.Add(new Tracked(deletions));
  }
  EXPECT_EQ(deletions, 3);
  EXPECT_EQ(childDeletions, 1);
}

TEST(CIArray, RemovalDeletesWhatLeaves) {
  int deletions = 0;
  OwningArray array;
  for (int i = 0; i < 5; ++i) array.Add(new Tracked(deletions));
  Tracked* third = array[2];
  array.RemoveAt(1);
  EXPECT_EQ(deletions, 1);
  EXPECT_EQ(array.GetCount(), 4u);
  EXPECT_EQ(array[1], third);

  array.DeleteRange(2, 10);  // slots 2 and 3: deleted and nulled, the count stays
  EXPECT_EQ(deletions, 3);
  EXPECT_EQ(array.GetCount(), 4u);
  EXPECT_EQ(array[2], nullptr);
  EXPECT_EQ(array[3], nullptr);

  array.Reallocate(1);  // slot 1 leaves
  EXPECT_EQ(deletions, 4);
  EXPECT_EQ(array.GetCount(), 1u);
  array.RemoveAll();
  EXPECT_EQ(deletions, 5);
  EXPECT_EQ(array.GetCount(), 0u);
}

TEST(CIArray, WithoutTheOwnsFlagNothingIsDeleted) {
  int deletions = 0;
  std::vector<std::unique_ptr<Tracked>> owner;
  {
    OwningArray array;
    array.SetOwnsElements(false);
    for (int i = 0; i < 3; ++i) {
      owner.push_back(std::make_unique<Tracked>(deletions));
      array.Add(owner.back().get());
    }
    array.DeleteRange(0, 3);
    EXPECT_EQ(array[0], owner[0].get());
    array.RemoveAt(0);
    array.Reallocate(1);
  }
  EXPECT_EQ(deletions, 0);
}

TEST(CIArray, NeverCallDeleteAtRuntimeNeverDeletes) {
  int deletions = 0;
  std::vector<std::unique_ptr<Tracked>> owner;
  {
    ReferringArray array;
    EXPECT_TRUE(array.OwnsElements());
    for (int i = 0; i < 4; ++i) {
      owner.push_back(std::make_unique<Tracked>(deletions));
      array.Add(owner.back().get());
    }
    array.RemoveAt(3);
    array.DeleteRange(0, 1);
    array.Reallocate(2);
    array.RemoveAll();
    for (auto& element : owner) array.Add(element.get());
  }
  EXPECT_EQ(deletions, 0);
}

TEST(CIArray, IndexOfGivesTheFirstSlot) {
  int deletions = 0;
  Tracked element(deletions);
  Tracked other(deletions);
  ReferringArray array;
  array.Add(&other);
  array.Add(&element);
  array.Add(&element);
  EXPECT_EQ(array.IndexOf(&element), 1);
  EXPECT_EQ(array.IndexOf(nullptr), -1);
}

}  // namespace
