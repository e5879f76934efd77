#include "hostframework/tabulon/tabulon_func_class_base.h"

#include <atomic>

#include "core/com_call_guard.h"
#include "hostframework/host_services.h"

namespace {

HRESULT TextOut(const Quor::String& text, IQuorString** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return Quor::GuardedCall([&] {
    *out = text.GetInterface();
    return S_OK;
  });
}

// Several threads may ask at once; each would store the same word.
DWORD CachedWord(DWORD& cache, DWORD (*make)(const TabulonFuncClassBase&),
                 const TabulonFuncClassBase& classObject) {
  std::atomic_ref<DWORD> cached(cache);
  DWORD word = cached.load(std::memory_order_relaxed);
  if (word == 0) {
    word = make(classObject);
    cached.store(word, std::memory_order_relaxed);
  }
  return word;
}

}  // namespace

HRESULT TabulonFuncClassBase::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (iid == IUnknown::iid || iid == ITarnClassObject::iid || iid == ITabulonFunctionClass2::iid) {
    *object = static_cast<ITabulonFunctionClass2*>(this);
    return S_OK;
  }
  return E_NOINTERFACE;
}

DWORD TabulonFuncClassBase::ClassTypeId() {
  return CachedWord(m_classTypeId, [](const TabulonFuncClassBase& c) {
    return (DWORD(GetTarnGuidId(*c.m_info.family)) << 16) | ((2 * c.m_info.subId) & 0xFFFF);
  }, *this);
}

DWORD TabulonFuncClassBase::FunctionTypeId() {
  return CachedWord(m_functionTypeId, [](const TabulonFuncClassBase& c) {
    return (DWORD(GetTarnGuidId(*c.m_group.family)) << 16) | (c.m_group.functionSubId & 0xFFFF);
  }, *this);
}

const TabulonFuncClassBase::Texts& TabulonFuncClassBase::FunctionTexts() {
  std::call_once(m_textsLoaded, [this] {
    const UINT id = m_info.firstTextId;
    m_texts = {m_group.loadText(id), m_group.loadText(id + 1), m_group.loadText(id + 2),
               m_group.loadText(id + 3)};
  });
  return m_texts;
}

HRESULT TabulonFuncClassBase::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = ClassTypeId();
  return S_OK;
}

HRESULT TabulonFuncClassBase::GetCategoryId(GUID* category) {
  if (!category) return E_POINTER;
  *category = CATID_TabulonFunctionClass;
  return S_OK;
}

HRESULT TabulonFuncClassBase::GetClassName(IQuorString** name) {
  return Quor::GuardedCall([&] {
    const bool named = m_info.internalName && m_info.internalName[0];
    return TextOut(named ? Quor::String(m_info.internalName) : FunctionTexts().displayName, name);
  });
}

HRESULT TabulonFuncClassBase::IsCategory(REFGUID category) {
  return category == CATID_TabulonFunctionClass ? S_OK : S_FALSE;
}

HRESULT TabulonFuncClassBase::GetCategoryName(LONG, IQuorString** name) {
  return TextOut(m_group.name, name);
}

HRESULT TabulonFuncClassBase::GetCategoryCode(LONG, LONG* code) {
  if (!code) return E_POINTER;
  *code = m_group.code;
  return S_OK;
}

HRESULT TabulonFuncClassBase::GetName(LONG, IQuorString** name) {
  return Quor::GuardedCall([&] { return TextOut(FunctionTexts().displayName, name); });
}

HRESULT TabulonFuncClassBase::GetFunctionFlags(LONG, DWORD* flags) {
  if (!flags) return E_POINTER;
  *flags = m_info.subId;
  return S_OK;
}

HRESULT TabulonFuncClassBase::GetDescription(LONG, IQuorString** description) {
  return Quor::GuardedCall([&] { return TextOut(FunctionTexts().description, description); });
}

HRESULT TabulonFuncClassBase::GetValueFlags(LONG, DWORD* flags) {
  if (!flags) return E_POINTER;
  flags[0] = m_info.valueFlags[0];
  flags[1] = m_info.valueFlags[1];
  return S_OK;
}

HRESULT TabulonFuncClassBase::GetSettingsPage(LONG_PTR, LONG_PTR, IUnknown** page) {
  if (!page) return E_POINTER;
  *page = nullptr;
  return S_OK;
}

HRESULT TabulonFuncClassBase::GetReservedObject(IUnknown** object) {
  if (object) *object = nullptr;
  return E_NOTIMPL;
}

HRESULT TabulonFuncClassBase::CreateFunction(IUnknown* host, LONG_PTR x, IUnknown* outer,
                                             ITabulonFunction** function) {
  if (!function) return E_POINTER;
  *function = nullptr;
  if (!host || outer) return E_FAIL;
  return Quor::GuardedCall([&] {
    *function = MakeFunction(host, x);
    return S_OK;
  });
}

HRESULT TabulonFuncClassBase::CreateFunction2(IUnknown* host, LONG_PTR x, LONG_PTR,
                                              IUnknown* outer, ITabulonFunction** function) {
  return CreateFunction(host, x, outer, function);
}
