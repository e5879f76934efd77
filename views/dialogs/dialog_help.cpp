#include "views/dialogs/dialog_help.h"

#include "hostframework/extlib/host_calls.h"
#include "hostframework/host_services.h"
#include "platform/pendrel/host_app.h"

namespace Rhyth {

void ShowDialogHelp(const Quor::String& topic) {
  static const Quor::String helpFile(u"RhythHelp");
  if (ITarnHostApp* host = GetTarnHostApp()) {
    ExtLib::TextArgument topicText(topic), fileText(helpFile);
    host->ShowHelp(topicText, fileText);
  }
}

}  // namespace Rhyth
