// Finding a menu template among a module's resources: in the language asked for, else in any
// language. The caller owns the returned pair; the resource itself stays the module's.
#pragma once

#include <memory>

#include "platform/win32/types.h"

struct MenuTemplateHandle {
  HGLOBAL data = nullptr;                // null when no template was found
  const void* menuTemplate = nullptr;    // the locked template, or null
};

// Never null: a template that cannot be found gives a pair of nulls.
std::unique_ptr<MenuTemplateHandle> LoadMenuResource(HMODULE module, LPCWSTR name, LANGID language);
