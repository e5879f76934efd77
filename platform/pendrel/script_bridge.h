// The interfaces through which script in a browser page calls native objects: a native object
// with a name and method names (IQuorV8Object), one script value (IQuorV8Variant), and the
// enumerators of strings and of values that carry names, arrays, objects and arguments. The
// browser component calls them on its script thread.
#pragma once

#include "core/iquor_string.h"

// The type codes that IQuorV8Variant::GetType reports.
enum QuorV8Type : int {
  kV8Empty = 0,
  kV8String = 1,
  kV8Double = 2,
  kV8Int = 3,
  kV8DoubleArray = 4,
  kV8Bool = 5,
  kV8Object = 6,
  kV8StringArray = 7,
};

struct IEnumIAutoQuorString : IUnknown {
  PLATFORM_INTERFACE_ID("1f3a5c7e-9b2d-4f60-8a1c-3e5f7a9b1d20");
  using Base = IUnknown;
  virtual HRESULT Next(ULONG count, IAutoQuorString** out, ULONG* fetched) = 0;
  virtual HRESULT Skip(ULONG count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumIAutoQuorString** out) = 0;

 protected:
  ~IEnumIAutoQuorString() = default;
};

struct IQuorV8Variant : IUnknown {
  PLATFORM_INTERFACE_ID("2a4c6e80-ac3e-4071-9b2d-4f608a1c3e51");
  using Base = IUnknown;
  virtual HRESULT GetType(int* type) = 0;
  virtual HRESULT GetString(IAutoQuorString** out) = 0;
  virtual HRESULT GetDouble(double* out) = 0;
  virtual HRESULT GetInt(int* out) = 0;
  // The value's own array; null and 0 for an empty one.
  virtual HRESULT GetDoubleArray(const double** data, ULONG* count) = 0;
  virtual HRESULT GetBool(VARIANT_BOOL* out) = 0;
  // Keys and values in key order, the n-th of each belonging together.
  virtual HRESULT GetObject(IEnumIAutoQuorString** keys, IEnumIAutoQuorString** values) = 0;
  virtual HRESULT GetStringArray(IEnumIAutoQuorString** out) = 0;

 protected:
  ~IQuorV8Variant() = default;
};

// The arguments of one call, in script order; a missing argument is a null entry.
struct IEnumQuorV8Variant : IUnknown {
  PLATFORM_INTERFACE_ID("3b5d7f91-bd4f-4182-ac3e-50719b2d4f62");
  using Base = IUnknown;
  virtual HRESULT Next(ULONG count, IQuorV8Variant** out, ULONG* fetched) = 0;
  virtual HRESULT Skip(ULONG count) = 0;
  virtual HRESULT Reset() = 0;
  virtual HRESULT Clone(IEnumQuorV8Variant** out) = 0;

 protected:
  ~IEnumQuorV8Variant() = default;
};

struct IQuorV8Object : IUnknown {
  PLATFORM_INTERFACE_ID("4c6e80a2-ce50-4293-bd4f-61820cae5073");
  using Base = IUnknown;
  virtual HRESULT GetName(IAutoQuorString** name) = 0;
  virtual HRESULT GetMethodNames(IEnumIAutoQuorString** names) = 0;
  // `context` is the browser (through which native code may run script text in the page).
  // A non-empty error text becomes the script's exception; a failed result raises one too.
  virtual HRESULT Invoke(IUnknown* context, IAutoQuorString* method, IEnumQuorV8Variant* arguments,
                         IAutoQuorString** error, IQuorV8Variant** result) = 0;

 protected:
  ~IQuorV8Object() = default;
};
