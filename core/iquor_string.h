// The string object that crosses the host boundary. `IAutoQuorString` is the face any string
// object offers; `IQuorString` adds the operations of this module's own representation;
// `IQuorStringText` is the second face of a string object over text held in another form, which
// hands the text out as it is wanted, narrow (UTF-8) or wide.
#pragma once

#include "platform/win32/unknown.h"
#include "platform/win32/variant.h"

// The kind that GetKind reports for this module's representation: callers share such a
// representation and copy any other.
constexpr LONG kQuorStringKind = 9;

struct IAutoQuorString : IUnknown {
  PLATFORM_INTERFACE_ID("adf10485-4728-424f-847d-ffcbf8bd89a5");
  using Base = IUnknown;
  virtual HRESULT Assign(BSTR text) = 0;
  virtual HRESULT GetBSTR(BSTR* out) = 0;
  virtual HRESULT IsEmpty(VARIANT_BOOL* empty) = 0;
  virtual HRESULT GetLength(DWORD* length) = 0;
  virtual HRESULT Compare(IAutoQuorString* other, VARIANT_BOOL* equal) = 0;
  virtual HRESULT IsShared(VARIANT_BOOL* shared) = 0;
  virtual LONG GetKind() = 0;
  virtual HRESULT CopyTo(int maxBytes, void* target) = 0;
  virtual HRESULT GetInfo(DWORD* length, DWORD* unitSize) = 0;
  virtual HRESULT GetCapacity(DWORD* capacity) = 0;
  virtual HRESULT CreateBuffer(int capacity, IAutoQuorString** out) = 0;
  virtual HRESULT GetVariant(VARIANT* out) = 0;

 protected:
  ~IAutoQuorString() = default;
};

struct IQuorString : IAutoQuorString {
  PLATFORM_INTERFACE_ID("227df49f-6ffb-4ef9-948c-201043d14697");
  using Base = IAutoQuorString;
  virtual DWORD Length() = 0;
  virtual void Destroy() = 0;
  virtual LONG Reserved() = 0;
  virtual WCHAR* GetBuffer() = 0;

 protected:
  ~IQuorString() = default;
};

struct IQuorStringText : IUnknown {
  PLATFORM_INTERFACE_ID("03c310f9-ce9c-4b26-a9ad-4d607ca5f0fa");
  using Base = IUnknown;
  virtual LONG GetKind() = 0;
  // The text and its length in units, without a terminating NUL; valid while the object lives.
  virtual HRESULT GetNarrow(const char** text, DWORD* length) = 0;
  virtual HRESULT GetWide(const WCHAR** text, DWORD* length) = 0;

 protected:
  ~IQuorStringText() = default;
};
