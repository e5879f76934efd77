#include "host/document/document_subject.h"

#include <vector>

#include "host/document/host_words.h"

namespace PendrelHost {

DocumentSubject::~DocumentSubject() {
  if (ITarnEventManager* manager = EventManager()) manager->ForgetSubject(this);
}

HRESULT DocumentSubject::AttachObserver(IObserver* observer, DWORD mask) {
  ITarnEventManager* manager = EventManager();
  return manager ? manager->AttachObserver(this, observer, mask) : E_FAIL;
}

HRESULT DocumentSubject::DetachObserver(IObserver* observer) {
  ITarnEventManager* manager = EventManager();
  return manager ? manager->DetachObserver(this, observer) : E_FAIL;
}

HRESULT DocumentSubject::DetachAllObservers(DWORD argument) {
  ITarnEventManager* manager = EventManager();
  return manager ? manager->DetachAllObservers(this, argument) : E_FAIL;
}

HRESULT DocumentSubject::Notify(DWORD eventId, LONG_PTR a, const void* parameters) {
  ITarnEventManager* manager = EventManager();
  return manager ? manager->Notify(this, eventId, a, parameters) : E_FAIL;
}

void DocumentSubject::Raise(DWORD eventId, std::initializer_list<DWORD> words) {
  // Observers read up to four words whatever the event: the block always has them.
  std::vector<DWORD> block(words);
  if (block.size() < 4) block.resize(4, 0);
  Notify(eventId, 0, block.data());
}

void DocumentSubject::RaiseDataEvent(DWORD n, std::initializer_list<DWORD> words) {
  Raise(DataEventWord(n), words);
}

}  // namespace PendrelHost
