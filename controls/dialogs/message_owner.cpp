#include "controls/dialogs/message_owner.h"

#include "platform/owl/application.h"
#include "platform/win32/window.h"

namespace QuorControls {

HWND LastActivePopupOfMainWindow() {
  const OWL::TApplication* application = OWL::GetApplicationObject();
  const HWND main = application ? application->GetMainWindowHandle() : nullptr;
  if (!main || !IsWindow(main)) return nullptr;
  const HWND active = GetActiveWindow();
  return active && GetAncestor(active, GA_ROOT) == active && GetWindow(active, GW_OWNER) == main ? active : main;
}

}  // namespace QuorControls
