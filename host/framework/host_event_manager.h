// The event manager: the observers of every subject, with the events each wants.
//
// It holds no reference on subjects or observers: an observer detaches itself from its
// destructor and a subject asks to be forgotten from its own, so a reference here would keep
// both alive for ever. Notices are therefore delivered only to observers that are still
// attached at the moment of each call.
#pragma once

#include <mutex>
#include <vector>

#include "platform/pendrel/events.h"

namespace Tarn {

// One face of the framework object, which answers IUnknown for it.
class HostEventManager : public ITarnEventManager {
 public:
  HRESULT AttachObserver(ISubject* subject, IObserver* observer, DWORD mask) override;
  HRESULT DetachObserver(ISubject* subject, IObserver* observer) override;
  HRESULT DetachAllObservers(ISubject* subject, DWORD argument) override;
  HRESULT Notify(ISubject* subject, DWORD eventId, LONG_PTR a, const void* parameters) override;
  HRESULT ForgetSubject(ISubject* subject) override;
  HRESULT RemoveObserver(IObserver* observer) override;

  // Forgets every subject.
  void Reset();

 protected:
  HostEventManager() = default;
  ~HostEventManager() = default;

 private:
  struct Attachment {
    ISubject* subject;
    IObserver* observer;
    DWORD mask;
    std::vector<DWORD> eventIds;  // what the observer subscribed to when it was attached

    bool Wants(DWORD eventId) const;
  };

  // The attachments that match, dropped; S_FALSE when there were none.
  template <class Match>
  HRESULT Drop(Match&& match);
  // Whether `observer` is still attached to `subject` and wants the event.
  bool StillWants(ISubject* subject, IObserver* observer, DWORD eventId);

  std::mutex m_mutex;
  // In the order of attachment, which is the order of notice.
  std::vector<Attachment> m_attachments;
};

}  // namespace Tarn
