// Names of storage elements: at most 31 UTF-16 units, compared with only a to z folded, so
// that "Data" and "DATA" name one element while a space and a NUL, or a digit and a control
// character, stay apart.
#pragma once

#include "platform/win32/types.h"

namespace QuorCompoundFile {

// S_OK for a usable name; STG_E_INVALIDPOINTER for none, STG_E_INVALIDNAME for an empty one or
// one too long for a record.
HRESULT CheckElementName(const WCHAR* name);
bool ElementNamesMatch(const WCHAR* a, const WCHAR* b);

}  // namespace QuorCompoundFile
