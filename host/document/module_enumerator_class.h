// A calculated event enumerator class that a module registered with the host's class registry,
// as formulas call it: by the name its class object gives, with its channel arguments first and
// its numbers after them. The host creates one enumerator per record through the class object
// and gives it the numbers as its parameter text.
#pragma once

#include <string>

#include "host/channels/event_enumerator.h"
#include "host/framework/held_reference.h"
#include "platform/pendrel/calc_enum.h"

namespace PendrelHost {

class ModuleEnumeratorClass : public EventEnumeratorClass {
 public:
  // `document`: the document whose channels call the class.
  ModuleEnumeratorClass(Tarn::HeldReference<ICalcEnumClass2> classObject, std::string name,
                        IUnknown* document)
      : m_class(std::move(classObject)), m_name(std::move(name)), m_document(document) {}

  std::string Name() const override { return m_name; }
  std::vector<std::string> OutputNames() const override { return {m_name}; }
  // The class object does not tell its parameters: each call's arguments say them.
  std::vector<SourceKind> ChannelParameters() const override { return {}; }
  std::size_t ParameterCount() const override { return 0; }
  bool DescribesParameters() const override { return false; }
  // Throws ChannelError when the class object makes no enumerator or it refuses the numbers.
  std::unique_ptr<EventEnumerator> Create(std::span<const double> numbers) const override;

 private:
  Tarn::HeldReference<ICalcEnumClass2> m_class;
  std::string m_name;
  IUnknown* m_document;
};

}  // namespace PendrelHost
