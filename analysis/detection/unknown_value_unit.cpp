#include "analysis/detection/unknown_value_unit.h"

#include "core/com_call_guard.h"
#include "core/unit_entry.h"

namespace Rhyth {

HRESULT CreateUnknownValueUnit(IUnitName** unit) {
  if (!unit) return E_POINTER;
  *unit = nullptr;
  return Quor::GuardedCall([&] {
    Quor::UnitInfo unknown;
    unknown.name = u"?";
    *unit = new Quor::UnitEntry(unknown);
    (*unit)->AddRef();
    return S_OK;
  });
}

}  // namespace Rhyth
