#include "views/tests/view_host.h"

#include <gtest/gtest.h>

#include "analysis/messages/document_messages.h"
#include "hostframework/host_services.h"

namespace ViewsTest {

namespace {

class NoSite final : public SimpleUnknownImp1<ITarnViewSite> {
 public:
  HRESULT CanCloseView(IUnknown*, VARIANT_BOOL* canClose) override {
    if (canClose) *canClose = VARIANT_TRUE;
    return S_OK;
  }
  HRESULT RemoveView(IUnknown*) override { return S_OK; }
  HRESULT ActivateView(IUnknown*) override { return S_OK; }
};

// The host's frame of a view: a headless window of its own.
class HeadlessFrame final : public SimpleUnknownImp1<ITarnHostWindow> {
 public:
  explicit HeadlessFrame(HWND window) : m_window(window) {}
  HRESULT GetWindowHandle(HWND* window) override {
    *window = m_window;
    return S_OK;
  }
  HRESULT Close() override { return S_OK; }

 private:
  HWND m_window;
};

}  // namespace

TestViewAnswers& Answers() {
  static TestViewAnswers answers;
  return answers;
}

void TestSeriesView::GetMarkup(Quor::String& markup, Rhyth::IEtchEnumInfo* info) {
  DWORD count = 0;
  info->GetCount(&count);
  markup = Quor::String("series v" + std::to_string(Answers().markupVersion) + " n" +
                        std::to_string(count));
}

void TestScatterView::GetMarkup(Quor::String& markup, Rhyth::IEtchEnumInfo* xInfo,
                                Rhyth::IEtchEnumInfo*) {
  DWORD count = 0;
  xInfo->GetCount(&count);
  markup = Quor::String("scatter v" + std::to_string(Answers().markupVersion) + " n" +
                        std::to_string(count));
}

void ViewHost::SetUp() {
  AnalysisHost::SetUp();
  Answers() = {};
  plots = std::make_unique<PlotRecorder>();
  frame = std::make_unique<OWL::TWindow>(static_cast<OWL::TWindow*>(nullptr), u"frame");
  frame->Attr.Style = WS_POPUP;
  frame->Attr.W = 640;
  frame->Attr.H = 480;
  ASSERT_TRUE(frame->Create());
  frameHost = Quor::ComPtr<ITarnHostWindow>(new HeadlessFrame(frame->GetHandle()));
  site = Quor::ComPtr<ITarnViewSite>(new NoSite);
}

void ViewHost::TearDown() {
  hostedViews.clear();
  site.Clear();
  frameHost.Clear();
  frame.reset();
  plots.reset();
  AnalysisHost::TearDown();
}

void ViewHost::OpenDocument(bool analysed) {
  Open(AnalysisDocumentTest::SyntheticRecording(30.0));
  AnalysisDocumentTest::AcceptSyntheticBeats(Settings());
  if (analysed) Analyse();
}

void ViewHost::Analyse() { Send(Rhyth::AnalyzeMsg::Id()); }

IDocView2* CreateAndShow(IDocViewClass* viewClass, ITarnViewSite* site, IUnknown* document,
                         ITarnHostWindow* frame) {
  IDocView2* view = nullptr;
  EXPECT_EQ(viewClass->CreateView(site, document, &view), S_OK);
  Quor::ComPtr<IClientWindow> window;
  view->QueryInterface(IClientWindow::iid, Quor::ComPtrOut<IClientWindow>::Bind(window));
  EXPECT_EQ(window->CreateClientWindow(frame), S_OK);
  return view;
}

void RegisterViewClass(IDocViewClass* viewClass) {
  DWORD type = 0;
  viewClass->GetTypeId(&type);
  Quor::ComPtr<ITarnClassObject> earlier;
  GetTarnClassRegistry()->FindClassObject(type, Quor::ComPtrOut<ITarnClassObject>::Bind(earlier));
  if (earlier) GetTarnClassRegistry()->RevokeClassObject(earlier.Get());
  GetTarnClassRegistry()->RegisterClassObject(viewClass);
}

PendrelHost::HostedView& ViewHost::Hosted(IDocView2* view) {
  for (auto& hosted : hostedViews) {
    if (hosted->View() == view) return *hosted;
  }
  throw std::logic_error("not a hosted view");
}

void ViewHost::CloseView(IDocView2* view) {
  for (auto it = hostedViews.begin(); it != hostedViews.end(); ++it) {
    if ((*it)->View() == view) {
      hostedViews.erase(it);
      return;
    }
  }
  view->Close();
  Quor::ComPtr<IClientWindow> window;
  view->QueryInterface(IClientWindow::iid, Quor::ComPtrOut<IClientWindow>::Bind(window));
  window->DestroyClientWindow();
  window.Clear();
  view->Release();
}

Log ViewHost::TakeLog() {
  Log taken;
  taken.swap(plots->log);
  return taken;
}

}  // namespace ViewsTest
