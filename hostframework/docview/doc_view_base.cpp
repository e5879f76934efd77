#include "hostframework/docview/doc_view_base.h"

#include <utility>

namespace {

template <class T>
T* WithReference(T* object) {
  if (object) object->AddRef();
  return object;
}

}  // namespace

DocViewBase::DocViewBase(IUnknown* document, ITarnViewSite* site)
    : m_document(document), m_site(site) {
  Quor::ComPtr<ITarnViewDocument> viewDocument;
  if (document) {
    document->QueryInterface(ITarnViewDocument::iid,
                             Quor::ComPtrOut<ITarnViewDocument>::Bind(viewDocument));
  }
  if (viewDocument) viewDocument->AddView(static_cast<IDocView2*>(this));
}

DocViewBase::~DocViewBase() {
  if (!m_document) return;
  Quor::ComPtr<ITarnViewDocument> viewDocument;
  m_document->QueryInterface(ITarnViewDocument::iid,
                             Quor::ComPtrOut<ITarnViewDocument>::Bind(viewDocument));
  if (viewDocument) viewDocument->RemoveView(static_cast<IDocView2*>(this));
}

HRESULT DocViewBase::GetTitle(BSTR* title) {
  if (title) *title = nullptr;
  return S_FALSE;
}

HRESULT DocViewBase::CanClose(VARIANT_BOOL* canClose) {
  if (m_site) m_site->CanCloseView(static_cast<IDocView2*>(this), canClose);
  return S_OK;
}

void DocViewBase::LeaveSite() {
  // Cleared as it is released: a second close must not call a site it no longer holds.
  Quor::ComPtr<ITarnViewSite> site = std::exchange(m_site, {});
  if (site) site->RemoveView(static_cast<IDocView2*>(this));
}

HRESULT DocViewBase::Close() {
  LeaveSite();
  return S_OK;
}

HRESULT DocViewBase::SetViewId(DWORD id) {
  m_viewId = id;
  return S_OK;
}

HRESULT DocViewBase::GetViewId(DWORD* id) {
  if (!id) return E_POINTER;
  *id = m_viewId;
  return S_OK;
}

HRESULT DocViewBase::GetViewKey(DWORD key[2]) {
  if (!key) return E_POINTER;
  key[0] = 0;
  Quor::ComPtr<ITarnViewDocument> viewDocument;
  if (m_document) {
    m_document->QueryInterface(ITarnViewDocument::iid,
                               Quor::ComPtrOut<ITarnViewDocument>::Bind(viewDocument));
  }
  if (viewDocument) viewDocument->GetKeyValue(&key[0]);
  key[1] = (m_viewInstance << 16) | m_viewId;
  return S_OK;
}

HRESULT DocViewBase::Activate() {
  if (m_site) m_site->ActivateView(static_cast<IDocView2*>(this));
  return S_OK;
}

HRESULT DocViewBase::GetDocument(IUnknown** document) {
  if (!document) return E_POINTER;
  *document = WithReference(m_document.Get());
  return S_OK;
}

HRESULT DocViewBase::GetViewSite(ITarnViewSite** site) {
  if (!site) return E_POINTER;
  *site = WithReference(m_site.Get());
  return S_OK;
}

HRESULT DocViewBase::GetViewInstance(DWORD* instance) {
  if (!instance) return E_POINTER;
  *instance = m_viewInstance;
  return S_OK;
}

HRESULT DocViewBase::SetViewInstance(DWORD instance) {
  m_viewInstance = instance;
  return S_OK;
}

HRESULT DocWindowViewBase::CreateClientWindow(ITarnHostWindow* hostWindow) {
  if (!hostWindow) return E_POINTER;
  if (m_window) return E_FAIL;
  HWND parent = nullptr;
  hostWindow->GetWindowHandle(&parent);
  std::unique_ptr<ViewWindow> window = MakeViewWindow(parent);
  if (!window) return E_FAIL;
  m_hostWindow = Quor::ComPtr<ITarnHostWindow>(hostWindow);
  m_window = std::move(window);
  return S_OK;
}

HRESULT DocWindowViewBase::DestroyClientWindow() {
  m_window.reset();
  m_hostWindow.Clear();
  return S_OK;
}

HRESULT DocWindowViewBase::CanClose(VARIANT_BOOL* canClose) {
  if (!canClose) return E_POINTER;
  *canClose = VARIANT_FALSE;
  if (!m_window || !m_window->CanClose()) return S_FALSE;
  if (Site()) Site()->CanCloseView(static_cast<IDocView2*>(this), canClose);
  return *canClose == VARIANT_TRUE ? S_OK : S_FALSE;
}

HRESULT DocWindowViewBase::Close() {
  if (m_closed) return S_OK;
  if (m_hostWindow) {
    const HRESULT refused = m_hostWindow->Close();
    if (refused != S_OK) return refused;
  }
  m_hostWindow.Clear();
  m_closed = true;
  m_window.reset();
  LeaveSite();
  return S_OK;
}
