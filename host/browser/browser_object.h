// The browser the component makes: a window of the creating thread (its owner), inside the
// module's parent window, and the page it shows. The owner's thread receives the window's
// messages and passes them to the module's message handler first.
#pragma once

#include <memory>

#include "platform/pendrel/browser.h"
#include "platform/win32/com_object.h"

namespace PendrelBrowser {

class BrowserPage;

class BrowserObject : public SimpleUnknownImp2<IQuorBrowser, IQuorBrowserWindow> {
 public:
  // One reference for the caller in `browser`; E_FAIL when no browser process can be had.
  static HRESULT Create(HWND parent, const RECT* bounds, IQuorBrowser** browser);

  HRESULT Reserved0() override { return E_NOTIMPL; }
  HRESULT Navigate(IAutoQuorString* url) override;
  HRESULT SetResourceLoader(IQuorBrowserResourceLoader* loader) override;
  HRESULT SetBrowserBounds(const RECT* bounds) override;
  HRESULT Reserved1() override { return E_NOTIMPL; }
  HRESULT Reserved2() override { return E_NOTIMPL; }
  HRESULT Reserved3() override { return E_NOTIMPL; }
  HRESULT Reserved4() override { return E_NOTIMPL; }
  HRESULT Reserved5() override { return E_NOTIMPL; }
  HRESULT ExecuteScript(IQuorString* script) override;
  HRESULT RegisterScriptObject(IQuorV8Object* object) override;
  HRESULT Reserved6() override { return E_NOTIMPL; }
  HRESULT Reserved7() override { return E_NOTIMPL; }
  HRESULT Reserved8() override { return E_NOTIMPL; }
  HRESULT Reserved9() override { return E_NOTIMPL; }
  HRESULT PrintPage() override;

  HRESULT GetWindowHandle(HWND* window) override;
  HRESULT SetMessageHandler(IWindowsMessageHandler* handler) override;

  // The page shown, for the host's own input (host/browser/browser_input.h).
  BrowserPage& Page() { return *m_page; }
  // The browser whose window this is; null for any other window.
  static BrowserObject* OfWindow(HWND window);

 private:
  explicit BrowserObject(std::shared_ptr<BrowserPage> page);
  ~BrowserObject() override;
  static LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::shared_ptr<BrowserPage> m_page;
  HWND m_window = nullptr;
  IWindowsMessageHandler* m_handler = nullptr;  // one reference
};

}  // namespace PendrelBrowser
