#include "platform/win32/variant.h"

#include <charconv>
#include <cstring>
#include <string>

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

namespace {

// The decimal text of an integer or the shortest text that reads back as the same real.
template <class Number>
BSTR NumberText(Number value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  std::u16string wide(text, result.ptr);
  return SysAllocStringLen(wide.data(), UINT(wide.size()));
}

// The text of a scalar VARIANT; false for the types that have none.
bool TextOf(const VARIANT& value, BSTR* text) {
  switch (value.vt) {
    case VT_EMPTY: *text = SysAllocStringLen(u"", 0); return true;
    case VT_BSTR:
      *text = SysAllocStringLen(value.bstrVal, SysStringLen(value.bstrVal));
      return true;
    case VT_I1: *text = NumberText(int(value.cVal)); return true;
    case VT_UI1: *text = NumberText(unsigned(value.bVal)); return true;
    case VT_I2: *text = NumberText(int(value.iVal)); return true;
    case VT_UI2: *text = NumberText(unsigned(value.uiVal)); return true;
    case VT_I4:
    case VT_INT: *text = NumberText(value.lVal); return true;
    case VT_UI4:
    case VT_UINT: *text = NumberText(value.ulVal); return true;
    case VT_I8: *text = NumberText(value.llVal); return true;
    case VT_UI8: *text = NumberText(value.ullVal); return true;
    case VT_R4: *text = NumberText(value.fltVal); return true;
    case VT_R8:
    case VT_DATE: *text = NumberText(value.dblVal); return true;
    // Without the alphabetic flag a boolean converts as its number.
    case VT_BOOL: *text = NumberText(int(value.boolVal)); return true;
    default: return false;
  }
}

}  // namespace

HRESULT VariantChangeTypeEx(VARIANT* target, const VARIANT* source, LCID, USHORT, VARTYPE vt) {
  if (!target || !source) return E_INVALIDARG;
  if (vt != VT_BSTR) return DISP_E_TYPEMISMATCH;
  BSTR text = nullptr;
  if (!TextOf(*source, &text)) return DISP_E_TYPEMISMATCH;
  if (!text) return E_OUTOFMEMORY;
  // The source may be the target: it is cleared only once the text stands.
  VariantClear(target);
  target->vt = VT_BSTR;
  target->bstrVal = text;
  return S_OK;
}
