// Type words of the core library's own objects: (the host's 16-bit id of the core library's
// type GUID << 16) | n. Core cannot ask the host itself, so the host framework installs a
// provider of that id when it starts; until then the id is taken as 0.
#pragma once

#include "platform/win32/guid.h"

namespace Quor {

// The family of the core library's type words.
inline constexpr GUID GUID_QuorCoreTypes = win32::ParseGuid("5a3e9b0c-7d21-4e86-a4f5-c1b2d3e4f506");

using CoreTypeIdBaseProvider = WORD (*)();

// Installing a provider (or none) forgets the id kept from an earlier one.
void SetCoreTypeIdBaseProvider(CoreTypeIdBaseProvider provider);

// The provider is asked once and its answer kept for the rest of the process.
DWORD CoreTypeId(DWORD n);

constexpr DWORD kUnitEntryTypeNumber = 19;

}  // namespace Quor
