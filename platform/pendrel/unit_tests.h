// The host's unit-test registry: modules hand it the self-test objects that the host's test
// runner calls. The registry keeps a reference on each.
#pragma once

#include "platform/win32/bstr.h"
#include "platform/win32/unknown.h"

// The class object of the host's test registry.
inline constexpr CLSID CLSID_TarnUnitTestRegistry =
    win32::ParseGuid("c3a97e15-28d4-4f6b-b1e0-7f5d2a9c6e38");

struct ITarnUnitTest : IUnknown {
  PLATFORM_INTERFACE_ID("6e2b8f41-c9a3-4d57-8f12-0a4e7b3d5c96");
  using Base = IUnknown;
  // The test's name; the caller frees it.
  virtual HRESULT GetName(BSTR* name) = 0;

 protected:
  ~ITarnUnitTest() = default;
};

struct ITarnUnitTestRegistry : IUnknown {
  PLATFORM_INTERFACE_ID("9f4c2a63-1e7b-4d85-a3c9-5b0e8d2f7a41");
  using Base = IUnknown;
  virtual HRESULT RegisterTest(ITarnUnitTest* test) = 0;

 protected:
  ~ITarnUnitTestRegistry() = default;
};
