#include "host/views/hosted_view.h"

#include "host/framework/call_arguments.h"
#include "host/framework/call_log.h"
#include "host/framework/dll_get_class_object.h"
#include "platform/pendrel/class_registry.h"
#include "platform/pendrel/commands.h"
#include "platform/pendrel/events.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/pendrel/messages.h"
#include "platform/win32/bstr.h"
#include "platform/win32/com_object.h"
#include "platform/win32/window.h"

namespace PendrelHost {

namespace {

constexpr const char* kService = "HostedView";

template <class I>
Quor::ComPtr<I> FrameworkFace() {
  Quor::ComPtr<I> face;
  DllGetClassObject(CLSID_TarnFrameWork, I::iid, Quor::ComPtrOut<I>::Bind(face));
  return face;
}

// The host's place for the view: it lets the view close and forgets it.
class ViewSite final : public SimpleUnknownImp1<ITarnViewSite> {
 public:
  HRESULT CanCloseView(IUnknown*, VARIANT_BOOL* canClose) override {
    if (canClose) *canClose = VARIANT_TRUE;
    return S_OK;
  }
  HRESULT RemoveView(IUnknown*) override {
    Tarn::RecordCall(kService, "RemoveView");
    return S_OK;
  }
  HRESULT ActivateView(IUnknown*) override { return S_OK; }
};

// The frame as the view sees it.
class FrameWindow final : public SimpleUnknownImp1<ITarnHostWindow> {
 public:
  explicit FrameWindow(HWND window) : m_window(window) {}
  HRESULT GetWindowHandle(HWND* window) override {
    if (!window) return E_POINTER;
    *window = m_window;
    return S_OK;
  }
  HRESULT Close() override { return S_OK; }

 private:
  HWND m_window;
};

class CommandState final : public SimpleUnknownImp1<ITarnCommandState, 1> {
 public:
  HRESULT Enable(VARIANT_BOOL enable) override {
    enabled = enable != VARIANT_FALSE;
    return S_OK;
  }
  HRESULT SetCheck(LONG) override { return S_OK; }
  HRESULT SetText(IQuorString*) override { return S_OK; }
  bool enabled = false;
};

Quor::ComPtr<IDocViewClass> ViewClassOf(DWORD typeWord) {
  Quor::ComPtr<ITarnClassObject> found;
  if (auto registry = FrameworkFace<ITarnClassRegistry>()) {
    registry->FindClassObject(typeWord, Quor::ComPtrOut<ITarnClassObject>::Bind(found));
  }
  Quor::ComPtr<IDocViewClass> viewClass;
  if (found) found->QueryInterface(IDocViewClass::iid, Quor::ComPtrOut<IDocViewClass>::Bind(viewClass));
  return viewClass;
}

}  // namespace

HostedView::HostedView(DWORD typeWord, IUnknown* document, ViewFrameSize frameSize) {
  Tarn::RecordCall(kService, "Open", "type=" + Tarn::HexWord(typeWord));
  Quor::ComPtr<IDocViewClass> viewClass = ViewClassOf(typeWord);
  if (!viewClass) return;
  m_site = Quor::ComPtr<ITarnViewSite>(new ViewSite);
  viewClass->CreateView(m_site.Get(), document, Quor::ComPtrOut<IDocView2>::Bind(m_view));
  if (!m_view) return;
  m_frame = std::make_unique<OWL::TWindow>(static_cast<OWL::TWindow*>(nullptr), u"view frame");
  m_frame->Attr.Style = WS_POPUP;
  m_frame->Attr.W = frameSize.width;
  m_frame->Attr.H = frameSize.height;
  if (!m_frame->Create()) return;
  Quor::ComPtr<ITarnHostWindow> frame(new FrameWindow(m_frame->GetHandle()));
  if (auto window = Face<IClientWindow>()) {
    m_hasWindow = window->CreateClientWindow(frame.Get()) == S_OK;
  }
  // As a host frame does, the view's window fills the frame's client area.
  RECT area{};
  const HWND client = m_hasWindow ? GetWindow(Frame(), GW_CHILD) : nullptr;
  if (client && GetClientRect(Frame(), &area)) {
    MoveWindow(client, 0, 0, area.right - area.left, area.bottom - area.top, TRUE);
  }
}

HostedView::~HostedView() { Close(); }

template <class I>
Quor::ComPtr<I> HostedView::Face() const {
  Quor::ComPtr<I> face;
  if (m_view) m_view->QueryInterface(I::iid, Quor::ComPtrOut<I>::Bind(face));
  return face;
}

void HostedView::Close() {
  if (!m_view) return;
  Tarn::RecordCall(kService, "Close");
  m_view->Close();
  if (auto window = Face<IClientWindow>()) window->DestroyClientWindow();
  m_hasWindow = false;
  m_view.Clear();
  m_frame.reset();
  m_site.Clear();
}

std::u16string HostedView::Title() {
  if (!m_view) return {};
  BSTR title = nullptr;
  m_view->GetTitle(&title);
  std::u16string text = title ? std::u16string(title, SysStringLen(title)) : std::u16string();
  SysFreeString(title);
  return text;
}

LONG HostedView::SendMessage(DWORD id, const void* parameters, DWORD bytes) {
  auto handler = Face<IMessageHandler>();
  Quor::ComPtr<ITarnMessageValueService> service;
  if (auto registry = FrameworkFace<ITarnClassRegistry>()) {
    registry->CreateObject(kTarnTypeMessageValueService, ITarnMessageValueService::iid,
                           Quor::ComPtrOut<ITarnMessageValueService>::Bind(service));
  }
  if (!handler || !service) return 0;
  Quor::ComPtr<IMessage> message;
  service->CreateMessage(id, 0, 0, 0, 0, parameters, bytes, Quor::ComPtrOut<IMessage>::Bind(message));
  return message ? handler->HandleMessage(message.Get()) : 0;
}

void HostedView::Notify(DWORD eventId, const void* parameters) {
  if (auto observer = Face<IObserver>()) observer->OnNotify(nullptr, eventId, 0, parameters);
}

void HostedView::Command(DWORD id) {
  if (auto commands = Face<ITarnCommandHandler>()) commands->OnCommand(id);
}

bool HostedView::IsCommandEnabled(DWORD id) {
  CommandState state;
  if (auto commands = Face<ITarnCommandHandler>()) commands->OnCommandEnable(id, &state);
  return state.enabled;
}

PendrelViewSize HostedView::PreferredSize() {
  PendrelViewSize size{0, 0};
  Notify(kHostViewSizeQuery, &size);
  return size;
}

}  // namespace PendrelHost
