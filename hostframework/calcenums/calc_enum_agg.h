// An enumerator that can live inside an outer object (COM aggregation): its interfaces hand
// every IUnknown call to the outer object, and its own identity and lifetime are answered by
// its inner, non-delegating IUnknown, which the outer object holds.
#pragma once

#include <utility>

#include "core/non_delegating_unknown.h"

namespace CalcEnums {

template <class E>
class CalcEnumAgg final : public E {
 public:
  // Without an outer object the enumerator is its own outer object.
  template <class... Args>
  explicit CalcEnumAgg(IUnknown* outer, Args&&... args)
      : E(std::forward<Args>(args)...), m_inner(this), m_outer(outer ? outer : &m_inner) {}

  // The unknown that the creator hands to the outer object, with the creation reference.
  IUnknown* InnerUnknown() { return &m_inner; }

  HRESULT QueryInterface(REFIID iid, void** object) override {
    return m_outer->QueryInterface(iid, object);
  }
  ULONG AddRef() override { return m_outer->AddRef(); }
  ULONG Release() override { return m_outer->Release(); }

  // What the inner unknown answers: the enumerator's own interfaces and count.
  HRESULT InnerQueryInterface(REFIID iid, void** object) { return E::QueryInterface(iid, object); }
  ULONG InnerAddRef() { return E::AddRef(); }
  ULONG InnerRelease() { return E::Release(); }

 private:
  Quor::NonDelegatingUnknown<CalcEnumAgg> m_inner;
  IUnknown* m_outer;
};

}  // namespace CalcEnums
