#include "analysis/module_strings.h"

#include <map>
#include <mutex>

#include "core/branded_strings.h"
#include "hostframework/this_module.h"

HMODULE RhythResources();

namespace Rhyth {

// The module's resources: those of the module the code is linked into, once its entry named
// it; before that (in tests) the table linked in with the analysis itself.
HMODULE ModuleResourceHandle() {
  HMODULE module = ExtLib::GetThisModule();
  return module ? module : RhythResources();
}

Quor::String ModuleString(UINT id) {
  static std::mutex mutex;
  static std::map<UINT, Quor::String> loaded;
  std::lock_guard lock(mutex);
  const auto found = loaded.find(id);
  if (found != loaded.end()) return found->second;
  return loaded.emplace(id, Quor::LoadResourceString(ModuleResourceHandle(), id, true)).first->second;
}

}  // namespace Rhyth
