#include "plotengine/plot_window/etch_plot_win.h"

#include "core/com_ptr.h"
#include "platform/win32/input.h"
#include "platform/win32/menus.h"
#include "plotengine/browser_etch_loader.h"
#include "plotengine/local_page.h"
#include "plotengine/proxy/etch_proxy_script_object.h"

namespace Quor {

EtchPlotWin::EtchPlotWin(IPendrelHostDocument* document)
    : EtchPlotBase(document), m_loader(new BrowserEtchLoader), m_proxy(new EtchProxyWin(this)) {
  m_loader->AddRef();
  m_proxy->AddRef();
}

EtchPlotWin::~EtchPlotWin() {
  // No menu request may reach the window from here on; a call of the page still in flight
  // finds the proxy detached, and the proxy outlives it through the script object's reference.
  m_proxy->Detach();
  if (m_menu) DestroyMenu(m_menu);
  m_proxy->Release();
  m_loader->Release();
}

bool EtchPlotWin::RunScript(const String& text) {
  // The page may call back into the window, and a view may close it meanwhile: the browser
  // stays alive until its call returns, and nothing of this object is touched after it.
  ComPtr<IQuorBrowser> browser(Browser());
  if (!browser) return false;
  IQuorString* script = text.GetInterface();
  const HRESULT hr = browser->ExecuteScript(script);
  script->Release();
  return hr == S_OK;
}

unsigned EtchPlotWin::GetDoubleClickTime() { return ::GetDoubleClickTime(); }

std::string EtchPlotWin::GetContainerId() { return kLocalPageContainerId; }

BOOL EtchPlotWin::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       LRESULT& result, DWORD mapId) {
  m_handled = false;
  if (HandleMenuMessage(message, wParam)) {
    m_handled = true;
    result = 0;
    return TRUE;
  }
  return CrControl::ProcessWindowMessage(window, message, wParam, lParam, result, mapId);
}

bool EtchPlotWin::CreateBrowser(HWND parent, const RECT& rect, IQuorBrowser** browser) {
  return CreateBrowserWithFlags(0, parent, rect, browser);
}

bool EtchPlotWin::OnBrowserCreated(IQuorBrowser* browser) {
  bool ok = browser != nullptr && browser->SetResourceLoader(m_loader) == S_OK;
  if (ok) {
    auto* object = new EtchProxyScriptObject(m_proxy);
    object->AddRef();
    ok = browser->RegisterScriptObject(object) == S_OK;
    object->Release();
  }
  if (ok) ok = Navigate(String(kEtchPlotPrefix).ToUtf8String() + "local.html");
  MakePlot();
  return ok;
}

}  // namespace Quor
