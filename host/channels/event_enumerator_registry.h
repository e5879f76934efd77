// The calculated event enumerator classes that modules registered with the host.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "host/channels/event_enumerator.h"

namespace PendrelHost {

class EventEnumeratorRegistry {
 public:
  void Register(std::shared_ptr<const EventEnumeratorClass> enumeratorClass);
  // Revokes every registration of this class.
  void Revoke(const EventEnumeratorClass* enumeratorClass);
  // The class one of whose output names is `name`, in any case; the first registered wins.
  std::shared_ptr<const EventEnumeratorClass> FindByOutputName(std::string_view name) const;

 private:
  std::vector<std::shared_ptr<const EventEnumeratorClass>> m_classes;
};

}  // namespace PendrelHost
