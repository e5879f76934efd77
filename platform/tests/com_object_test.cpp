#include "platform/win32/com_object.h"

#include <gtest/gtest.h>

namespace {

struct IFirst : IUnknown {
  PLATFORM_INTERFACE_ID("aaaaaaaa-0000-0000-0000-000000000001");
  using Base = IUnknown;
  virtual int First() = 0;
};

struct IFirstExtended : IFirst {
  PLATFORM_INTERFACE_ID("aaaaaaaa-0000-0000-0000-000000000002");
  using Base = IFirst;
  virtual int Extended() = 0;
};

struct ISecond : IUnknown {
  PLATFORM_INTERFACE_ID("aaaaaaaa-0000-0000-0000-000000000003");
  using Base = IUnknown;
  virtual int Second() = 0;
};

struct IOther : IUnknown {
  PLATFORM_INTERFACE_ID("aaaaaaaa-0000-0000-0000-000000000004");
};

template <LONG Initial>
class TwoFaces : public SimpleUnknownImp2<IFirstExtended, ISecond, Initial> {
 public:
  explicit TwoFaces(bool* deleted) : m_deleted(deleted) {}
  ~TwoFaces() override { *m_deleted = true; }
  int First() override { return 1; }
  int Extended() override { return 2; }
  int Second() override { return 3; }
  LONG Count() const { return this->m_refCount; }

 private:
  bool* m_deleted;
};

TEST(SimpleUnknownImp, CountsFromItsInitialValueAndDeletesAtZero) {
  bool deleted = false;
  auto* fromZero = new TwoFaces<0>(&deleted);
  EXPECT_EQ(fromZero->Count(), 0);
  EXPECT_EQ(static_cast<IFirst*>(fromZero)->AddRef(), 1u);
  EXPECT_EQ(static_cast<IFirst*>(fromZero)->Release(), 0u);
  EXPECT_TRUE(deleted);

  deleted = false;
  auto* fromOne = new TwoFaces<1>(&deleted);
  EXPECT_EQ(fromOne->Count(), 1);
  static_cast<ISecond*>(fromOne)->Release();
  EXPECT_TRUE(deleted);
}

TEST(SimpleUnknownImp, QueryInterfaceAnswersEveryFaceAndTheirBases) {
  bool deleted = false;
  auto* object = new TwoFaces<1>(&deleted);
  IFirstExtended* extended = object;
  void* out = nullptr;

  ASSERT_EQ(extended->QueryInterface(ISecond::iid, &out), S_OK);
  EXPECT_EQ(static_cast<ISecond*>(out)->Second(), 3);
  static_cast<ISecond*>(out)->Release();

  ASSERT_EQ(extended->QueryInterface(IFirst::iid, &out), S_OK);
  EXPECT_EQ(static_cast<IFirst*>(out)->First(), 1);
  static_cast<IFirst*>(out)->Release();

  ASSERT_EQ(extended->QueryInterface(IID_IUnknown, &out), S_OK);
  EXPECT_EQ(out, static_cast<IUnknown*>(static_cast<IFirstExtended*>(object)));
  static_cast<IUnknown*>(out)->Release();

  EXPECT_EQ(extended->QueryInterface(IOther::iid, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(extended->QueryInterface(IOther::iid, nullptr), E_POINTER);

  EXPECT_EQ(object->Count(), 1);
  extended->Release();
  EXPECT_TRUE(deleted);
}

class Owned : public NoDeleteUnknownImp1<IFirst> {
 public:
  int First() override { return 7; }
};

TEST(NoDeleteUnknownImp, CountingLeavesLifetimeToTheOwner) {
  Owned owned;
  EXPECT_EQ(owned.AddRef(), 1u);
  EXPECT_EQ(owned.Release(), 1u);
  EXPECT_EQ(owned.Release(), 1u);
  void* out = nullptr;
  ASSERT_EQ(owned.QueryInterface(IFirst::iid, &out), S_OK);
  EXPECT_EQ(static_cast<IFirst*>(out)->First(), 7);
}

TEST(Guid, ParsesRegistryText) {
  constexpr GUID g = win32::ParseGuid("{00000000-0000-0000-C000-000000000046}");
  static_assert(g == IUnknown::iid);
  constexpr GUID h = win32::ParseGuid("12345678-9abc-def0-1122-334455667788");
  static_assert(h.Data1 == 0x12345678 && h.Data2 == 0x9abc && h.Data3 == 0xdef0);
  static_assert(h.Data4[0] == 0x11 && h.Data4[7] == 0x88);
}

}  // namespace
