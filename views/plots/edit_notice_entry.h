// The event-table entry of a plot edit notice (lines dragged, box resized): its element id and
// values go to a handler of the view.
#pragma once

#include "hostframework/event_table.h"
#include "plotengine/proxy/etch_events.h"

namespace Rhyth {

template <class View, class NoticeType,
          void (View::*Handler)(const Quor::String& elementId, const double* values, DWORD count)>
TarnEventTableEntry EditNoticeEntry() {
  constexpr TarnEventInvoker invoke = [](void* object, const TarnEventCall& call) -> LONG {
    const auto* edit = reinterpret_cast<const Quor::EtchArrayPayload*>(call.parameters);
    if (!edit) return 1;
    (static_cast<View*>(object)->*Handler)(Quor::String(edit->id), edit->values, edit->count);
    return 0;
  };
  return {kTarnEventNotice, 0, 0, 0, 0, &NoticeType::IdPointer, nullptr, invoke};
}

}  // namespace Rhyth
