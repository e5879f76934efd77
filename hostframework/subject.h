// A subject whose observers the host's event manager keeps.
#pragma once

#include "platform/pendrel/events.h"

class TarnSubject : public ISubject {
 public:
  HRESULT AttachObserver(IObserver* observer, DWORD mask) override;
  HRESULT DetachObserver(IObserver* observer) override;
  HRESULT DetachAllObservers(DWORD argument) override;
  HRESULT Notify(DWORD eventId, LONG_PTR a, const void* parameters) override;

 protected:
  TarnSubject() = default;
  // Asks the event manager to forget the subject.
  virtual ~TarnSubject();
};
