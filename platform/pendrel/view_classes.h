// View class objects: the host asks one per view type to describe its views and counts the
// views open on it. The host's own view machinery (windows, sites) is not part of this
// headless host; a view class says what it would show and keeps its count.
#pragma once

#include "platform/pendrel/class_registry.h"
#include "platform/win32/bstr.h"

// The category every view class of a module belongs to.
inline constexpr GUID GUID_TarnViewClassCategory =
    win32::ParseGuid("5b0f3d62-7a4e-4c19-b8d5-2e6a1f9c0b47");

struct IDocViewClass : ITarnClassObject {
  PLATFORM_INTERFACE_ID("a8e3c1d4-5f27-4b9a-9e06-3d7b2c4f8a15");
  using Base = ITarnClassObject;
  // The name the host shows for the view; the caller frees it.
  virtual HRESULT GetDisplayName(BSTR* name) = 0;
  virtual HRESULT GetFlags(DWORD* flags) = 0;
  // The host counts the views it opens and closes on the class.
  virtual HRESULT AddViewRef(DWORD reserved) = 0;
  virtual HRESULT ReleaseViewRef(DWORD reserved) = 0;
  virtual HRESULT GetViewCount(DWORD reserved, DWORD* count) = 0;

 protected:
  ~IDocViewClass() = default;
};
