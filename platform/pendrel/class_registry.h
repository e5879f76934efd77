// Class objects and the host's class registry.
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/unknown.h"

// What every class object tells the host about the class it makes.
struct ITarnClassObject : IUnknown {
  PLATFORM_INTERFACE_ID("088e45e3-ce81-4e05-991a-3296e5bb1916");
  using Base = IUnknown;
  virtual HRESULT GetTypeId(DWORD* type) = 0;
  virtual HRESULT GetCategoryId(GUID* category) = 0;
  virtual HRESULT GetClassName(IQuorString** name) = 0;
  // S_OK when the class belongs to the category, S_FALSE otherwise.
  virtual HRESULT IsCategory(REFGUID category) = 0;

 protected:
  ~ITarnClassObject() = default;
};

// Host-made objects are created by their type word (host object types 0x8000xxxx, or a
// module type word); module classes are registered and found by theirs.
struct ITarnClassRegistry : IUnknown {
  PLATFORM_INTERFACE_ID("bffc6b44-1d79-4aa7-be6d-07a69844cb37");
  using Base = IUnknown;
  virtual HRESULT RegisterClassObject(ITarnClassObject* classObject) = 0;
  virtual HRESULT FindClassObject(DWORD type, ITarnClassObject** classObject) = 0;
  // Creates an object aggregated in `outer` (its controlling unknown).
  virtual HRESULT CreateAggregatedObject(IUnknown* outer, DWORD type, REFIID iid, void** object) = 0;
  virtual HRESULT RevokeClassObject(ITarnClassObject* classObject) = 0;
  virtual HRESULT CreateObject(DWORD type, REFIID iid, void** object) = 0;

 protected:
  ~ITarnClassRegistry() = default;
};
