// The class object of the calculated event enumerator E: the descriptor's answers of
// CalcEnumClassBase2, and the enumerators it makes, plain or living inside an outer object.
#pragma once

#include "core/com_call_guard.h"
#include "core/com_ptr.h"
#include "hostframework/calcenums/calc_enum_agg.h"
#include "hostframework/calcenums/calc_enum_class_base2.h"

namespace CalcEnums {

template <class E>
class CalcEnumNumericParamsClass final : public CalcEnumClassBase2 {
 public:
  explicit CalcEnumNumericParamsClass(CalcEnumDescriptor& descriptor)
      : CalcEnumClassBase2(descriptor) {}

  // The enumerator takes `params` as its parameter text; without one, its defaults.
  HRESULT CreateEnum(IAutoQuorString* params, LONG_PTR /*reserved*/,
                     ICalcEnum** enumerator) override {
    if (!enumerator) return E_POINTER;
    *enumerator = nullptr;
    return Quor::GuardedCall([&] {
      Quor::ComPtr<ICalcEnum> made = Make();
      const HRESULT hr = made->SetParams(params);
      if (FAILED(hr)) return hr;
      *enumerator = made.Detach();
      return S_OK;
    });
  }

  // Inside an outer object, only the inner unknown can be asked for: it is the one whose
  // QueryInterface does not go back to the outer object.
  HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    return Quor::GuardedCall([&] {
      if (!outer) return Make()->QueryInterface(iid, object);
      if (iid != IUnknown::iid) return CLASS_E_NOAGGREGATION;
      *object = (new CalcEnumAgg<E>(outer, static_cast<ICalcEnumClass2*>(this)))->InnerUnknown();
      return S_OK;
    });
  }

 private:
  Quor::ComPtr<ICalcEnum> Make() {
    Quor::ComPtr<ICalcEnum> made;
    made.Attach(new E(static_cast<ICalcEnumClass2*>(this)));
    return made;
  }
};

}  // namespace CalcEnums
