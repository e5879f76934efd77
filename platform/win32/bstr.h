// BSTR: a length-prefixed UTF-16 text. The 32-bit byte length lies in front of the units and a
// NUL follows them.
#pragma once

#include "platform/win32/types.h"

BSTR SysAllocString(LPCOLESTR text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length);
INT SysReAllocString(BSTR* target, LPCOLESTR text);
INT SysReAllocStringLen(BSTR* target, const OLECHAR* text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
UINT SysStringByteLen(BSTR text);
