#include "hostframework/event_table.h"

bool CommandTrigger::Accepts(const TarnEventTableEntry& entry) const {
  if (entry.match == kTarnMatchRange) return entry.key <= m_id && m_id < entry.rangeEnd;
  return entry.match == 0 && entry.key == m_id;
}

bool MsgEventTrigger::Accepts(const TarnEventTableEntry& entry) const {
  const DWORD mask = 0xFFFF0000u | entry.match;
  return (m_messageId & mask) == (entry.key & mask);
}

void ResolveEventTable(TarnEventTable& table) {
  // Once per process, whichever thread looks first; the ids come from the host.
  std::call_once(table.resolution, [&table] {
    TarnEventTableEntry* head = table.entries;
    for (TarnEventTableEntry* e = head + 1; e->kind != kTarnEventEnd; ++e) {
      if (e->keyGetter) e->key = *e->keyGetter();
      if (e->match == kTarnMatchRange && e->endGetter &&
          (e->kind == kTarnEventCommand || e->kind == kTarnEventCommandState ||
           e->kind == kTarnEventCommandNotify1 || e->kind == kTarnEventCommandNotify2)) {
        e->rangeEnd = *e->endGetter();
      }
    }
    head->flags &= BYTE(~kTarnTableUnresolved);
  });
}

const TarnEventTableEntry* FindEventTableEntry(TarnEventTable& table, const EventTrigger& trigger) {
  ResolveEventTable(table);
  const BYTE kind = trigger.Kind();
  for (const TarnEventTableEntry* e = table.entries + 1; e->kind != kTarnEventEnd; ++e) {
    if (e->kind == kind && trigger.Accepts(*e)) return e;
  }
  return nullptr;
}

void RegisterAction::Apply(const TarnEventTableEntry& entry) {
  if (entry.kind == kTarnEventNotice) m_registrar->Subscribe(m_observer, entry.key, 0);
}

void ForEachEventTableEntry(TarnEventTable& table, TableEntryAction& action) {
  ResolveEventTable(table);
  const TarnEventTableEntry* e = table.entries;
  for (; e->kind != kTarnEventEnd; ++e) action.Apply(*e);
}
