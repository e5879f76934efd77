// A unit of measured values: an SI prefix and a base unit name ("ms" is the prefix m before
// "s"), with a flag whose meaning belongs to whoever sets it.
#pragma once

#include "core/iquor_string.h"
#include "platform/win32/unknown.h"

// Prefix indices of IUnitName: 8 is no prefix; otherwise the power of ten is 3 * (index - 8).
// Index 0 stands for an unknown prefix and 1 for none.
constexpr DWORD kUnitPrefixUnknown = 0;
constexpr DWORD kUnitPrefixNone = 8;
constexpr DWORD kUnitPrefixIndexCount = 15;

struct IUnitName : IUnknown {
  PLATFORM_INTERFACE_ID("8d974ffe-9c97-4f94-82b1-2ba1f0721894");
  using Base = IUnknown;
  virtual HRESULT GetPrefix(DWORD* index) = 0;
  // The base name, with the prefix letter in front when asked for; a reference for the caller.
  virtual HRESULT GetText(VARIANT_BOOL withPrefix, IQuorString** text) = 0;
  virtual HRESULT GetFlag(DWORD* flag) = 0;
  virtual HRESULT SetPrefix(DWORD index) = 0;
  virtual HRESULT SetName(IAutoQuorString* name) = 0;
  virtual HRESULT SetFlag(DWORD flag) = 0;
  virtual HRESULT Clone(IUnitName** copy) = 0;

 protected:
  ~IUnitName() = default;
};
