// Event handlers receive the host's command, observer and message calls and dispatch them
// through the event tables of the object's class chain.
#pragma once

#include "hostframework/event_table.h"
#include "hostframework/message_handler.h"

// The table owner. A class with a table overrides FindEntry and ForEachEntry with
// TARN_DECLARE_EVENT_TABLE / TARN_DEFINE_EVENT_TABLE; the base itself has no table.
class TarnEventHandlerBase {
 public:
  virtual ~TarnEventHandlerBase() = default;
  // On a hit, `object` is the object as the class that declared the table.
  virtual const TarnEventTableEntry* FindEntry(const EventTrigger&, void** object) {
    *object = nullptr;
    return nullptr;
  }
  virtual void ForEachEntry(TableEntryAction&) {}
  // Runs the table's entry for the message: true when it handled it (its result was 0).
  virtual bool HandleMessageByTable(IMessage* message);
  // Replays through the table, in stored order, the state messages that `source` (a document's
  // store, IPendrelPersistMessages) keeps; items that are not messages are skipped.
  void HandleMessagesOfType(IUnknown* source);

  LONG DispatchCommand(DWORD id);
  LONG DispatchCommandEnable(DWORD id, ITarnCommandState* state);
  LONG DispatchCommandNotify(DWORD id, DWORD kind, DWORD a, DWORD b);
  LONG DispatchNotice(DWORD eventId, const void* parameters);

 protected:
  // The flags of the message being dispatched.
  DWORD m_messageFlags = 0;
};

// The complete handler of a COM object (a document, a class object): its command, observer and
// message faces answer from the table; messages the table does not handle go to the children.
template <int Variant>
class TarnEventHandlerT;

template <>
class TarnEventHandlerT<1> : public ITarnCommandHandler,
                             public IObserver,
                             public TarnEventHandlerBase,
                             public TarnMessageHandler {
 public:
  LONG OnCommand(DWORD id) override { return DispatchCommand(id); }
  LONG OnCommandEnable(DWORD id, ITarnCommandState* state) override {
    return DispatchCommandEnable(id, state);
  }
  LONG OnCommandNotify(DWORD id, DWORD kind, DWORD a, DWORD b) override {
    return DispatchCommandNotify(id, kind, a, b);
  }
  LONG RegisterEvents(ITarnEventRegistrar* registrar) override;
  LONG OnNotify(ISubject*, DWORD eventId, LONG_PTR, const void* parameters) override {
    DispatchNotice(eventId, parameters);
    return 0;
  }
  LONG HandleMessage(IMessage* message) override;
};

#define TARN_DECLARE_EVENT_TABLE()                                                          \
 public:                                                                                   \
  const TarnEventTableEntry* FindEntry(const EventTrigger& trigger, void** object) override; \
  void ForEachEntry(TableEntryAction& action) override;                                    \
                                                                                           \
 private:                                                                                  \
  static TarnEventTable& EventTable()

// Defines the table of `Class`, whose lookups then continue in `Base`'s.
#define TARN_DEFINE_EVENT_TABLE(Class, Base, ...)                                          \
  TarnEventTable& Class::EventTable() {                                                    \
    static TarnEventTableEntry entries[] = {                                               \
        TarnEventTableHead() __VA_OPT__(, __VA_ARGS__), TarnEventTableEnd()};              \
    static TarnEventTable table{entries, {}};                                              \
    return table;                                                                          \
  }                                                                                        \
  const TarnEventTableEntry* Class::FindEntry(const EventTrigger& trigger, void** object) { \
    if (const TarnEventTableEntry* entry = FindEventTableEntry(EventTable(), trigger)) {    \
      *object = static_cast<Class*>(this);                                                 \
      return entry;                                                                        \
    }                                                                                      \
    return Base::FindEntry(trigger, object);                                               \
  }                                                                                        \
  void Class::ForEachEntry(TableEntryAction& action) {                                     \
    ForEachEventTableEntry(EventTable(), action);                                          \
    Base::ForEachEntry(action);                                                            \
  }
