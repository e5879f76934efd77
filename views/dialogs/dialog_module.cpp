#include "views/dialogs/dialog_module.h"

#include "analysis/module_strings.h"

namespace Rhyth {

OWL::TModule& DialogResourceModule() {
  static OWL::TModule module(u"Rhyth", ModuleResourceHandle(), false);
  return module;
}

}  // namespace Rhyth
