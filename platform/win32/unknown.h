// IUnknown and the interface-id mechanism: every interface declares its id as a static member
// `iid` and, when it derives from another interface, names it as `Base`, so that QueryInterface
// implementations answer the whole chain.
#pragma once

#include <concepts>

#include "platform/win32/guid.h"
#include "platform/win32/hresult.h"

#define PLATFORM_INTERFACE_ID(text) static constexpr GUID iid = win32::ParseGuid(text)

struct IUnknown {
  PLATFORM_INTERFACE_ID("00000000-0000-0000-C000-000000000046");
  virtual HRESULT QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};

inline constexpr const IID& IID_IUnknown = IUnknown::iid;

template <class I>
constexpr const IID& IidOf() {
  return I::iid;
}

namespace win32 {

template <class I>
concept HasBaseInterface = requires { typename I::Base; };

// True when iid names I or one of the interfaces I derives from.
template <class I>
constexpr bool InterfaceAnswers(REFIID iid) {
  if (iid == I::iid) return true;
  if constexpr (HasBaseInterface<I>) {
    return InterfaceAnswers<typename I::Base>(iid);
  } else {
    return iid == IUnknown::iid;
  }
}

}  // namespace win32
