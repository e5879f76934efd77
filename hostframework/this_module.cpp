#include "hostframework/this_module.h"

#include <atomic>

#include "platform/win32/resources.h"

namespace ExtLib {

namespace {
std::atomic<HMODULE> thisModule{nullptr};
}

HMODULE GetThisModule() { return thisModule.load(); }

void SetThisModule(HMODULE module) { thisModule = module; }

HMODULE OwnResourceModule() {
  const HMODULE module = GetThisModule();
  return module ? module : GetModuleHandleW(nullptr);
}

}  // namespace ExtLib
