#include "hostframework/calcenums/calc_enum_class_base2.h"

#include <atomic>

#include "core/com_call_guard.h"
#include "core/quor_string.h"
#include "hostframework/host_services.h"
#include "platform/win32/bstr.h"

namespace CalcEnums {

namespace {

template <class T>
bool IsIndexOf(LONG index, std::span<T> items) {
  return index >= 0 && std::size_t(index) < items.size();
}

HRESULT TextOut(const WCHAR* text, IQuorString** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return Quor::GuardedCall([&] {
    *out = Quor::String(text).GetInterface();
    return S_OK;
  });
}

}  // namespace

HRESULT CalcEnumClassBase2::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IUnknown::iid || iid == ICalcEnumClass2::iid) {
    *object = static_cast<ICalcEnumClass2*>(this);
  } else if (iid == ITarnClassObject::iid) {
    *object = static_cast<ITarnClassObject*>(this);
  } else if (iid == ICalcNumericParamsFuncClass::iid) {
    *object = static_cast<ICalcNumericParamsFuncClass*>(this);
  } else {
    return E_NOINTERFACE;
  }
  return S_OK;
}

DWORD CalcEnumClassBase2::TypeWord() const {
  // Several threads may ask at once; each would store the same word.
  std::atomic_ref<DWORD> cached(m_descriptor.typeWord);
  DWORD word = cached.load(std::memory_order_relaxed);
  if (word == 0) {
    word = (DWORD(GetTarnGuidId(*m_descriptor.typeGuid)) << 16) | m_descriptor.typeNumber;
    cached.store(word, std::memory_order_relaxed);
  }
  return word;
}

HRESULT CalcEnumClassBase2::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = TypeWord();
  return S_OK;
}

HRESULT CalcEnumClassBase2::GetCategoryId(GUID* category) {
  if (!category) return E_POINTER;
  *category = CATID_TarnCalcEnumClass;
  return S_OK;
}

HRESULT CalcEnumClassBase2::GetName(BSTR* name) {
  if (!name) return E_POINTER;
  SysFreeString(*name);
  *name = nullptr;
  if (!m_descriptor.name[0]) return S_OK;
  *name = SysAllocString(m_descriptor.name);
  return *name ? S_OK : E_OUTOFMEMORY;
}

HRESULT CalcEnumClassBase2::IsCategory(REFGUID category) {
  return category == CATID_TarnCalcEnumClass ? S_OK : S_FALSE;
}

HRESULT CalcEnumClassBase2::GetClassName(IQuorString** name) {
  return TextOut(m_descriptor.name, name);
}

HRESULT CalcEnumClassBase2::GetDescription(IQuorString** description) {
  return TextOut(m_descriptor.description, description);
}

HRESULT CalcEnumClassBase2::GetEnumTypeId(DWORD* id) {
  if (!id) return E_POINTER;
  *id = m_descriptor.enumTypeId;
  return S_OK;
}

HRESULT CalcEnumClassBase2::GetReservedWord(DWORD* word) {
  if (word) *word = 0;
  return E_NOTIMPL;
}

HRESULT CalcEnumClassBase2::GetOutputCount(LONG* count) {
  if (!count) return E_POINTER;
  *count = LONG(m_descriptor.outputNames.size());
  return S_OK;
}

HRESULT CalcEnumClassBase2::GetOutputName(LONG index, IQuorString** name) {
  if (!IsIndexOf(index, m_descriptor.outputNames)) return E_INVALIDARG;
  return TextOut(m_descriptor.outputNames[index], name);
}

HRESULT CalcEnumClassBase2::GetFuncInfo(CalcNumericParamsFuncInfo* info) {
  if (!info) return E_POINTER;
  *info = {m_descriptor.name,
           TypeWord(),
           LONG(m_descriptor.parameters.size()),
           LONG(m_descriptor.channelFlags.size()),
           kCalcFuncFlags,
           kCalcFuncParameterFlags};
  return S_OK;
}

HRESULT CalcEnumClassBase2::GetParamInfo(LONG index, CalcNumericParamInfo* info) {
  if (!IsIndexOf(index, m_descriptor.parameters)) return E_INVALIDARG;
  if (!info) return E_POINTER;
  const CalcEnumParameter& parameter = m_descriptor.parameters[index];
  *info = {parameter.maximum, parameter.minimum, parameter.kind, parameter.name};
  return S_OK;
}

HRESULT CalcEnumClassBase2::IsChannelApplicable(LONG index, DWORD channelFlags) {
  if (!IsIndexOf(index, m_descriptor.channelFlags)) return E_INVALIDARG;
  return (channelFlags & m_descriptor.channelFlags[index]) ? S_OK : S_FALSE;
}

}  // namespace CalcEnums
