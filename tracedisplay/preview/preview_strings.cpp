#include "tracedisplay/preview/preview_strings.h"

#include <map>
#include <mutex>

#include "core/branded_strings.h"
#include "hostframework/this_module.h"

namespace PendrelDraw {

const Quor::String& PreviewString(UINT id) {
  static std::mutex mutex;
  static std::map<UINT, Quor::String> loaded;
  std::lock_guard lock(mutex);
  auto found = loaded.find(id);
  if (found == loaded.end()) {
    found = loaded.emplace(id, Quor::LoadResourceString(ExtLib::GetThisModule(), id, true)).first;
  }
  return found->second;
}

}  // namespace PendrelDraw
