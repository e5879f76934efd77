// Keeps an interface alive across a call into its owner.
#pragma once

#include "platform/win32/unknown.h"

class InterfaceCallOwner {
 public:
  virtual ~InterfaceCallOwner() = default;
  virtual HRESULT OnInterfaceCall(DWORD value, IUnknown* object) = 0;
};

struct InterfaceCallHolder {
  InterfaceCallOwner* owner;
  DWORD value;

  // Holds a reference on `object` while the owner runs.
  HRESULT Invoke(IUnknown* object) const {
    if (object) object->AddRef();
    const HRESULT hr = owner->OnInterfaceCall(value, object);
    if (object) object->Release();
    return hr;
  }
};
