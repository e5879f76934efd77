#include "hostframework/channelcalc/calc_setting_class_base.h"

#include "core/com_ptr.h"

namespace ExtLib {

HRESULT CalcSettingClassBase::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid != IUnknown::iid && iid != ITarnClassObject::iid && iid != IPersistClassObject::iid)
    return E_NOINTERFACE;
  *object = static_cast<IPersistClassObject*>(this);
  AddRef();
  return S_OK;
}

ULONG CalcSettingClassBase::Release() {
  const LONG count = InterlockedDecrement(&m_refCount);
  if (count == 0) delete this;
  return ULONG(count);
}

HRESULT CalcSettingClassBase::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = SettingsTypeWord();
  return S_OK;
}

HRESULT CalcSettingClassBase::GetCategoryId(GUID* category) {
  if (!category) return E_POINTER;
  *category = GUID_TarnCalcSettingsCategory;
  return S_OK;
}

HRESULT CalcSettingClassBase::GetClassName(IQuorString** name) {
  if (!name) return E_POINTER;
  Quor::String text = CalcDisplayName();
  text += u"Settings";
  *name = text.GetInterface();
  return S_OK;
}

HRESULT CalcSettingClassBase::IsCategory(REFGUID category) {
  return category == GUID_TarnCalcSettingsCategory ? S_OK : S_FALSE;
}

HRESULT CalcSettingClassBase::CreateInstance(DWORD, IUnknown* outer, REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  Quor::ComPtr<IPersistObject> made;
  made.Attach(NewSettings());
  if (!made) return E_OUTOFMEMORY;
  return made->QueryInterface(iid, object);
}

HRESULT CalcSettingClassBase::CreatePersistObject(DWORD, DWORD, IBinInStream* stream,
                                                  IPersistObject** object) {
  if (!object) return E_POINTER;
  *object = NewSettings();
  if (!*object) return E_OUTOFMEMORY;
  if (!stream) return E_POINTER;
  return (*object)->Load(stream);
}

}  // namespace ExtLib
