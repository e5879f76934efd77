// View class objects: the host asks one per view type to describe its views and the interfaces
// they offer, initialises it once registered, and counts the views open on it; the views, the
// sites the host keeps them in and the host windows they show in.
#pragma once

#include "platform/pendrel/class_registry.h"
#include "platform/win32/bstr.h"
#include "platform/win32/enum_interface.h"

// The category every view class of a module belongs to.
inline constexpr GUID GUID_TarnViewClassCategory =
    win32::ParseGuid("5b0f3d62-7a4e-4c19-b8d5-2e6a1f9c0b47");

struct IDocViewClass : ITarnClassObject {
  PLATFORM_INTERFACE_ID("a8e3c1d4-5f27-4b9a-9e06-3d7b2c4f8a15");
  using Base = ITarnClassObject;
  // The name the host shows for the view; the caller frees it.
  virtual HRESULT GetDisplayName(BSTR* name) = 0;
  virtual HRESULT GetFlags(DWORD* flags) = 0;
  // The host initialises a class once it is registered; the class then fetches what it needs
  // of the host (its command service). `argument` is the host's.
  virtual HRESULT Initialise(DWORD argument) = 0;
  // The host counts the views it opens and closes on the class.
  virtual HRESULT AddViewRef(DWORD reserved) = 0;
  virtual HRESULT ReleaseViewRef(DWORD reserved) = 0;
  virtual HRESULT GetViewCount(DWORD reserved, DWORD* count) = 0;
  // A new view of `document` at `site`, with one reference; its window comes with
  // IClientWindow::CreateClientWindow.
  virtual HRESULT CreateView(struct ITarnViewSite* site, IUnknown* document,
                             struct IDocView2** view) = 0;
  // The interfaces the class's views offer.
  virtual HRESULT EnumInterfaces(IEnumInterface** interfaces) = 0;

 protected:
  ~IDocViewClass() = default;
};

// The host's place for one view: it decides whether the view may close and forgets it when it
// closes.
struct ITarnViewSite : IUnknown {
  PLATFORM_INTERFACE_ID("2c7e9b14-6d3a-4f81-a5e2-8b0f1c4d7e93");
  using Base = IUnknown;
  virtual HRESULT CanCloseView(IUnknown* view, VARIANT_BOOL* canClose) = 0;
  virtual HRESULT RemoveView(IUnknown* view) = 0;
  virtual HRESULT ActivateView(IUnknown* view) = 0;

 protected:
  ~ITarnViewSite() = default;
};

// What a document does for the views open on it.
struct ITarnViewDocument : IUnknown {
  PLATFORM_INTERFACE_ID("e41b7c29-0f6d-4a38-9c57-3a2d8e1b6f05");
  using Base = IUnknown;
  virtual HRESULT AddView(IUnknown* view) = 0;
  virtual HRESULT RemoveView(IUnknown* view) = 0;
  virtual HRESULT GetKeyValue(DWORD* key) = 0;

 protected:
  ~ITarnViewDocument() = default;
};

// The host window a view's window lives in; it may refuse to close (a nonzero answer).
struct ITarnHostWindow : IUnknown {
  PLATFORM_INTERFACE_ID("7a5d3e81-b2c4-4f06-8e19-5c6b0a2f4d37");
  using Base = IUnknown;
  virtual HRESULT GetWindowHandle(HWND* window) = 0;
  virtual HRESULT Close() = 0;

 protected:
  ~ITarnHostWindow() = default;
};

// The window side of a view: the host gives it a frame to live in and later takes it away.
struct IClientWindow : IUnknown {
  PLATFORM_INTERFACE_ID("3f6c2a90-d71e-4b58-9a04-6e1b8d2c5f73");
  using Base = IUnknown;
  virtual HRESULT CreateClientWindow(ITarnHostWindow* frame) = 0;
  virtual HRESULT DestroyClientWindow() = 0;

 protected:
  ~IClientWindow() = default;
};

// A view of a document as the host holds it.
struct IDocView2 : IUnknown {
  PLATFORM_INTERFACE_ID("93f0c6a2-4e1b-4d7c-b8a5-0d2e6f9c1b48");
  using Base = IUnknown;
  virtual HRESULT GetTitle(BSTR* title) = 0;
  virtual HRESULT CanClose(VARIANT_BOOL* canClose) = 0;
  virtual HRESULT Close() = 0;
  virtual HRESULT SetViewId(DWORD id) = 0;
  virtual HRESULT GetViewId(DWORD* id) = 0;
  // {the document's key, (view instance << 16) | view id}
  virtual HRESULT GetViewKey(DWORD key[2]) = 0;
  virtual HRESULT Activate() = 0;
  virtual HRESULT GetDocument(IUnknown** document) = 0;
  virtual HRESULT GetViewSite(ITarnViewSite** site) = 0;
  virtual HRESULT GetViewInstance(DWORD* instance) = 0;
  virtual HRESULT SetViewInstance(DWORD instance) = 0;

 protected:
  ~IDocView2() = default;
};
