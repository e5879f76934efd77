// An enumeration over a fixed list of objects, each handed out with a reference for the caller.
// It holds the objects until it goes.
#pragma once

#include <vector>

#include "host/framework/held_reference.h"
#include "platform/win32/com_object.h"
#include "platform/win32/enum_unknown.h"

namespace PendrelHost {

class UnknownEnumeration final : public SimpleUnknownImp1<IEnumUnknown, 1> {
 public:
  explicit UnknownEnumeration(std::vector<Tarn::HeldReference<IUnknown>> items);

  HRESULT Next(ULONG count, IUnknown** items, ULONG* fetched) override;
  HRESULT Skip(ULONG count) override;
  HRESULT Reset() override;
  HRESULT Clone(IEnumUnknown** clone) override;

 private:
  std::vector<Tarn::HeldReference<IUnknown>> m_items;
  size_t m_next = 0;
};

}  // namespace PendrelHost
