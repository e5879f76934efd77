// The STATSTG record of a child storage or a stream, from its element.
#pragma once

#include "core/storage/element.h"

namespace QuorCompoundFile {

// The name is allocated with CoTaskMemAlloc unless STATFLAG_NONAME is given;
// STG_E_INSUFFICIENTMEMORY when it cannot be.
HRESULT FillElementStat(const Element& element, STATSTG* status, DWORD flags);

}  // namespace QuorCompoundFile
