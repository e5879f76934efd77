// The host's browser component as the module sees it: a class object found in the host's class
// registry, which makes browsers inside a window of the module; each browser shows one page,
// serves it from the module's resource loader, runs script text in it and makes native script
// objects callable from it. The browser belongs to the thread that made it: its window and the
// message handler run there, while resource loads and script-object calls run on a script thread
// of the browser's own.
#pragma once

#include "core/iquor_string.h"
#include "platform/pendrel/browser_resource_loader.h"
#include "platform/pendrel/class_registry.h"
#include "platform/pendrel/script_bridge.h"
#include "platform/win32/window_messages.h"

// The type word under which the host registers the browser's class object: the host's type
// flags for components with the component's class id in the low word.
constexpr DWORD kBrowserTypeFlags = 0x80220000;
constexpr DWORD kBrowserClassId = 0x0001;
constexpr DWORD kBrowserClassType = kBrowserTypeFlags | kBrowserClassId;

// The hook through which the module sees the messages of the browser's window.
struct IWindowsMessageHandler : IUnknown {
  PLATFORM_INTERFACE_ID("6a0c2f51-94d7-4e3b-8b1e-2c7d9f0a4e61");
  using Base = IUnknown;
  // E_INVALIDARG when handled or result is null.
  virtual HRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                VARIANT_BOOL* handled, LRESULT* result) = 0;

 protected:
  ~IWindowsMessageHandler() = default;
};

struct IQuorBrowser : IUnknown {
  PLATFORM_INTERFACE_ID("b3e1f0a4-7c25-4d8e-9f36-0a1b2c3d4e5f");
  using Base = IUnknown;
  // Slots the module never calls keep their places and answer E_NOTIMPL.
  virtual HRESULT Reserved0() = 0;
  // Starts loading the URL; the page's requests go to the resource loader.
  virtual HRESULT Navigate(IAutoQuorString* url) = 0;
  virtual HRESULT SetResourceLoader(IQuorBrowserResourceLoader* loader) = 0;
  virtual HRESULT SetBrowserBounds(const RECT* bounds) = 0;
  virtual HRESULT Reserved1() = 0;
  virtual HRESULT Reserved2() = 0;
  virtual HRESULT Reserved3() = 0;
  virtual HRESULT Reserved4() = 0;
  virtual HRESULT Reserved5() = 0;
  // Runs the text in the page: at once, after the load of a page being navigated to, or, when
  // called during a script-object call of the page, just before that call returns to the page.
  // S_OK when it ran (or was queued to run) without an exception; E_FAIL on an exception, a
  // timeout, a page that failed to load or a browser process that is gone.
  virtual HRESULT ExecuteScript(IQuorString* script) = 0;
  // Makes the object callable from every page shown later (and the one shown now) under its name.
  virtual HRESULT RegisterScriptObject(IQuorV8Object* object) = 0;
  virtual HRESULT Reserved6() = 0;
  virtual HRESULT Reserved7() = 0;
  virtual HRESULT Reserved8() = 0;
  virtual HRESULT Reserved9() = 0;
  // Prints the page shown to a PDF document in the print spool folder.
  virtual HRESULT PrintPage() = 0;

 protected:
  ~IQuorBrowser() = default;
};

struct IQuorBrowserWindow : IUnknown {
  PLATFORM_INTERFACE_ID("c41d7e92-0b3a-4f58-a6c7-8d9e0f1a2b3c");
  using Base = IUnknown;
  virtual HRESULT GetWindowHandle(HWND* window) = 0;
  // The handler (one reference held; null drops it) sees the browser window's messages first.
  virtual HRESULT SetMessageHandler(IWindowsMessageHandler* handler) = 0;

 protected:
  ~IQuorBrowserWindow() = default;
};

// The browser's class object.
struct IQuorBrowserClass : ITarnClassObject {
  PLATFORM_INTERFACE_ID("d52e8fa3-1c4b-4069-b7d8-9eaf10213b4d");
  using Base = ITarnClassObject;
  // A browser whose window is a child of `parent` at `bounds`. The flags are recorded and
  // otherwise ignored; `reserved` must be 0.
  virtual HRESULT CreateBrowser(DWORD flags, HWND parent, const RECT* bounds, void* reserved,
                                IQuorBrowser** browser) = 0;

 protected:
  ~IQuorBrowserClass() = default;
};
