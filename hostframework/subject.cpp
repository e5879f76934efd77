#include "hostframework/subject.h"

#include "hostframework/host_services.h"

HRESULT TarnSubject::AttachObserver(IObserver* observer, DWORD mask) {
  ITarnEventManager* manager = GetTarnEventManager();
  return manager ? manager->AttachObserver(this, observer, mask) : E_FAIL;
}

HRESULT TarnSubject::DetachObserver(IObserver* observer) {
  ITarnEventManager* manager = GetTarnEventManager();
  return manager ? manager->DetachObserver(this, observer) : E_FAIL;
}

HRESULT TarnSubject::DetachAllObservers(DWORD argument) {
  ITarnEventManager* manager = GetTarnEventManager();
  return manager ? manager->DetachAllObservers(this, argument) : E_FAIL;
}

HRESULT TarnSubject::Notify(DWORD eventId, LONG_PTR a, const void* parameters) {
  ITarnEventManager* manager = GetTarnEventManager();
  return manager ? manager->Notify(this, eventId, a, parameters) : E_FAIL;
}

TarnSubject::~TarnSubject() {
  if (ITarnEventManager* manager = GetTarnEventManager()) manager->ForgetSubject(this);
}
