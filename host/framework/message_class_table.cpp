#include "host/framework/message_class_table.h"

#include <algorithm>

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"
#include "host/framework/host_text.h"
#include "host/framework/name_folding.h"

namespace Tarn {

namespace {

constexpr const char* kService = "MessageFactory";

}  // namespace

HRESULT MessageClassTable::RegisterMessageClass(IMsgIdMessageClassObject* messageClass) {
  return Guarded([&] {
    if (!messageClass) {
      RecordCall(kService, "RegisterMessageClass", "messageClass=null");
      return E_POINTER;
    }
    IQuorString* name = nullptr;
    const HRESULT nameResult = messageClass->GetName(&name);
    HeldReference<IQuorString> heldName(name);
    RecordCall(kService, "RegisterMessageClass", "name=" + QuotedText(name));
    // A class without a name could never be found.
    if (FAILED(nameResult)) return nameResult;
    if (!name) return E_INVALIDARG;
    return Add(messageClass, FoldedName(TextOf(name)));
  });
}

HRESULT MessageClassTable::FindMessageClass(IQuorString* name,
                                            IMsgIdMessageClassObject** messageClass) {
  return Guarded([&] {
    RecordCall(kService, "FindMessageClass", "name=" + QuotedText(name));
    if (!messageClass) return E_POINTER;
    *messageClass = nullptr;
    if (!name) return E_POINTER;
    const std::u16string wanted = FoldedName(TextOf(name));
    std::lock_guard lock(m_mutex);
    for (const Registration& registration : m_registrations) {
      if (registration.foldedName == wanted) {
        *messageClass = Hold(registration.messageClass.get()).release();
        return S_OK;
      }
    }
    return REGDB_E_CLASSNOTREG;
  });
}

void MessageClassTable::Reset() {
  std::vector<Registration> dropped;
  {
    std::lock_guard lock(m_mutex);
    dropped.swap(m_registrations);
  }
}

HRESULT MessageClassTable::Add(IMsgIdMessageClassObject* messageClass, std::u16string foldedName) {
  std::lock_guard lock(m_mutex);
  for (const Registration& registration : m_registrations) {
    if (registration.messageClass.get() == messageClass) return S_FALSE;
    // Two classes under one name would make finding by name a matter of registration order.
    if (registration.foldedName == foldedName) return E_INVALIDARG;
  }
  m_registrations.push_back({std::move(foldedName), Hold(messageClass)});
  return S_OK;
}

}  // namespace Tarn
