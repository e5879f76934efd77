// The calculated event enumerator classes that modules registered with the host.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "host/channels/event_enumerator.h"

namespace PendrelHost {

// Finds classes that are kept elsewhere and looked up when a formula names one: the class
// objects that modules registered with the host's class registry.
class EventEnumeratorFinder {
 public:
  virtual ~EventEnumeratorFinder() = default;
  // The class that `name` calls, in any case, or null.
  virtual std::shared_ptr<const EventEnumeratorClass> Find(std::string_view name) const = 0;
};

class EventEnumeratorRegistry {
 public:
  void Register(std::shared_ptr<const EventEnumeratorClass> enumeratorClass);
  // Revokes every registration of this class.
  void Revoke(const EventEnumeratorClass* enumeratorClass);
  // Asked after the registered classes, in the order added.
  void AddFinder(std::shared_ptr<const EventEnumeratorFinder> finder);
  // The class one of whose output names is `name`, in any case; the first registered wins.
  std::shared_ptr<const EventEnumeratorClass> FindByOutputName(std::string_view name) const;

 private:
  std::vector<std::shared_ptr<const EventEnumeratorClass>> m_classes;
  std::vector<std::shared_ptr<const EventEnumeratorFinder>> m_finders;
};

}  // namespace PendrelHost
