// The VARIANT subset the module exchanges with the host: empty, integers, reals, booleans,
// texts and interfaces; and the argument block of an automation call.
#pragma once

#include "platform/win32/hresult.h"
#include "platform/win32/types.h"

struct IUnknown;

enum VARENUM : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_UNKNOWN = 13,
  VT_I1 = 16,
  VT_UI1 = 17,
  VT_UI2 = 18,
  VT_UI4 = 19,
  VT_I8 = 20,
  VT_UI8 = 21,
  VT_INT = 22,
  VT_UINT = 23,
};

struct VARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    LONGLONG llVal;
    ULONGLONG ullVal;
    LONG lVal;
    ULONG ulVal;
    INT intVal;
    UINT uintVal;
    BYTE bVal;
    SHORT iVal;
    USHORT uiVal;
    CHAR cVal;
    FLOAT fltVal;
    DOUBLE dblVal;
    DOUBLE date;
    VARIANT_BOOL boolVal;
    SCODE scode;
    BSTR bstrVal;
    IUnknown* punkVal;
    void* record[2];
  };
};
static_assert(sizeof(VARIANT) == 8 + 2 * sizeof(void*));

using VARIANTARG = VARIANT;
using DISPID = LONG;

// The arguments of an automation call: positional ones last to first in `rgvarg`, named ones
// first, each named one with its id in `rgdispidNamedArgs`.
struct DISPPARAMS {
  VARIANTARG* rgvarg;
  DISPID* rgdispidNamedArgs;
  UINT cArgs;
  UINT cNamedArgs;
};

constexpr HRESULT DISP_E_BADPARAMCOUNT = MakeHResult(0x8002000E);
constexpr HRESULT DISP_E_OVERFLOW = MakeHResult(0x8002000A);
constexpr LCID kLocaleEnglishUS = 1033;

void VariantInit(VARIANT* value);
HRESULT VariantClear(VARIANT* value);
HRESULT VariantCopy(VARIANT* target, const VARIANT* source);
// Converts `source` to type `vt` into `target` (which may be `source`). Only conversions to
// VT_BSTR are made, as the classic US locale writes numbers (`locale` and `flags` are taken as
// given): integers in decimal, reals in their shortest exact form, booleans "True"/"False".
// Empty becomes the empty text; an interface, an error value or another target type gives
// DISP_E_TYPEMISMATCH and leaves `target` alone.
HRESULT VariantChangeTypeEx(VARIANT* target, const VARIANT* source, LCID locale, USHORT flags,
                            VARTYPE vt);
