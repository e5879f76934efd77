// The event-table entry through which a plot view hears a click on an element of its plot: the
// plot proxy's mouse-click notice calls the view's OnPointClicked(plotter id, label).
#pragma once

#include "hostframework/event_handler.h"
#include "plotengine/proxy/etch_events.h"

namespace Rhyth {

template <class View>
LONG InvokePointClicked(void* object, const TarnEventCall& call) {
  const auto* click = reinterpret_cast<const Quor::EtchClickPayload*>(call.parameters);
  if (!click) return 1;
  static_cast<View*>(object)->OnPointClicked(Quor::String(click->dataId),
                                             Quor::String(click->label));
  return 0;
}

template <class View>
TarnEventTableEntry PointClickedEntry() {
  return {kTarnEventNotice, 0, 0, 0, 0, &Quor::EtchMouseClickType::IdPointer, nullptr,
          &InvokePointClicked<View>};
}

}  // namespace Rhyth
