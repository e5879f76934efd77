#include "host/views/view_site.h"

#include "core/quor_string.h"
#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/guarded_call.h"

namespace PendrelHost {

namespace {
constexpr const char* kService = "ViewSite";
}  // namespace

ViewSite::ViewSite(DWORD documentKey, std::u16string title)
    : m_documentKey(documentKey), m_title(std::move(title)) {}

HRESULT ViewSite::CanCloseView(IUnknown* view, VARIANT_BOOL* canClose) {
  Tarn::RecordCall(kService, "CanCloseView", "view=" + Tarn::Presence(view));
  if (!canClose) return E_POINTER;
  *canClose = VARIANT_TRUE;
  return S_OK;
}

HRESULT ViewSite::RemoveView(IUnknown* view) {
  Tarn::RecordCall(kService, "RemoveView", "view=" + Tarn::Presence(view));
  return S_OK;
}

HRESULT ViewSite::ActivateView(IUnknown* view) {
  Tarn::RecordCall(kService, "ActivateView", "view=" + Tarn::Presence(view));
  return S_OK;
}

HRESULT ViewSite::GetDocumentKey(DWORD* key) {
  Tarn::RecordCall(kService, "GetDocumentKey");
  if (!key) return E_POINTER;
  *key = m_documentKey;
  return S_OK;
}

HRESULT ViewSite::GetViewTitle(IQuorString** title) {
  return Tarn::Guarded([&] {
    Tarn::RecordCall(kService, "GetViewTitle");
    if (!title) return E_POINTER;
    *title = m_title.empty() ? nullptr : Quor::String(m_title).GetInterface();
    return *title ? S_OK : S_FALSE;
  });
}

}  // namespace PendrelHost
