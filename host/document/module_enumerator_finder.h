// Finds the calculated event enumerator classes that modules registered with the host's class
// registry: a class object answering ICalcEnumClass2 is called by its name, in any case. Looked
// up when a formula is compiled, so a class registered after the document opened is found too.
#pragma once

#include "host/channels/event_enumerator_registry.h"
#include "platform/win32/unknown.h"

namespace PendrelHost {

class ModuleEnumeratorFinder : public EventEnumeratorFinder {
 public:
  // `document`: the document whose channels call the classes.
  explicit ModuleEnumeratorFinder(IUnknown* document) : m_document(document) {}

  std::shared_ptr<const EventEnumeratorClass> Find(std::string_view name) const override;

 private:
  IUnknown* m_document;
};

}  // namespace PendrelHost
