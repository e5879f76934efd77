#include "hostframework/docview/owl_doc_view_class_base.h"

#include "core/com_call_guard.h"

OwlDocViewClassBase::OwlDocViewClassBase(DWORD typeWord, Quor::String displayName,
                                         const GUID* category, DWORD flags,
                                         Quor::String className)
    : m_typeWord(typeWord),
      m_displayName(std::move(displayName)),
      m_className(className.IsEmpty() ? m_displayName : std::move(className)),
      m_category(category),
      m_flags(flags) {}

HRESULT OwlDocViewClassBase::GetTypeId(DWORD* type) {
  if (!type) return E_POINTER;
  *type = m_typeWord;
  return S_OK;
}

HRESULT OwlDocViewClassBase::GetCategoryId(GUID* category) {
  if (!category) return E_POINTER;
  *category = m_category ? *m_category : GUID{};
  return S_OK;
}

HRESULT OwlDocViewClassBase::GetClassName(IQuorString** name) {
  if (!name) return E_POINTER;
  *name = m_className.IsEmpty() ? nullptr : m_className.GetInterface();
  return S_OK;
}

HRESULT OwlDocViewClassBase::IsCategory(REFGUID category) {
  if (!m_category) return S_FALSE;
  return &category == m_category || category == *m_category ? S_OK : S_FALSE;
}

HRESULT OwlDocViewClassBase::GetDisplayName(BSTR* name) {
  // A null out place is no error: the caller asked for nothing.
  if (!name) return S_OK;
  SysFreeString(*name);
  *name = nullptr;
  if (!m_displayName.IsEmpty()) *name = SysAllocString(m_displayName.ToStdWString().c_str());
  return S_OK;
}

HRESULT OwlDocViewClassBase::GetFlags(DWORD* flags) {
  if (!flags) return E_POINTER;
  *flags = m_flags;
  return S_OK;
}

HRESULT OwlDocViewClassBase::Initialise(DWORD argument) {
  return Quor::GuardedCall([&] {
    RegisterCommands(argument);
    return S_OK;
  });
}

HRESULT OwlDocViewClassBase::AddViewRef(DWORD) {
  ++m_viewCount;
  return S_OK;
}

HRESULT OwlDocViewClassBase::ReleaseViewRef(DWORD) {
  // A release without its add would wrap the count round to four billion open views.
  if (m_viewCount) --m_viewCount;
  return S_OK;
}

HRESULT OwlDocViewClassBase::GetViewCount(DWORD, DWORD* count) {
  if (!count) return E_POINTER;
  *count = m_viewCount;
  return S_OK;
}

HRESULT OwlDocViewClassBase::CreateView(ITarnViewSite*, IUnknown*, IDocView2** view) {
  if (view) *view = nullptr;
  return E_NOTIMPL;
}

HRESULT OwlDocViewClassBase::EnumInterfaces(IEnumInterface** interfaces) {
  if (interfaces) *interfaces = nullptr;
  return E_NOTIMPL;
}
