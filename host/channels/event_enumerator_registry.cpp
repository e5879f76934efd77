#include "host/channels/event_enumerator_registry.h"

#include <algorithm>

#include "host/channels/name_compare.h"

namespace PendrelHost {

void EventEnumeratorRegistry::Register(std::shared_ptr<const EventEnumeratorClass> enumeratorClass) {
  if (enumeratorClass) m_classes.push_back(std::move(enumeratorClass));
}

void EventEnumeratorRegistry::Revoke(const EventEnumeratorClass* enumeratorClass) {
  std::erase_if(m_classes, [&](const auto& held) { return held.get() == enumeratorClass; });
}

void EventEnumeratorRegistry::AddFinder(std::shared_ptr<const EventEnumeratorFinder> finder) {
  if (finder) m_finders.push_back(std::move(finder));
}

std::shared_ptr<const EventEnumeratorClass> EventEnumeratorRegistry::FindByOutputName(std::string_view name) const {
  for (const auto& enumeratorClass : m_classes) {
    const std::vector<std::string> outputs = enumeratorClass->OutputNames();
    if (std::any_of(outputs.begin(), outputs.end(), [&](const std::string& output) { return SameName(output, name); })) {
      return enumeratorClass;
    }
  }
  for (const auto& finder : m_finders) {
    if (auto found = finder->Find(name)) return found;
  }
  return nullptr;
}

}  // namespace PendrelHost
