#include "tracedisplay/windows/trace_display_resources.h"

#include <map>
#include <mutex>

#include "core/branded_strings.h"
#include "hostframework/this_module.h"

namespace PendrelDraw {

HMODULE TraceDisplayResources() { return ExtLib::OwnResourceModule(); }

OWL::TModule& TraceDisplayModule() {
  static std::mutex mutex;
  static auto* modules = new std::map<HMODULE, OWL::TModule*>;
  std::lock_guard lock(mutex);
  const HMODULE handle = TraceDisplayResources();
  OWL::TModule*& module = (*modules)[handle];
  if (!module) module = new OWL::TModule(u"Rhyth", handle, false);
  return *module;
}

const std::u16string& TraceDisplayString(UINT id) {
  static std::mutex mutex;
  static auto* loaded = new std::map<std::pair<HMODULE, UINT>, std::u16string>;
  std::lock_guard lock(mutex);
  const auto key = std::make_pair(TraceDisplayResources(), id);
  const auto found = loaded->find(key);
  if (found != loaded->end()) return found->second;
  Quor::String text;
  Quor::LoadResourceStringInto(text, key.first, id, true);
  return loaded->emplace(key, text.ToStdWString()).first->second;
}

}  // namespace PendrelDraw
