// Services of the host framework: the id registry, the debug object tracker and the shared
// service.
#pragma once

#include "core/iquor_string.h"
#include "platform/pendrel/messages.h"

// Assigns each GUID a stable 16-bit id for the life of the process; the module forms its
// message, event and type words as (id << 16) | n.
struct ITarnIdRegistry : IUnknown {
  PLATFORM_INTERFACE_ID("1ed92179-6275-41dc-97da-a157dc362262");
  using Base = IUnknown;
  virtual HRESULT GetGuidId(REFGUID guid, WORD* id) = 0;
  // The GUID an id was given for; E_INVALIDARG and GUID_NULL for an id the registry never gave.
  virtual HRESULT GetGuidOfId(WORD id, GUID* guid) = 0;
  // The type word a name stands for: the type of the registered class of that name (compared
  // without regard to case), or a number written in decimal or 0x hexadecimal. S_FALSE and 0
  // when the name stands for none.
  virtual HRESULT GetTypeWordOfName(IQuorString* name, DWORD* type) = 0;
  // The name of the registered class of a type word; S_FALSE and null when there is none.
  virtual HRESULT GetNameOfTypeWord(DWORD type, IQuorString** name) = 0;

 protected:
  ~ITarnIdRegistry() = default;
};

struct ITarnFrameworkService : IUnknown {
  PLATFORM_INTERFACE_ID("a7662fba-b67b-43f0-a48b-4591bc838d78");
  using Base = IUnknown;
  // The debug object tracker: told of objects as they are made (and with which code).
  virtual HRESULT TrackObject(IUnknown* object, DWORD code) = 0;
  virtual HRESULT UntrackObject(IUnknown* object) = 0;

 protected:
  ~ITarnFrameworkService() = default;
};

// Host object type 0x8000000A.
struct ITarnSharedService : IUnknown {
  PLATFORM_INTERFACE_ID("c916b6c3-a930-4a0e-9ed4-75fbcc7bd182");
  using Base = IUnknown;
  virtual HRESULT CreateMessageObject(DWORD type, IQuorString* name, REFGUID typeGuid,
                                      IMessage** message) = 0;
  // The key of a stored value: a message of the type with one or two parameters.
  virtual HRESULT CreateKeyMessage(DWORD type, DWORD parameter1, DWORD parameter2,
                                   IMessage** key) = 0;

 protected:
  ~ITarnSharedService() = default;
};
