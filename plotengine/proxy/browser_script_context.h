// Quor::BrowserScriptContext: the page a proxy call runs script in, reached through the browser
// that shows it. Made for one script call (or one print request) and released after it; holds
// the browser.
#pragma once

#include "core/com_ptr.h"
#include "platform/pendrel/browser.h"
#include "platform/win32/com_object.h"
#include "plotengine/proxy/proxy_script_values.h"

namespace Quor {

class BrowserScriptContext final : public SimpleUnknownImp1<IEtchScriptContext, 1> {
 public:
  explicit BrowserScriptContext(IQuorBrowser* browser) : m_browser(browser) {}
  HRESULT ExecuteScript(IQuorString* script) override { return m_browser->ExecuteScript(script); }

 private:
  ComPtr<IQuorBrowser> m_browser;
};

}  // namespace Quor
