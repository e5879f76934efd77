// The host's own objects that the class registry makes by type code: each is one
// process-wide object.
#pragma once

#include "platform/win32/unknown.h"

namespace Tarn {

// The object of a host type code, without a reference for the caller; null for other codes.
IUnknown* HostObjectOfType(DWORD type);

}  // namespace Tarn
