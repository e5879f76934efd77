#include "hostframework/event_handler.h"

#include "core/com_ptr.h"
#include "hostframework/host_services.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/pendrel/persist_messages.h"

namespace {

// Runs an entry for a notice or message whose parameters are 32-bit words.
LONG RunWithWords(const TarnEventTableEntry& entry, void* object, const void* parameters,
                  DWORD bytes, IMessage* message) {
  TarnEventCall call;
  call.message = message;
  call.parameters = static_cast<const DWORD*>(parameters);
  // A notice's block carries no size: its members take the words they declare.
  call.parameterCount = parameters ? (bytes == DWORD(-1) ? 4 : bytes / sizeof(DWORD)) : 0;
  return entry.invoke(object, call);
}

}  // namespace

bool TarnEventHandlerBase::HandleMessageByTable(IMessage* message) {
  m_messageFlags = message->GetFlags();
  void* object = nullptr;
  const TarnEventTableEntry* entry =
      FindEntry(MsgEventTrigger(message->GetMessageId(), m_messageFlags), &object);
  if (!entry) return false;
  DWORD bytes = 0;
  const void* parameters = message->GetData(&bytes);
  return RunWithWords(*entry, object, parameters, bytes, message) == 0;
}

void TarnEventHandlerBase::HandleMessagesOfType(IUnknown* source) {
  if (!source) return;
  Quor::ComPtr<IPendrelPersistMessages> store;
  source->QueryInterface(IPendrelPersistMessages::iid,
                         Quor::ComPtrOut<IPendrelPersistMessages>::Bind(store));
  if (!store) return;
  static const DWORD stateClass = GetTarnGuidId(GUID_TarnStateMessageClass);
  Quor::ComPtr<IEnumUnknown> items;
  store->EnumMessagesOfClass(stateClass, Quor::ComPtrOut<IEnumUnknown>::Bind(items));
  if (!items) return;
  for (;;) {
    IUnknown* item = nullptr;
    ULONG fetched = 0;
    const HRESULT next = items->Next(1, &item, &fetched);
    Quor::ComPtr<IUnknown> held;
    held.Attach(item);
    // The last item may come with S_FALSE from an enumeration that reports the end early.
    if (FAILED(next) || fetched != 1 || !item) break;
    Quor::ComPtr<IMessage> message;
    item->QueryInterface(IMessage::iid, Quor::ComPtrOut<IMessage>::Bind(message));
    if (message) HandleMessageByTable(message.Get());
  }
}

LONG TarnEventHandlerBase::DispatchCommand(DWORD id) {
  void* object = nullptr;
  const TarnEventTableEntry* entry = FindEntry(CommandTrigger(id, kTarnEventCommand), &object);
  if (!entry) return 1;
  TarnEventCall call;
  call.id = id;
  entry->invoke(object, call);
  return 0;
}

LONG TarnEventHandlerBase::DispatchCommandEnable(DWORD id, ITarnCommandState* state) {
  void* object = nullptr;
  if (const TarnEventTableEntry* entry = FindEntry(CommandTrigger(id, kTarnEventCommandState), &object)) {
    TarnEventCall call;
    call.id = id;
    call.state = state;
    entry->invoke(object, call);
    return 0;
  }
  // A command without a state entry is simply enabled.
  if (FindEntry(CommandTrigger(id, kTarnEventCommand), &object)) {
    if (state) state->Enable(VARIANT_TRUE);
    return 0;
  }
  return 1;
}

LONG TarnEventHandlerBase::DispatchCommandNotify(DWORD id, DWORD kind, DWORD a, DWORD b) {
  void* object = nullptr;
  const TarnEventTableEntry* entry = FindEntry(CommandTrigger(id, BYTE(kind)), &object);
  if (!entry) return 1;
  TarnEventCall call;
  call.id = id;
  call.a = a;
  call.b = b;
  return entry->invoke(object, call);
}

LONG TarnEventHandlerBase::DispatchNotice(DWORD eventId, const void* parameters) {
  void* object = nullptr;
  const TarnEventTableEntry* entry = FindEntry(ObserverEventTrigger(eventId), &object);
  if (!entry) return 1;
  RunWithWords(*entry, object, parameters, DWORD(-1), nullptr);
  return 0;
}

LONG TarnEventHandlerT<1>::RegisterEvents(ITarnEventRegistrar* registrar) {
  if (!registrar) return 1;
  RegisterAction action(registrar, this);
  ForEachEntry(action);
  return 0;
}

LONG TarnEventHandlerT<1>::HandleMessage(IMessage* message) {
  if (!message || !Accepts(message)) return 0;
  if (HandleMessageByTable(message)) return 1;
  return OfferToChildren(message);
}
