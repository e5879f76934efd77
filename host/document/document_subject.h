// One face of the data document: the subject its module documents observe. The framework's
// event manager keeps the observers; the document raises the host's events through it.
#pragma once

#include <initializer_list>

#include "platform/pendrel/events.h"
#include "platform/pendrel/host_events.h"

namespace PendrelHost {

class DocumentSubject : public ISubject {
 public:
  HRESULT AttachObserver(IObserver* observer, DWORD mask) override;
  HRESULT DetachObserver(IObserver* observer) override;
  HRESULT DetachAllObservers(DWORD argument) override;
  HRESULT Notify(DWORD eventId, LONG_PTR a, const void* parameters) override;

  // Tells the observers of event `eventId`, with the words as its parameter block.
  void Raise(DWORD eventId, std::initializer_list<DWORD> words = {});
  // A data event (the n of a view-framework word).
  void RaiseDataEvent(DWORD n, std::initializer_list<DWORD> words = {});

 protected:
  DocumentSubject() = default;
  // Asks the event manager to forget the subject.
  ~DocumentSubject();
};

}  // namespace PendrelHost
