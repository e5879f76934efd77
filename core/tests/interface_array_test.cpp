#include "core/iunknown_array.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/com_object.h"
#include "platform/win32/interlocked.h"

namespace {

struct IProbe : IUnknown {
  PLATFORM_INTERFACE_ID("5d0c1f2e-8a4b-4c61-9e27-3b7f0a9d6c15");
  using Base = IUnknown;
  virtual int Id() = 0;

 protected:
  ~IProbe() = default;
};

// Lives on the test's stack: counts references without ever deleting itself, and logs the
// order of its releases.
class Probe final : public IProbe {
 public:
  explicit Probe(int id, std::vector<int>* releases = nullptr) : m_id(id), m_releases(releases) {}

  HRESULT QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ULONG(InterlockedIncrement(&m_references)); }
  ULONG Release() override {
    if (m_releases) m_releases->push_back(m_id);
    return ULONG(InterlockedDecrement(&m_references));
  }
  int Id() override { return m_id; }
  LONG References() const { return m_references; }

 private:
  int m_id;
  std::vector<int>* m_releases;
  volatile LONG m_references = 1;  // the test's own
};

// Deletes itself when its last reference goes, counting the deletion.
class SelfDeleting final : public SimpleUnknownImp1<IProbe> {
 public:
  explicit SelfDeleting(int& deletions) : m_deletions(deletions) {}
  ~SelfDeleting() override { ++m_deletions; }
  int Id() override { return 0; }

 private:
  int& m_deletions;
};

TEST(InterfaceArray, AddingAddRefsAndDestructionReleases) {
  Probe a(1), b(2);
  {
    InterfaceArray<IProbe> array;
    array.Add(&a);
    array.Add(&b);
    array.Add(&a);
    array.Add(nullptr);
    EXPECT_EQ(a.References(), 3);
    EXPECT_EQ(b.References(), 2);
    EXPECT_EQ(array[1]->Id(), 2);
    EXPECT_EQ(array.IndexOf(&a), 0);
    EXPECT_EQ(array.GetCount(), 4u);
  }
  EXPECT_EQ(a.References(), 1);
  EXPECT_EQ(b.References(), 1);
}

TEST(InterfaceArray, TheArraysReferenceKeepsAnObjectAlive) {
  int deletions = 0;
  {
    InterfaceArray<IProbe> array;
    array.Add(new SelfDeleting(deletions));  // starts at 0: the array holds the only reference
    array.Add(new SelfDeleting(deletions));
    array.RemoveAt(0);
    EXPECT_EQ(deletions, 1);
  }
  EXPECT_EQ(deletions, 2);
}

TEST(InterfaceArray, RemoveAt) {
  Probe a(1), b(2), c(3);
  InterfaceArray<IProbe> array;
  for (Probe* p : {&a, &b, &c}) array.Add(p);
  array.RemoveAt(2);  // the last: released, no gap
  EXPECT_EQ(c.References(), 1);
  EXPECT_EQ(array.GetCount(), 2u);
  array.RemoveAt(2);  // past the end: nothing
  EXPECT_EQ(array.GetCount(), 2u);
  array.RemoveAt(0);
  EXPECT_EQ(a.References(), 1);
  ASSERT_EQ(array.GetCount(), 1u);
  EXPECT_EQ(array[0], &b);
}

TEST(InterfaceArray, CopyAddsOneReferenceToEachElement) {
  Probe a(1), c(3);
  InterfaceArray<IProbe> array;
  array.Add(&a);
  array.Add(nullptr);
  array.Add(&c);
  array.Reallocate(20);
  {
    InterfaceArray<IProbe> copy(array);
    EXPECT_EQ(a.References(), 3);
    EXPECT_EQ(c.References(), 3);
    EXPECT_EQ(copy.GetCount(), 3u);
    EXPECT_EQ(copy.GetCapacity(), 20u);
    EXPECT_EQ(copy[1], nullptr);
    EXPECT_EQ(copy[2], &c);
  }
  EXPECT_EQ(a.References(), 2);
  EXPECT_EQ(c.References(), 2);
}

TEST(InterfaceArray, ReleaseRangeReleasesLastFirstAndNullsTheSlots) {
  std::vector<int> releases;
  Probe a(1, &releases), b(2, &releases), c(3, &releases);
  InterfaceArray<IProbe> array;
  for (Probe* p : {&a, &b, &c}) array.Add(p);
  a.AddRef();
  EXPECT_EQ(array.ReleaseRange(0, 2), 2u);  // the last release is a's
  EXPECT_EQ(releases, (std::vector<int>{2, 1}));
  EXPECT_EQ(array.GetCount(), 3u);
  EXPECT_EQ(array[0], nullptr);
  EXPECT_EQ(array[1], nullptr);
  EXPECT_EQ(array.ReleaseRange(0, 2), 0u);  // nothing left there
  a.Release();
  array.RemoveAll();
  EXPECT_EQ(c.References(), 1);
}

TEST(InterfaceArray, ReallocatingBelowTheCountReleasesWhatIsCutOff) {
  Probe a(1), b(2), c(3);
  InterfaceArray<IProbe> array;
  for (Probe* p : {&a, &b, &c}) array.Add(p);
  array.Reallocate(1);
  EXPECT_EQ(array.GetCount(), 1u);
  EXPECT_EQ(a.References(), 2);
  EXPECT_EQ(b.References(), 1);
  EXPECT_EQ(c.References(), 1);
}

TEST(InterfaceArray, OfIUnknown) {
  Probe a(1);
  InterfaceArray<IUnknown> array;
  array.Add(&a);
  EXPECT_EQ(array[0], static_cast<IUnknown*>(&a));
  array.RemoveAll();
  EXPECT_EQ(a.References(), 1);
}

}  // namespace
