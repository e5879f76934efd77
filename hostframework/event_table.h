// Static event tables: each class that answers host commands, notices or messages lists
// entries that bind an id to one of its member functions. A lookup finds the first matching
// entry of the object's class, then of its base classes.
#pragma once

#include <mutex>
#include <tuple>
#include <type_traits>

#include "core/quor_string.h"
#include "platform/pendrel/commands.h"
#include "platform/pendrel/events.h"
#include "platform/pendrel/messages.h"

enum TarnEventKind : BYTE {
  kTarnEventEnd = 0,
  kTarnEventHead = 1,
  kTarnEventCommand = 2,
  kTarnEventCommandState = 3,
  kTarnEventNotice = 4,
  kTarnEventMessage = 5,
  kTarnEventCommandNotify1 = 6,
  kTarnEventCommandNotify2 = 7,
};

// Head flag: the table's ids have not been fetched from the host yet.
constexpr BYTE kTarnTableUnresolved = 2;
// Match word of a command entry that covers the ids from its key up to its range end.
constexpr WORD kTarnMatchRange = 1;

// Everything a host call brings that an entry may pass to its member.
struct TarnEventCall {
  DWORD id = 0;
  ITarnCommandState* state = nullptr;
  DWORD a = 0;
  DWORD b = 0;
  IMessage* message = nullptr;
  const DWORD* parameters = nullptr;  // a notice's or message's parameter words
  DWORD parameterCount = 0;
};

// The wrapper a command-state member receives.
class TarnCommandState {
 public:
  explicit TarnCommandState(ITarnCommandState* state) : m_state(state) {}
  void Enable(bool enable) {
    if (m_state) m_state->Enable(enable ? VARIANT_TRUE : VARIANT_FALSE);
  }
  void SetCheck(LONG check) {
    if (m_state) m_state->SetCheck(check);
  }
  void SetText(const Quor::String& text) {
    if (!m_state) return;
    IQuorString* shown = text.GetInterface();
    m_state->SetText(shown);
    shown->Release();
  }
  ITarnCommandState* Get() const { return m_state; }

 private:
  ITarnCommandState* m_state;
};

using TarnIdGetter = const DWORD* (*)();
using TarnEventInvoker = LONG (*)(void* object, const TarnEventCall& call);

struct TarnEventTableEntry {
  BYTE kind;
  BYTE flags;
  WORD match;
  DWORD key;
  DWORD rangeEnd;
  TarnIdGetter keyGetter;
  TarnIdGetter endGetter;
  TarnEventInvoker invoke;
};

struct TarnEventTable {
  TarnEventTableEntry* entries;  // a head, the entries, an end
  std::once_flag resolution;
};

// Fetches every entry's ids once per process.
void ResolveEventTable(TarnEventTable& table);

class EventTrigger {
 public:
  virtual BYTE Kind() const = 0;
  virtual bool Accepts(const TarnEventTableEntry& entry) const = 0;

 protected:
  ~EventTrigger() = default;
};

class CommandTrigger final : public EventTrigger {
 public:
  CommandTrigger(DWORD id, BYTE kind) : m_id(id), m_kind(kind) {}
  BYTE Kind() const override { return m_kind; }
  bool Accepts(const TarnEventTableEntry& entry) const override;

 private:
  DWORD m_id;
  BYTE m_kind;
};

class ObserverEventTrigger final : public EventTrigger {
 public:
  explicit ObserverEventTrigger(DWORD eventId) : m_eventId(eventId) {}
  BYTE Kind() const override { return kTarnEventNotice; }
  bool Accepts(const TarnEventTableEntry& entry) const override { return entry.key == m_eventId; }

 private:
  DWORD m_eventId;
};

class MsgEventTrigger final : public EventTrigger {
 public:
  MsgEventTrigger(DWORD messageId, DWORD flags) : m_messageId(messageId), m_flags(flags) {}
  BYTE Kind() const override { return kTarnEventMessage; }
  bool Accepts(const TarnEventTableEntry& entry) const override;

 private:
  DWORD m_messageId;
  DWORD m_flags;
};

// The first entry of the trigger's kind that it accepts, or null.
const TarnEventTableEntry* FindEventTableEntry(TarnEventTable& table, const EventTrigger& trigger);

class TableEntryAction {
 public:
  virtual void Apply(const TarnEventTableEntry& entry) = 0;

 protected:
  ~TableEntryAction() = default;
};

// Tells a registrar every event an observer's table answers.
class RegisterAction final : public TableEntryAction {
 public:
  RegisterAction(ITarnEventRegistrar* registrar, IObserver* observer)
      : m_registrar(registrar), m_observer(observer) {}
  void Apply(const TarnEventTableEntry& entry) override;

 private:
  ITarnEventRegistrar* m_registrar;
  IObserver* m_observer;
};

void ForEachEventTableEntry(TarnEventTable& table, TableEntryAction& action);

// ---- Building entries -------------------------------------------------------------------

namespace tarn_event_detail {

template <class M>
struct MemberTraits;
template <class C, class R, class... A>
struct MemberTraits<R (C::*)(A...)> {
  using Class = C;
  using Result = R;
  static constexpr std::size_t arity = sizeof...(A);
};

template <class R, class F>
LONG ResultOf(F&& call) {
  if constexpr (std::is_void_v<R>) {
    call();
    return 0;
  } else {
    return static_cast<LONG>(call());
  }
}

template <auto Member, std::size_t... I>
LONG InvokeWithWords(void* object, const DWORD* words, DWORD count, std::index_sequence<I...>) {
  using Traits = MemberTraits<decltype(Member)>;
  auto* self = static_cast<typename Traits::Class*>(object);
  auto word = [&](std::size_t i) { return i < count ? words[i] : DWORD(0); };
  return ResultOf<typename Traits::Result>([&] { return (self->*Member)(word(I)...); });
}

template <auto Member>
LONG InvokeCommand(void* object, const TarnEventCall&) {
  using Traits = MemberTraits<decltype(Member)>;
  (static_cast<typename Traits::Class*>(object)->*Member)();
  return 0;
}

template <auto Member>
LONG InvokeCommandState(void* object, const TarnEventCall& call) {
  using Traits = MemberTraits<decltype(Member)>;
  TarnCommandState state(call.state);
  (static_cast<typename Traits::Class*>(object)->*Member)(state);
  return 0;
}

template <auto Member>
LONG InvokeCommandNotify(void* object, const TarnEventCall& call) {
  using Traits = MemberTraits<decltype(Member)>;
  const DWORD words[2] = {call.a, call.b};
  return InvokeWithWords<Member>(object, words, 2, std::make_index_sequence<Traits::arity>());
}

template <auto Member>
LONG InvokeWithParameters(void* object, const TarnEventCall& call) {
  using Traits = MemberTraits<decltype(Member)>;
  return InvokeWithWords<Member>(object, call.parameters, call.parameterCount,
                                 std::make_index_sequence<Traits::arity>());
}

}  // namespace tarn_event_detail

// A constant id, for entries whose id needs nothing from the host.
template <DWORD Id>
const DWORD* TarnConstantId() {
  static const DWORD id = Id;
  return &id;
}

constexpr TarnEventTableEntry TarnEventTableHead() {
  return {kTarnEventHead, kTarnTableUnresolved, 0, 0, 0, nullptr, nullptr, nullptr};
}
constexpr TarnEventTableEntry TarnEventTableEnd() {
  return {kTarnEventEnd, 0, 0, 0, 0, nullptr, nullptr, nullptr};
}

// A menu command: member `void ()`.
template <auto Member>
TarnEventTableEntry EvCommand(TarnIdGetter id) {
  return {kTarnEventCommand, 0, 0, 0, 0, id, nullptr, &tarn_event_detail::InvokeCommand<Member>};
}

// Commands from `first` up to, not including, `end`: member `void ()`.
template <auto Member>
TarnEventTableEntry EvCommandRange(TarnIdGetter first, TarnIdGetter end) {
  return {kTarnEventCommand, 0, kTarnMatchRange, 0, 0, first, end,
          &tarn_event_detail::InvokeCommand<Member>};
}

// A command-state query: member `void (TarnCommandState&)`.
template <auto Member>
TarnEventTableEntry EvCommandState(TarnIdGetter id) {
  return {kTarnEventCommandState, 0, 0, 0, 0, id, nullptr,
          &tarn_event_detail::InvokeCommandState<Member>};
}

// A command notification with one or two 32-bit arguments: its result is the call's.
template <auto Member>
TarnEventTableEntry EvCommandNotify(TarnIdGetter id) {
  constexpr std::size_t arity = tarn_event_detail::MemberTraits<decltype(Member)>::arity;
  static_assert(arity == 1 || arity == 2, "a command notification takes one or two words");
  return {arity == 1 ? kTarnEventCommandNotify1 : kTarnEventCommandNotify2, 0, 0, 0, 0, id,
          nullptr, &tarn_event_detail::InvokeCommandNotify<Member>};
}

// An observed event: member taking up to four words of the notice's parameter block.
template <auto Member>
TarnEventTableEntry EvNotice(TarnIdGetter id) {
  static_assert(tarn_event_detail::MemberTraits<decltype(Member)>::arity <= 4);
  return {kTarnEventNotice, 0, 0, 0, 0, id, nullptr,
          &tarn_event_detail::InvokeWithParameters<Member>};
}

// A message: member `LONG ()` (0 = handled) or taking words of the message's parameter block.
// `mask` selects the low bits of the id that must match (0: any message of the id's high word).
template <auto Member>
TarnEventTableEntry EvMessage(TarnIdGetter id, WORD mask = 0xFFFF) {
  static_assert(tarn_event_detail::MemberTraits<decltype(Member)>::arity <= 4);
  return {kTarnEventMessage, 0, mask, 0, 0, id, nullptr,
          &tarn_event_detail::InvokeWithParameters<Member>};
}
