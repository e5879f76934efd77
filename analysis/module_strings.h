// The analysis module's texts: its string table with the branding words replaced. Texts the
// module shows again and again (menu texts, the client name) are loaded once per process.
#pragma once

#include "core/quor_string.h"

namespace Rhyth {

// String `id` of the module's table; empty for an id the table lacks.
Quor::String ModuleString(UINT id);

// The module whose resources the module's texts and templates come from.
HMODULE ModuleResourceHandle();

}  // namespace Rhyth
