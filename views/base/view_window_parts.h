// What every analysis view window does alike, whether it shows a plot or the report: find the
// analysis document behind the document interface the host gives it, answer the host's query of
// its preferred size, and observe subjects (the document's notices among them) until its window
// goes. Used by the view windows from construction to destruction, on the host's user interface
// thread.
#pragma once

#include <vector>

#include "analysis/document/document.h"
#include "hostframework/cpp_event_handler.h"
#include "hostframework/event_table.h"
#include "platform/pendrel/view_messages.h"

namespace Rhyth {

// The analysis document behind the host's document interface; null for another document.
Document* DocumentBehind(IUnknown* document);

// Every view asks the host for 300 by 200 pixels.
inline constexpr PendrelViewSize kPreferredViewSize{300, 200};

// The host's size query, whose parameter block is the output pair itself.
template <class View>
LONG InvokeSizeQuery(void* object, const TarnEventCall& call) {
  auto* size = reinterpret_cast<PendrelViewSize*>(const_cast<DWORD*>(call.parameters));
  if (size) static_cast<View*>(object)->OnSizeQuery(size);
  return 0;
}

// The table entry of the size query: it calls View::OnSizeQuery(PendrelViewSize*).
template <class View>
TarnEventTableEntry SizeQueryEntry() {
  return {kTarnEventNotice, 0, 0, 0, 0, &TarnConstantId<kHostViewSizeQuery>, nullptr,
          &InvokeSizeQuery<View>};
}

// The subjects a view's event handler observes through its proxy, each held until
// StopObserving.
class ObservedSubjects {
 public:
  ObservedSubjects() = default;
  ObservedSubjects(const ObservedSubjects&) = delete;
  ObservedSubjects& operator=(const ObservedSubjects&) = delete;
  ~ObservedSubjects();

  // Nothing without a subject or before the handler has its proxy.
  void Observe(TarnCppEventHandler& handler, ISubject* subject);
  void StopObserving(TarnCppEventHandler& handler);

 private:
  std::vector<ISubject*> m_subjects;  // held
};

}  // namespace Rhyth
