#include "host/browser/page_inspection.h"

#include "host/browser/browser_object.h"
#include "host/browser/browser_page.h"
#include "platform/win32/window.h"

namespace PendrelBrowser {

IQuorBrowser* BrowserInWindow(HWND window) {
  if (!window) return nullptr;
  if (BrowserObject* browser = BrowserObject::OfWindow(window)) return browser;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (IQuorBrowser* browser = BrowserInWindow(child)) return browser;
  }
  return nullptr;
}

HRESULT EvaluateInPage(IQuorBrowser* browser, const std::string& expression, nlohmann::json& value,
                       std::string& error) {
  auto* object = dynamic_cast<BrowserObject*>(browser);
  if (!object) {
    error = "not a browser of the host's component";
    return E_INVALIDARG;
  }
  return object->Page().Evaluate(expression, value, error);
}

}  // namespace PendrelBrowser
