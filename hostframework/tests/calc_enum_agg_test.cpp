#include "hostframework/calcenums/calc_enum_agg.h"

#include <gtest/gtest.h>

#include "core/com_ptr.h"
#include "hostframework/tests/crossing_algorithm.h"

namespace {

using Aggregated = CalcEnums::CalcEnumAgg<testing_algorithm::CrossingEnumerator>;

// An outer object that counts its references and hands every interface but IUnknown to the
// enumerator inside it.
class Outer final : public IUnknown {
 public:
  Outer() : m_enumerator(new Aggregated(this, nullptr)) {}
  ~Outer() { m_enumerator->InnerUnknown()->Release(); }

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (iid == IUnknown::iid) {
      *object = static_cast<IUnknown*>(this);
      AddRef();
      return S_OK;
    }
    return m_enumerator->InnerUnknown()->QueryInterface(iid, object);
  }
  ULONG AddRef() override { return ++count; }
  ULONG Release() override { return --count; }

  Aggregated* m_enumerator;
  ULONG count = 1;
};

TEST(CalcEnumAgg, InterfacesCountOnTheOuterObjectAndTheInnerUnknownIsItself) {
  Outer outer;
  IUnknown* inner = outer.m_enumerator->InnerUnknown();
  IUnknown* unknown = nullptr;
  ASSERT_EQ(inner->QueryInterface(IUnknown::iid, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(unknown, inner);
  unknown->Release();

  ICalcEnum* calc = nullptr;
  ASSERT_EQ(inner->QueryInterface(ICalcEnum::iid, reinterpret_cast<void**>(&calc)), S_OK);
  EXPECT_EQ(outer.count, 2u);
  IUnknown* identity = nullptr;
  ASSERT_EQ(calc->QueryInterface(IUnknown::iid, reinterpret_cast<void**>(&identity)), S_OK);
  EXPECT_EQ(identity, static_cast<IUnknown*>(&outer));
  identity->Release();
  calc->Release();
  EXPECT_EQ(outer.count, 1u);
}

TEST(CalcEnumAgg, WithoutAnOuterObjectItIsItsOwn) {
  auto* enumerator = new Aggregated(nullptr, nullptr);
  IUnknown* inner = enumerator->InnerUnknown();
  IEnumEventEx* events = nullptr;
  ASSERT_EQ(inner->QueryInterface(IEnumEventEx::iid, reinterpret_cast<void**>(&events)), S_OK);
  EXPECT_EQ(inner->Release(), 1u);
  EXPECT_EQ(events->Release(), 0u);  // the last reference deletes it (ASan would tell)
}

}  // namespace
