#include "host/document/persist_message_store.h"

#include <algorithm>

#include "host/document/unknown_enumeration.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/host_text.h"

namespace PendrelHost {

bool PersistMessageStore::Keep(IMessage* message) {
  auto parts = Tarn::StateOfMessage(message);
  if (!parts) return false;
  Tarn::RecordCall("PersistMessages", "Keep",
                   "type=" + Tarn::HexWord(parts->objectType) + ", name=\"" +
                       Tarn::Utf8(parts->objectName) + "\", mode=" + Tarn::HexWord(parts->flags));
  Restore(std::move(*parts));
  return true;
}

void PersistMessageStore::Restore(Tarn::StateMessageParts parts) {
  std::erase_if(m_kept, [&](const Tarn::StateMessageParts& kept) {
    return kept.objectType == parts.objectType && kept.objectName == parts.objectName;
  });
  m_kept.push_back(std::move(parts));
}

IEnumUnknown* PersistMessageStore::Enumerate() const {
  std::vector<Tarn::HeldReference<IUnknown>> items;
  for (const Tarn::StateMessageParts& parts : m_kept) {
    items.emplace_back(Tarn::NewStateMessage(parts));
  }
  return new UnknownEnumeration(std::move(items));
}

}  // namespace PendrelHost
