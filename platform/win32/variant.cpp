#include "platform/win32/variant.h"

#include <cstring>

#include "platform/win32/bstr.h"
#include "platform/win32/unknown.h"

void VariantInit(VARIANT* value) {
  std::memset(value, 0, sizeof *value);
  value->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* value) {
  if (!value) return E_INVALIDARG;
  switch (value->vt) {
    case VT_BSTR:
      SysFreeString(value->bstrVal);
      break;
    case VT_UNKNOWN:
      if (value->punkVal) value->punkVal->Release();
      break;
    default:
      break;
  }
  VariantInit(value);
  return S_OK;
}

HRESULT VariantCopy(VARIANT* target, const VARIANT* source) {
  if (!target || !source) return E_INVALIDARG;
  if (target == source) return S_OK;
  VARIANT copy = *source;
  if (source->vt == VT_BSTR && source->bstrVal) {
    copy.bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
    if (!copy.bstrVal) return E_OUTOFMEMORY;
  } else if (source->vt == VT_UNKNOWN && source->punkVal) {
    source->punkVal->AddRef();
  }
  VariantClear(target);
  *target = copy;
  return S_OK;
}
