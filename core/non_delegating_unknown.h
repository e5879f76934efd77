// The inner IUnknown of an aggregatable object. An aggregated object hands every IUnknown call
// made through its interfaces to the outer object; this one answers for the inner object
// itself: its own identity, and its own reference count, which only the outer object holds.
#pragma once

#include "platform/win32/unknown.h"

namespace Quor {

// Owner supplies InnerQueryInterface, InnerAddRef and InnerRelease: its own, non-delegating
// answers.
template <class Owner>
class NonDelegatingUnknown final : public IUnknown {
 public:
  explicit NonDelegatingUnknown(Owner* owner) : m_owner(owner) {}

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IUnknown::iid) {
      *object = static_cast<IUnknown*>(this);
      AddRef();
      return S_OK;
    }
    return m_owner->InnerQueryInterface(iid, object);
  }
  ULONG AddRef() override { return m_owner->InnerAddRef(); }
  ULONG Release() override { return m_owner->InnerRelease(); }

 private:
  Owner* m_owner;
};

}  // namespace Quor
