// Quor::CrControl: the module's holder of one browser of the host's browser component. It makes a
// child window (the browser host window) inside a window of the module, has the component create
// the browser in it, sizes the browser with the window, gives it a resource loader, navigates it,
// and passes the messages of the browser's window to its owner's message map. The plot window
// derives from it; the report view holds one and shows HTML text through LoadHtml. Everything
// runs on the owner's window thread.
#pragma once

#include <string>

#include "core/quor_string.h"
#include "platform/pendrel/browser.h"

namespace Quor {

class CrControl {
 public:
  CrControl();
  virtual ~CrControl();
  CrControl(const CrControl&) = delete;
  CrControl& operator=(const CrControl&) = delete;

  // The owner's message map for the browser window's messages; the base handles nothing.
  virtual BOOL ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    LRESULT& result, DWORD mapId);
  virtual void SaveImage(const String& path);
  // Called once the browser exists.
  virtual bool OnBrowserCreated(IQuorBrowser* browser);
  // Asks the browser class object for a browser; the base passes the flags 0x80000000.
  virtual bool CreateBrowser(HWND parent, const RECT& rect, IQuorBrowser** browser);

  bool Create(HWND parent, const RECT& rect);
  bool SetBounds(const RECT& rect);
  bool LoadHtml(const String& html);
  bool Navigate(IAutoQuorString* url);
  bool Navigate(const std::string& url);
  bool SetResourceLoader(IQuorBrowserResourceLoader* loader);
  HWND GetBrowserWindow() const;
  // The browser held, or null; no reference added.
  IQuorBrowser* Browser() const;

  // The component's class object, found once in the host's class registry (no reference of its
  // own: the host keeps it); null when the host has none, and asked again next time.
  static IQuorBrowserClass* GetBrowserClassObject();

 protected:
  // Creates a browser with the given flags through the class object; true only for S_OK.
  static bool CreateBrowserWithFlags(DWORD flags, HWND parent, const RECT& rect,
                                     IQuorBrowser** browser);

 private:
  class BrowserParent;
  BrowserParent* m_parent;
};

}  // namespace Quor
