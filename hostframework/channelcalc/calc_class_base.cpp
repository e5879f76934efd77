#include "hostframework/channelcalc/calc_class_base.h"

namespace ExtLib {

namespace {

HRESULT GiveText(const Quor::String& text, IQuorString** out) {
  if (!out) return E_POINTER;
  *out = Quor::String(text).GetInterface();
  return S_OK;
}

}  // namespace

HRESULT CalcClassBase::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IUnknown::iid && iid != ITarnClassObject::iid && iid != ICalculationClass::iid)
    return E_NOINTERFACE;
  *object = static_cast<ICalculationClass*>(this);
  AddRef();
  return S_OK;
}

HRESULT CalcClassBase::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = TypeWord();
  return S_OK;
}

HRESULT CalcClassBase::GetCategoryId(GUID* category) {
  if (!category) return E_POINTER;
  *category = GUID_TarnCalculationClassCategory;
  return S_OK;
}

HRESULT CalcClassBase::GetClassName(IQuorString** name) { return GiveText(DisplayName(), name); }

HRESULT CalcClassBase::IsCategory(REFGUID category) {
  return category == GUID_TarnCalculationClassCategory ? S_OK : S_FALSE;
}

HRESULT CalcClassBase::GetDisplayName(IQuorString** name) { return GiveText(DisplayName(), name); }

HRESULT CalcClassBase::GetDescription(IQuorString** description) {
  return GiveText(Description(), description);
}

HRESULT CalcClassBase::GetSettingsTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = 0;
  return S_OK;
}

}  // namespace ExtLib
