#include "controls/dialogs/dialog_base.h"

#include "hostframework/host_services.h"
#include "hostframework/this_module.h"
#include "platform/owl/application.h"
#include "platform/pendrel/host_app.h"

namespace Quor {

namespace {

LANGID HostLanguage() {
  WORD language = 0;
  if (ITarnHostApp* host = GetTarnHostApp())
    if (host->GetUserInterfaceLanguage(&language) < 0) language = 0;
  return language;
}

HINSTANCE InstanceOf(const OWL::TModule* module) {
  return module ? module->GetHandle() : ExtLib::OwnResourceModule();
}

}  // namespace

LANGID DialogLanguage(const OWL::TWindow* parent) {
  if (parent)
    if (const OWL::TApplication* application = OWL::GetApplicationObject()) return application->GetLangId();
  return HostLanguage();
}

DialogBase::DialogBase(OWL::TWindow* parent, OWL::TResId templateId, OWL::TModule* module)
    : OWL::TDialog(parent, OWL::TDialogRes(InstanceOf(module), templateId, DialogLanguage(parent)), templateId,
                   module) {}

}  // namespace Quor
