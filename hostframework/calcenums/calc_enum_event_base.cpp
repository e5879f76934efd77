#include "hostframework/calcenums/calc_enum_event_base.h"

namespace CalcEnums {

CalcEnumEventBase::CalcEnumEventBase(ICalcEnumClass2* classObject) : m_class(classObject) {}

CalcEnumEventBase::CalcEnumEventBase(const CalcEnumEventBase& other)
    : SimpleUnknownImp2(), EnumeratorBase(other), m_class(other.m_class) {}

HRESULT CalcEnumEventBase::GetClassTypeWord(DWORD* type) {
  if (!type) return E_POINTER;
  *type = 0;
  if (!m_class) return E_UNEXPECTED;
  return m_class->GetTypeId(type);
}

HRESULT CalcEnumEventBase::GetClass(ICalcEnumClass2** classObject) {
  if (!classObject) return E_POINTER;
  *classObject = m_class.Get();
  if (*classObject) (*classObject)->AddRef();
  return S_OK;
}

HRESULT CalcEnumEventBase::GetEventFlags(LONG /*a*/, LONG b, DWORD* flags) {
  if (!flags) return E_POINTER;
  *flags = b ? kCalcEnumEventFlag : 0;
  return S_OK;
}

HRESULT CalcEnumEventBase::Notify1(LONG_PTR /*argument*/) { return S_OK; }

HRESULT CalcEnumEventBase::Notify2(LONG_PTR /*argument*/) { return S_OK; }

HRESULT CalcEnumEventBase::GetExtraObject(IUnknown** object) {
  if (object) *object = nullptr;
  return S_OK;
}

HRESULT CalcEnumEventBase::GetEnumTypeCode(DWORD* code) {
  if (!code) return E_POINTER;
  *code = kCalcEnumTypeCode;
  return S_OK;
}

HRESULT CalcEnumEventBase::GetReservedObject(IUnknown** object) {
  if (object) *object = nullptr;
  return E_NOTIMPL;
}

HRESULT CalcEnumEventBase::GetReservedObject2(IUnknown** object) {
  if (object) *object = nullptr;
  return E_NOTIMPL;
}

}  // namespace CalcEnums
