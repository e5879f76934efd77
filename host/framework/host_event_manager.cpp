#include "host/framework/host_event_manager.h"

#include <algorithm>

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/event_registrar.h"
#include "host/framework/guarded_call.h"
#include "host/framework/held_reference.h"

namespace Tarn {

namespace {
constexpr const char* kService = "EventManager";
}

bool HostEventManager::Attachment::Wants(DWORD eventId) const {
  if (mask == 0 || eventIds.empty()) return true;
  return std::find(eventIds.begin(), eventIds.end(), eventId) != eventIds.end();
}

HRESULT HostEventManager::AttachObserver(ISubject* subject, IObserver* observer, DWORD mask) {
  return Guarded([&] {
    RecordCall(kService, "AttachObserver", "mask=" + HexWord(mask));
    if (!subject || !observer) return E_POINTER;
    // Asked before the lock: the observer may call back into the manager.
    HeldReference<EventRegistrar> registrar(new EventRegistrar);
    observer->RegisterEvents(registrar.get());
    Attachment attachment{subject, observer, mask, registrar->EventIds()};
    std::lock_guard lock(m_mutex);
    auto same = std::find_if(m_attachments.begin(), m_attachments.end(), [&](const Attachment& a) {
      return a.subject == subject && a.observer == observer;
    });
    // Attaching again renews the mask and the subscriptions without a second notice.
    if (same != m_attachments.end()) {
      *same = std::move(attachment);
    } else {
      m_attachments.push_back(std::move(attachment));
    }
    return S_OK;
  });
}

HRESULT HostEventManager::DetachObserver(ISubject* subject, IObserver* observer) {
  return Guarded([&] {
    RecordCall(kService, "DetachObserver");
    return Drop([&](const Attachment& a) { return a.subject == subject && a.observer == observer; });
  });
}

HRESULT HostEventManager::DetachAllObservers(ISubject* subject, DWORD argument) {
  return Guarded([&] {
    RecordCall(kService, "DetachAllObservers", "argument=" + HexWord(argument));
    return Drop([&](const Attachment& a) { return a.subject == subject; });
  });
}

HRESULT HostEventManager::Notify(ISubject* subject, DWORD eventId, LONG_PTR a,
                                 const void* parameters) {
  return Guarded([&] {
    RecordCall(kService, "Notify",
               "event=" + HexWord(eventId) + ", a=" + std::to_string(a) + ", parameters=" + Presence(parameters));
    if (!subject) return E_POINTER;
    std::vector<IObserver*> observers;
    {
      std::lock_guard lock(m_mutex);
      for (const Attachment& attachment : m_attachments) {
        if (attachment.subject == subject) observers.push_back(attachment.observer);
      }
    }
    // An observer may detach others (and so end their lives) while it takes the notice.
    for (IObserver* observer : observers) {
      if (StillWants(subject, observer, eventId)) observer->OnNotify(subject, eventId, a, parameters);
    }
    return S_OK;
  });
}

HRESULT HostEventManager::ForgetSubject(ISubject* subject) {
  return Guarded([&] {
    RecordCall(kService, "ForgetSubject");
    return Drop([&](const Attachment& a) { return a.subject == subject; });
  });
}

HRESULT HostEventManager::RemoveObserver(IObserver* observer) {
  return Guarded([&] {
    RecordCall(kService, "RemoveObserver");
    return Drop([&](const Attachment& a) { return a.observer == observer; });
  });
}

void HostEventManager::Reset() {
  std::lock_guard lock(m_mutex);
  m_attachments.clear();
}

template <class Match>
HRESULT HostEventManager::Drop(Match&& match) {
  std::lock_guard lock(m_mutex);
  const auto dropped = std::erase_if(m_attachments, match);
  return dropped > 0 ? S_OK : S_FALSE;
}

bool HostEventManager::StillWants(ISubject* subject, IObserver* observer, DWORD eventId) {
  std::lock_guard lock(m_mutex);
  return std::any_of(m_attachments.begin(), m_attachments.end(), [&](const Attachment& a) {
    return a.subject == subject && a.observer == observer && a.Wants(eventId);
  });
}

}  // namespace Tarn
