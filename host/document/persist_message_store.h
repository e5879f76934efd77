// The data document's store of state messages: the latest state message a module sent for each
// named object (a type word and a name, as the message's object gives them), in the order they
// were last sent, with the mode each was sent with. A kept message replaces the earlier one of its
// object and goes to the end. The store gives its messages back as new message objects, and the
// document file saves and restores it. Lives with its data document; not thread-safe, like the
// document.
#pragma once

#include <vector>

#include "host/framework/state_message.h"
#include "platform/win32/enum_unknown.h"

namespace PendrelHost {

class PersistMessageStore {
 public:
  // Keeps a state message; false (nothing kept) for any other message.
  bool Keep(IMessage* message);
  // Keeps restored parts as Keep does.
  void Restore(Tarn::StateMessageParts parts);

  const std::vector<Tarn::StateMessageParts>& Kept() const { return m_kept; }
  // An enumeration of new messages made from what is kept, in order, with one reference.
  IEnumUnknown* Enumerate() const;

 private:
  std::vector<Tarn::StateMessageParts> m_kept;
};

}  // namespace PendrelHost
