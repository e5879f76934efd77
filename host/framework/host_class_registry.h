// The class registry: keeps the class objects that modules register, one per type word (a
// document class is initialised as it is registered), and makes the host's own objects by their
// type codes.
#pragma once

#include <mutex>
#include <vector>

#include "host/framework/held_reference.h"
#include "platform/pendrel/class_registry.h"

namespace Tarn {

// One face of the framework object, which answers IUnknown for it.
class HostClassRegistry : public ITarnClassRegistry {
 public:
  HRESULT RegisterClassObject(ITarnClassObject* classObject) override;
  HRESULT FindClassObject(DWORD type, ITarnClassObject** classObject) override;
  HRESULT CreateAggregatedObject(IUnknown* outer, DWORD type, REFIID iid, void** object) override;
  HRESULT RevokeClassObject(ITarnClassObject* classObject) override;
  HRESULT CreateObject(DWORD type, REFIID iid, void** object) override;

  // Releases every registered class object.
  void Reset();
  // The registered class objects, in the order of registration, each with a reference.
  std::vector<HeldReference<ITarnClassObject>> ClassObjects();

 protected:
  HostClassRegistry() = default;
  ~HostClassRegistry() = default;

 private:
  struct Registration {
    DWORD type;  // asked once, when the class object is registered
    HeldReference<ITarnClassObject> classObject;
  };

  // Registers a class object whose type word is known.
  HRESULT Add(ITarnClassObject* classObject, DWORD type);
  HRESULT MakeHostObject(DWORD type, REFIID iid, void** object);

  std::mutex m_mutex;
  std::vector<Registration> m_registrations;
};

}  // namespace Tarn
