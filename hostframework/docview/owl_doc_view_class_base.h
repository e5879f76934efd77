// The base of a module's view class objects: what the host asks of a view class before it
// opens a view (type word, category, class and display names, flags) and the count of the
// views open on it. One object per view type, made at module registration and owned by the
// host's class registry through its reference count.
#pragma once

#include "core/quor_string.h"
#include "platform/pendrel/view_classes.h"
#include "platform/win32/com_object.h"

class OwlDocViewClassBase : public SimpleUnknownImp1<IDocViewClass> {
 public:
  // An empty class name makes the display name the class name.
  OwlDocViewClassBase(DWORD typeWord, Quor::String displayName, const GUID* category,
                      DWORD flags, Quor::String className = {});

  // ITarnClassObject
  HRESULT GetTypeId(DWORD* type) override;
  HRESULT GetCategoryId(GUID* category) override;
  HRESULT GetClassName(IQuorString** name) override;
  HRESULT IsCategory(REFGUID category) override;

  // IDocViewClass
  HRESULT GetDisplayName(BSTR* name) override;
  HRESULT GetFlags(DWORD* flags) override;
  // Lets the class fetch what it needs of the host (RegisterCommands): S_OK.
  HRESULT Initialise(DWORD argument) override;
  // The count changes on the host's user-interface thread only: no lock.
  HRESULT AddViewRef(DWORD) override;
  HRESULT ReleaseViewRef(DWORD) override;
  HRESULT GetViewCount(DWORD, DWORD* count) override;
  // A class that opens no views of its own: E_NOTIMPL for both.
  HRESULT CreateView(ITarnViewSite* site, IUnknown* document, IDocView2** view) override;
  HRESULT EnumInterfaces(IEnumInterface** interfaces) override;

 protected:
  DWORD TypeWord() const { return m_typeWord; }
  // The class's commands with the host, when the host initialises it: nothing here.
  virtual void RegisterCommands(DWORD /*argument*/) {}

 private:
  DWORD m_typeWord;
  Quor::String m_displayName;
  Quor::String m_className;
  const GUID* m_category;
  DWORD m_flags;
  DWORD m_viewCount = 0;
};
