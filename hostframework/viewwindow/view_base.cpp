#include "hostframework/viewwindow/view_base.h"

#include "hostframework/viewwindow/print_menu_text.h"
#include "hostframework/viewwindow/size_grip.h"
#include "platform/owl/gdi_objects.h"
#include "platform/pendrel/documents.h"
#include "platform/pendrel/recording_document.h"

namespace {

template <class I>
Quor::ComPtr<I> FaceOf(IUnknown* object) {
  Quor::ComPtr<I> face;
  if (object) object->QueryInterface(I::iid, Quor::ComPtrOut<I>::Bind(face));
  return face;
}

}  // namespace

TARN_DEFINE_EVENT_TABLE(ViewBase, TarnCppEventHandler,
                        EvCommandState<&ViewBase::OnCopyState>(&TarnConstantId<kViewCommandCopy>),
                        EvCommandState<&ViewBase::OnPrintState>(&TarnConstantId<kViewCommandPrint>),
                        EvCommandState<&ViewBase::OnThirdCommandState>(&TarnConstantId<kViewCommandThird>),
                        EvMessage<&ViewBase::OnPrintSetup>(&TarnConstantId<kHostMessagePrintSetup>))

ViewBase::ViewBase(OWL::TWindow* parent, IUnknown* hostView, IDocView2* view, IUnknown* document,
                   OWL::TModule* module)
    : OWL::TWindow(parent, nullptr, module), m_hostView(hostView), m_view(view) {
  if (auto host = FaceOf<ITarnHostView>(hostView)) {
    IQuorString* title = nullptr;
    if (SUCCEEDED(host->GetViewTitle(&title)) && title) m_title.Adopt(title);
  }
  if (auto custom = FaceOf<ICustomDocument>(document))
    custom->GetFramework(Quor::ComPtrOut<IUnknown>::Bind(m_hostDocument));
}

ViewBase::~ViewBase() = default;

bool ViewBase::CanPrint() {
  const auto printing = Printing();
  DWORD canPrint = 0;
  return printing && SUCCEEDED(printing->CanPrint(&canPrint)) && canPrint != 0;
}

void ViewBase::GetHostViewKey(DWORD key[2]) const {
  key[0] = key[1] = 0;
  if (auto host = FaceOf<ITarnHostView>(m_hostView.Get())) {
    DWORD documentKey = 0;
    if (SUCCEEDED(host->GetDocumentKey(&documentKey))) key[0] = documentKey;
  }
  if (!m_view) return;
  DWORD id = 0, instance = 0;
  if (FAILED(m_view->GetViewId(&id))) id = 0;
  if (FAILED(m_view->GetViewInstance(&instance))) instance = 0;
  key[1] = (instance << 16) | (id & 0xFFFF);
}

void ViewBase::SetSizeGrip(bool paint, bool resizeCorner) {
  m_paintGrip = paint;
  m_gripIsResizeCorner = resizeCorner;
}

void ViewBase::Paint(OWL::TDC& dc, bool erase, OWL::TRect& rect) {
  if (m_paintGrip) PaintSizeGrip(GetHandle(), dc.GetHDC());
  OWL::TWindow::Paint(dc, erase, rect);
}

bool ViewBase::Find(OWL::TEventInfo& info) {
  static const OWL::TResponseTable table{{WM_NCHITTEST, 0, OWL::Handler(&ViewBase::EvNCHitTest)}};
  return OWL::SearchResponseTable(table, info) || OWL::TWindow::Find(info);
}

LRESULT ViewBase::EvNCHitTest(WPARAM wParam, LPARAM lParam) {
  const POINT screenPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (m_gripIsResizeCorner && IsOnSizeGrip(GetHandle(), screenPoint)) return HTBOTTOMRIGHT;
  return DefaultProcessing(WM_NCHITTEST, wParam, lParam);
}

void ViewBase::OnCopyState(TarnCommandState& state) {
  state.SetText(GetCopyMenuText());
  state.Enable(CanCopy());
}

void ViewBase::OnPrintState(TarnCommandState& state) {
  state.SetText(LocalisedPrintMenuText(GetPrintMenuText()));
  state.Enable(CanPrint());
}

void ViewBase::OnThirdCommandState(TarnCommandState& state) { state.Enable(CanUseThirdCommand()); }

LONG ViewBase::OnPrintSetup() {
  const auto printing = Printing();
  if (!printing) return 1;
  printing->PrintSetup();
  return 0;
}

Quor::ComPtr<IPendrelViewPrinting> ViewBase::Printing() const {
  Quor::ComPtr<IPendrelViewPrinting> printing;
  if (auto recording = FaceOf<IPendrelRecordingDocument>(m_hostDocument.Get()))
    recording->GetViewPrinting(Quor::ComPtrOut<IPendrelViewPrinting>::Bind(printing));
  return printing;
}
