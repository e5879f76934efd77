// The report's page template: HTML resource 200 of the module, ASCII text with numbered places
// ("%1%" to "%38%", "%%" for a percent sign) that the report page fills. Loaded by the report
// view when it is set up and kept with the view.
#pragma once

#include "core/quor_string.h"
#include "platform/win32/resources.h"

namespace Rhyth {

inline constexpr UINT kReportTemplateId = 200;

// Loads the resource into `target` (read through the ANSI code page); false, leaving `target`
// as it was, when it cannot be loaded. The resource is freed in every case.
bool ReportTemplateLoad(HMODULE module, HRSRC resource, Quor::String& target);

// The module's template; empty when the module has none.
Quor::String LoadReportTemplate();

}  // namespace Rhyth
