// The message factory: knows the message classes of the modules by their names, which it
// compares without regard to case.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "host/framework/held_reference.h"
#include "platform/pendrel/messages.h"

namespace Tarn {

// One face of the framework object, which answers IUnknown for it.
class MessageClassTable : public ITarnMessageFactory {
 public:
  HRESULT RegisterMessageClass(IMsgIdMessageClassObject* messageClass) override;
  HRESULT FindMessageClass(IQuorString* name, IMsgIdMessageClassObject** messageClass) override;

  // Releases every registered class.
  void Reset();

 protected:
  MessageClassTable() = default;
  ~MessageClassTable() = default;

 private:
  struct Registration {
    std::u16string foldedName;  // asked once, when the class is registered
    HeldReference<IMsgIdMessageClassObject> messageClass;
  };

  HRESULT Add(IMsgIdMessageClassObject* messageClass, std::u16string foldedName);

  std::mutex m_mutex;
  std::vector<Registration> m_registrations;
};

}  // namespace Tarn
