// The document side of a view the host opens on a module's document: it ties the view to its
// document (which it tells of the view) and to the host's view site, with the view's id and
// instance. DocWindowViewBase adds the view's window, which it owns, and closes the window
// before the site forgets the view. The host owns both through their reference counts.
#pragma once

#include <memory>

#include "core/com_ptr.h"
#include "platform/pendrel/view_classes.h"
#include "platform/win32/com_object.h"

class DocViewBase : public SimpleUnknownImp1<IDocView2> {
 public:
  // Both references are taken; a document given is told of the new view.
  DocViewBase(IUnknown* document, ITarnViewSite* site);

  HRESULT GetTitle(BSTR* title) override;
  HRESULT CanClose(VARIANT_BOOL* canClose) override;
  // The site forgets the view and the view lets go of the site, once.
  HRESULT Close() override;
  HRESULT SetViewId(DWORD id) override;
  HRESULT GetViewId(DWORD* id) override;
  HRESULT GetViewKey(DWORD key[2]) override;
  HRESULT Activate() override;
  HRESULT GetDocument(IUnknown** document) override;
  HRESULT GetViewSite(ITarnViewSite** site) override;
  HRESULT GetViewInstance(DWORD* instance) override;
  HRESULT SetViewInstance(DWORD instance) override;

 protected:
  ~DocViewBase() override;
  ITarnViewSite* Site() const { return m_site.Get(); }
  // Tells the site to forget the view and releases it; nothing when it was released already.
  void LeaveSite();

 private:
  DWORD m_viewId = 0;
  DWORD m_viewInstance = 0;
  Quor::ComPtr<IUnknown> m_document;
  Quor::ComPtr<ITarnViewSite> m_site;
};

// A view's window, as the document view sees it: it may refuse to close.
class ViewWindow {
 public:
  virtual ~ViewWindow() = default;
  virtual bool CanClose() { return true; }
};

class DocWindowViewBase : public DocViewBase {
 public:
  using DocViewBase::DocViewBase;

  // The view's window inside `hostWindow`, made by the view type; E_FAIL when the view has a
  // window already or the view type makes none.
  HRESULT CreateClientWindow(ITarnHostWindow* hostWindow);
  // Deletes the view's window; S_OK also when there is none.
  HRESULT DestroyClientWindow();

  // Not when there is no window or it refuses; otherwise the site decides.
  HRESULT CanClose(VARIANT_BOOL* canClose) override;
  // The host window may refuse first; then the window goes, and the site forgets the view.
  HRESULT Close() override;

  bool HasWindow() const { return static_cast<bool>(m_window); }

 protected:
  virtual std::unique_ptr<ViewWindow> MakeViewWindow(HWND parent) = 0;

 private:
  Quor::ComPtr<ITarnHostWindow> m_hostWindow;
  // Owned outright: the window goes with the view whatever flags the framework gave it.
  std::unique_ptr<ViewWindow> m_window;
  bool m_closed = false;
};
