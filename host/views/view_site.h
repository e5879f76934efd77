// The host's place for one open view: it gives the view its title and the key of the document
// it shows, decides whether the view may close, forgets the view when it closes and activates
// it. Every question a view asks is recorded, so that tests can assert what a view window asked
// of the host. The host makes one for each view it opens and holds it while the view is open.
#pragma once

#include <string>

#include "platform/pendrel/view_classes.h"
#include "platform/pendrel/view_window_host.h"
#include "platform/win32/com_object.h"

namespace PendrelHost {

class ViewSite final : public SimpleUnknownImp2<ITarnViewSite, ITarnHostView, 1> {
 public:
  ViewSite(DWORD documentKey, std::u16string title);

  // ITarnViewSite: a view may always close.
  HRESULT CanCloseView(IUnknown* view, VARIANT_BOOL* canClose) override;
  HRESULT RemoveView(IUnknown* view) override;
  HRESULT ActivateView(IUnknown* view) override;

  // ITarnHostView
  HRESULT GetDocumentKey(DWORD* key) override;
  // An empty title gives no string.
  HRESULT GetViewTitle(IQuorString** title) override;

 private:
  ~ViewSite() override = default;

  DWORD m_documentKey;
  std::u16string m_title;
};

}  // namespace PendrelHost
