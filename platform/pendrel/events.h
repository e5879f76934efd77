// Subjects, observers and the host's event manager, which keeps who observes what.
#pragma once

#include "platform/win32/unknown.h"

struct ISubject;
struct IObserver;

// Learns which events an observer wants.
struct ITarnEventRegistrar : IUnknown {
  PLATFORM_INTERFACE_ID("8559c6db-1d74-4687-b7b0-56e7419619fd");
  using Base = IUnknown;
  virtual HRESULT Subscribe(IObserver* observer, DWORD eventId, DWORD flags) = 0;

 protected:
  ~ITarnEventRegistrar() = default;
};

struct IObserver : IUnknown {
  PLATFORM_INTERFACE_ID("f0303954-dde8-49f3-b503-cff63ac03d30");
  using Base = IUnknown;
  virtual LONG RegisterEvents(ITarnEventRegistrar* registrar) = 0;
  // `parameters` points at the notice's block of 32-bit words.
  virtual LONG OnNotify(ISubject* subject, DWORD eventId, LONG_PTR a, const void* parameters) = 0;

 protected:
  ~IObserver() = default;
};

struct ISubject : IUnknown {
  PLATFORM_INTERFACE_ID("c31b8385-d454-4088-8722-ca7621438bb0");
  using Base = IUnknown;
  virtual HRESULT AttachObserver(IObserver* observer, DWORD mask) = 0;
  virtual HRESULT DetachObserver(IObserver* observer) = 0;
  virtual HRESULT DetachAllObservers(DWORD argument) = 0;
  virtual HRESULT Notify(DWORD eventId, LONG_PTR a, const void* parameters) = 0;

 protected:
  ~ISubject() = default;
};

// The observers of every subject. An observer attached with a non-zero mask hears the events
// whose ids it subscribed to (RegisterEvents) or, when it subscribed to none, every event;
// the mask 0 hears everything.
struct ITarnEventManager : IUnknown {
  PLATFORM_INTERFACE_ID("2f04ff25-0836-41e0-aceb-8fde0815b21f");
  using Base = IUnknown;
  virtual HRESULT AttachObserver(ISubject* subject, IObserver* observer, DWORD mask) = 0;
  virtual HRESULT DetachObserver(ISubject* subject, IObserver* observer) = 0;
  virtual HRESULT DetachAllObservers(ISubject* subject, DWORD argument) = 0;
  virtual HRESULT Notify(ISubject* subject, DWORD eventId, LONG_PTR a, const void* parameters) = 0;
  virtual HRESULT ForgetSubject(ISubject* subject) = 0;
  virtual HRESULT RemoveObserver(IObserver* observer) = 0;

 protected:
  ~ITarnEventManager() = default;
};
