#include "controls/menus/load_menu_resource.h"

#include "platform/win32/resources.h"

std::unique_ptr<MenuTemplateHandle> LoadMenuResource(HMODULE module, LPCWSTR name, LANGID language) {
  auto handle = std::make_unique<MenuTemplateHandle>();
  HRSRC found = FindResourceExW(module, RT_MENU, name, language);
  if (!found) found = FindResourceExW(module, RT_MENU, name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
  if (!found) return handle;
  handle->data = LoadResource(module, found);
  handle->menuTemplate = handle->data ? LockResource(handle->data) : nullptr;
  return handle;
}
