// The GUI framework's module object and resource ids. A module object names a loaded module
// (its instance handle) and loads its resources: strings, menus, accelerators, dialog
// templates. The code that makes one owns it; the module's handle is not released with it.
#pragma once

#include <string>

#include "platform/win32/resource_templates.h"
#include "platform/win32/resources.h"

namespace OWL {

// A resource id: a number or a name, as the platform's resource calls take it.
class TResId {
 public:
  TResId(int id) : m_id(MAKEINTRESOURCEW(ULONG_PTR(id))) {}
  TResId(LPCWSTR name) : m_id(name) {}
  operator LPCWSTR() const { return m_id; }
  bool IsInt() const { return IS_INTRESOURCE(m_id); }

 private:
  LPCWSTR m_id;
};

class TModule {
 public:
  // `name` may be null. `shouldLoad` says whether the caller asked the framework to load the
  // module; the handle is given here either way, as modules here are never loaded by name.
  TModule(LPCWSTR name, HINSTANCE handle, bool shouldLoad = true);
  virtual ~TModule() = default;
  TModule(const TModule&) = delete;
  TModule& operator=(const TModule&) = delete;

  HINSTANCE GetHandle() const { return m_handle; }
  operator HINSTANCE() const { return m_handle; }
  const std::u16string& GetName() const { return m_name; }

  // The string, or empty when the module has none of that id.
  std::u16string LoadString(UINT id) const;
  HMENU LoadMenu(TResId id) const { return LoadMenuW(m_handle, id); }
  HACCEL LoadAccelerators(TResId id) const { return LoadAcceleratorsW(m_handle, id); }
  HRSRC FindResource(TResId id, LPCWSTR type) const { return FindResourceW(m_handle, id, type); }
  // The dialog in `language`, else the module's neutral one.
  bool LoadDialog(TResId id, LANGID language, win32::DialogTemplate& out) const {
    return win32::LoadDialogTemplate(m_handle, id, language, out);
  }

 private:
  std::u16string m_name;
  HINSTANCE m_handle;
};

}  // namespace OWL
