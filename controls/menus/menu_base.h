// A menu made from a menu template (see LoadMenuResource), destroyed with the object.
#pragma once

#include "platform/owl/menu.h"
#include "platform/win32/resource_templates.h"

namespace Quor {

class MenuBase : public OWL::TMenu {
 public:
  explicit MenuBase(const void* menuTemplate)
      : OWL::TMenu(menuTemplate ? LoadMenuIndirectW(menuTemplate) : nullptr, true) {}
  ~MenuBase() override = default;
};

}  // namespace Quor
