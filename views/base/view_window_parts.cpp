#include "views/base/view_window_parts.h"

#include "core/com_ptr.h"

namespace Rhyth {

Document* DocumentBehind(IUnknown* document) {
  Quor::ComPtr<IRhythDocument> rhyth;
  if (document) document->QueryInterface(IRhythDocument::iid, Quor::ComPtrOut<IRhythDocument>::Bind(rhyth));
  return static_cast<Document*>(rhyth.Get());
}

ObservedSubjects::~ObservedSubjects() {
  for (ISubject* subject : m_subjects) subject->Release();
}

void ObservedSubjects::Observe(TarnCppEventHandler& handler, ISubject* subject) {
  if (!subject || !handler.GetProxy()) return;
  subject->AddRef();
  m_subjects.push_back(subject);
  handler.ObserveSubject(subject);
}

void ObservedSubjects::StopObserving(TarnCppEventHandler& handler) {
  for (ISubject* subject : m_subjects) {
    if (handler.GetProxy()) subject->DetachObserver(handler.GetProxy());
    subject->Release();
  }
  m_subjects.clear();
}

}  // namespace Rhyth
