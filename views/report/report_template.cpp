#include "views/report/report_template.h"

#include "analysis/module_strings.h"

namespace Rhyth {

bool ReportTemplateLoad(HMODULE module, HRSRC resource, Quor::String& target) {
  HGLOBAL loaded = LoadResource(module, resource);
  if (!loaded) return false;
  const auto* text = static_cast<const char*>(LockResource(loaded));
  const DWORD size = SizeofResource(module, resource);
  const bool ok = text != nullptr && size > 0;
  if (ok) target = Quor::String(text, int(size));
  FreeResource(loaded);
  return ok;
}

Quor::String LoadReportTemplate() {
  Quor::String loaded;
  HMODULE module = ModuleResourceHandle();
  if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(kReportTemplateId), RT_HTML)) {
    ReportTemplateLoad(module, found, loaded);
  }
  return loaded;
}

}  // namespace Rhyth
