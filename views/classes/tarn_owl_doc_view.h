// TarnOwlDocView<V>: the document-view wrapper the host holds for one open analysis view of
// type V. It makes the view window V inside the host's frame when the host asks for the client
// window, routes the host's notices, commands and messages for the view to V's event table
// through its event-handler face, and names the view by its title. The host owns the wrapper
// through its reference count; the window lives from CreateClientWindow to
// DestroyClientWindow (or Close).
#pragma once

#include <memory>

#include "core/com_ptr.h"
#include "hostframework/cpp_event_handler.h"
#include "hostframework/docview/doc_view_base.h"
#include "hostframework/host_services.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/pendrel/framework_services.h"
#include "platform/win32/bstr.h"
#include "views/classes/view_titles.h"

namespace Rhyth {

// Tells the host's debug object tracker of a view object, when the host has one.
void AnnounceViewObject(IUnknown* object, DWORD code);
// The interfaces every wrapper offers the host: its document-view and client-window faces.
HRESULT EnumViewInterfaces(IEnumInterface** interfaces);
// The title a view hands the host: S_OK always; an earlier title is freed, and an empty text
// leaves the title null.
HRESULT CopyViewTitle(const Quor::String& text, BSTR* title);

template <class V>
class TarnOwlDocView final : public DocWindowViewBase, public IClientWindow {
 public:
  TarnOwlDocView(IUnknown* document, ITarnViewSite* site)
      : DocWindowViewBase(document, site), m_document(document),
        m_handler(new TarnProxyEventHandler) {
    m_handler->AddRef();
    AnnounceViewObject(static_cast<IDocView2*>(this), kTarnTrackViewClass);
  }

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IClientWindow::iid) {
      *object = static_cast<IClientWindow*>(this);
      AddRef();
      return S_OK;
    }
    // The event-handler faces are the proxy's: it answers harmlessly once the window is gone.
    if (iid == ITarnCommandHandler::iid || iid == IObserver::iid || iid == IMessageHandler::iid) {
      return m_handler->QueryInterface(iid, object);
    }
    return DocWindowViewBase::QueryInterface(iid, object);
  }
  ULONG AddRef() override { return DocWindowViewBase::AddRef(); }
  ULONG Release() override { return DocWindowViewBase::Release(); }

  HRESULT CreateClientWindow(ITarnHostWindow* frame) override {
    return DocWindowViewBase::CreateClientWindow(frame);
  }
  HRESULT DestroyClientWindow() override {
    m_view = nullptr;
    return DocWindowViewBase::DestroyClientWindow();
  }
  HRESULT Close() override {
    m_view = nullptr;
    return DocWindowViewBase::Close();
  }

  HRESULT GetTitle(BSTR* title) override {
    if (!title) return S_OK;
    return CopyViewTitle(m_view && HasWindow() ? m_view->GetTitle() : ViewTitle(V::kViewNumber),
                         title);
  }

  V* View() const { return HasWindow() ? m_view : nullptr; }

 protected:
  std::unique_ptr<ViewWindow> MakeViewWindow(HWND parent) override {
    auto view = std::make_unique<V>(parent, m_document.Get());
    view->SetProxy(m_handler);
    m_view = view.get();
    if (!view->Create()) {
      m_view = nullptr;
      return nullptr;
    }
    return view;
  }

 private:
  ~TarnOwlDocView() override {
    DocWindowViewBase::DestroyClientWindow();
    m_handler->SetOwner(nullptr);
    m_handler->Release();
    AnnounceViewObject(static_cast<IDocView2*>(this), kTarnTrackViewObject);
  }

  Quor::ComPtr<IUnknown> m_document;
  TarnProxyEventHandler* m_handler;  // one reference
  V* m_view = nullptr;               // owned by the base while it has a window
};

}  // namespace Rhyth
