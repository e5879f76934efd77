// The host-facing object of a calculated event enumerator: ICalcEnum for the host's control,
// IEnumEventEx for reading its events. This base answers what does not depend on the algorithm;
// EEH3::EEH3Enumerator answers the rest.
#pragma once

#include "core/com_ptr.h"
#include "hostframework/eeh3/enumerator_base.h"
#include "platform/pendrel/calc_enum.h"
#include "platform/win32/com_object.h"

namespace CalcEnums {

class CalcEnumEventBase : public SimpleUnknownImp2<ICalcEnum, IEnumEventEx, 1>,
                          public EEH3::EnumeratorBase {
 public:
  HRESULT GetClassTypeWord(DWORD* type) override;
  HRESULT GetClass(ICalcEnumClass2** classObject) override;
  HRESULT GetEventFlags(LONG a, LONG b, DWORD* flags) override;
  HRESULT Notify1(LONG_PTR argument) override;
  HRESULT Notify2(LONG_PTR argument) override;
  HRESULT GetExtraObject(IUnknown** object) override;
  HRESULT GetEnumTypeCode(DWORD* code) override;

  HRESULT GetReservedObject(IUnknown** object) override;
  HRESULT GetReservedObject2(IUnknown** object) override;

 protected:
  // `classObject` made the enumerator; it may be null where no class object is involved.
  explicit CalcEnumEventBase(ICalcEnumClass2* classObject);
  // A copy made by the same class object, with its own count of 1.
  CalcEnumEventBase(const CalcEnumEventBase& other);

 private:
  Quor::ComPtr<ICalcEnumClass2> m_class;
};

}  // namespace CalcEnums
