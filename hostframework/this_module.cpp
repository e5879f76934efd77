#include "hostframework/this_module.h"

#include <atomic>

namespace ExtLib {

namespace {
std::atomic<HMODULE> thisModule{nullptr};
}

HMODULE GetThisModule() { return thisModule.load(); }

void SetThisModule(HMODULE module) { thisModule = module; }

}  // namespace ExtLib
