// The view window base against the stand-in host: the command states and messages the host
// sends through the view's proxy, what the view asks the host for them, the print command's
// text in the host's language, and the size grip as it is drawn and hit.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "host/document/data_document.h"
#include "host/framework/call_log.h"
#include "host/framework/host_text.h"
#include "host/views/view_site.h"
#include "hostframework/docview/doc_view_base.h"
#include "hostframework/document/tarn_document.h"
#include "hostframework/tests/host_fixture.h"
#include "hostframework/tests/test_message.h"
#include "hostframework/viewwindow/view_base.h"
#include "platform/win32/monitors.h"
#include "platform/win32/printing.h"

namespace {

class TestView final : public ViewBase {
 public:
  using ViewBase::ViewBase;
  using ViewBase::SetSizeGrip;
  Quor::String GetCopyMenuText() override { return u"Copy Tachogram"; }
  Quor::String GetPrintMenuText() override { return printText; }
  Quor::String printText = u"&Print Tachogram";
};

class TestDocView final : public DocViewBase {
 public:
  TestDocView() : DocViewBase(nullptr, nullptr) { AddRef(); }
};

class TestDocument final : public TarnDocument {
 public:
  explicit TestDocument(IUnknown* host) : TarnDocument(nullptr, host, 0, 0) { AddRef(); }
};

// What a command handler set on the state the host handed it.
class RecordedState final : public SimpleUnknownImp1<ITarnCommandState, 1> {
 public:
  HRESULT Enable(VARIANT_BOOL enable) override {
    enabled = enable != VARIANT_FALSE;
    return S_OK;
  }
  HRESULT SetCheck(LONG) override { return S_OK; }
  HRESULT SetText(IQuorString* shown) override {
    text = Tarn::TextOf(shown);
    return S_OK;
  }
  std::optional<bool> enabled;
  std::optional<std::u16string> text;
};

// A view opened on a module document over a host data document, in the host's site for it.
class ViewBaseTest : public HostFrameworkTest {
 protected:
  void SetUp() override {
    HostFrameworkTest::SetUp();
    m_data = new PendrelHost::DataDocument(std::make_shared<PendrelHost::Recording>(100.0));
    m_document = new TestDocument(m_data->Identity());
    m_site = new PendrelHost::ViewSite(77, u"Tachogram");
    m_docView = new TestDocView;
    m_docView->SetViewId(5);
    m_docView->SetViewInstance(2);
    view = std::make_unique<TestView>(nullptr, static_cast<ITarnViewSite*>(m_site), m_docView,
                                      static_cast<ICustomDocument2*>(m_document), nullptr);
    win32::ClearShownPrintDialogs();
  }
  void TearDown() override {
    view.reset();
    m_docView->Release();
    m_site->Release();
    m_document->Close();
    m_document->Release();
    m_data->Identity()->Release();
    HostFrameworkTest::TearDown();
  }

  RecordedState& QueryState(DWORD command) {
    m_state = std::make_unique<RecordedState>();
    EXPECT_EQ(view->GetProxy()->OnCommandEnable(command, m_state.get()), 0);
    return *m_state;
  }
  PendrelHost::ViewPrinting& Printing() { return m_data->Printing(); }

  std::unique_ptr<TestView> view;

 private:
  PendrelHost::DataDocument* m_data = nullptr;
  TestDocument* m_document = nullptr;
  PendrelHost::ViewSite* m_site = nullptr;
  TestDocView* m_docView = nullptr;
  std::unique_ptr<RecordedState> m_state;
};

TEST_F(ViewBaseTest, TheHostGivesTheTitleTheKeyAndTheHostDocument) {
  EXPECT_EQ(view->GetHostTitle(), u"Tachogram");
  DWORD key[2];
  view->GetHostViewKey(key);
  EXPECT_EQ(key[0], 77u);
  EXPECT_EQ(key[1], 0x00020005u) << "(view instance << 16) | view id";
  EXPECT_NE(view->GetHostDocument(), nullptr);

  TestView alone(nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(alone.GetHostTitle().IsEmpty());
  alone.GetHostViewKey(key);
  EXPECT_EQ(key[0], 0u);
  EXPECT_EQ(key[1], 0u);
  EXPECT_EQ(alone.GetHostDocument(), nullptr);
  EXPECT_FALSE(alone.CanPrint()) << "no host document, no printing";
}

TEST_F(ViewBaseTest, CommandStatesAnswerFromTheViewAndTheHostsPrinter) {
  RecordedState& copy = QueryState(kViewCommandCopy);
  EXPECT_EQ(copy.text, u"Copy Tachogram");
  EXPECT_EQ(copy.enabled, true);

  struct Case {
    bool hostCanPrint;
    const char* recorded;
  } cases[] = {{true, "ViewPrinting.CanPrint(yes)"}, {false, "ViewPrinting.CanPrint(no)"}};
  for (const Case& c : cases) {
    Printing().SetCanPrint(c.hostCanPrint);
    Tarn::ClearRecordedCalls();
    RecordedState& print = QueryState(kViewCommandPrint);
    EXPECT_EQ(print.enabled, c.hostCanPrint);
    EXPECT_EQ(print.text, u"&Print Tachogram");
    EXPECT_EQ(Tarn::CountCalls("RecordingDocument.GetViewPrinting"), 1u);
    EXPECT_EQ(Tarn::RecordedCallTexts().back(), c.recorded);
  }

  RecordedState& third = QueryState(kViewCommandThird);
  EXPECT_EQ(third.enabled, false);
  EXPECT_FALSE(third.text.has_value());
}

TEST_F(ViewBaseTest, ThePrintTextFollowsTheHostLanguage) {
  const WORD spanish = MAKELANGID(LANG_SPANISH, 0x03);
  struct Case {
    WORD language;
    const char16_t* text;
    const char16_t* shown;
  } cases[] = {
      {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), u"&Print Tachogram", u"&Print Tachogram"},
      {spanish, u"&Print Tachogram", u"&Imprimir Tachogram"},
      {MAKELANGID(LANG_SPANISH, 0x01), u"&Print", u"&Imprimir"},
      {spanish, u"Print Tachogram", u"Print Tachogram"},
      {spanish, u"&Prin", u"&Prin"},
      {spanish, u"&print Tachogram", u"&print Tachogram"},
      {spanish, u"", u""},
  };
  for (const Case& c : cases) {
    PendrelHost::HostApplication::Instance().SetUserInterfaceLanguage(c.language);
    view->printText = c.text;
    EXPECT_EQ(QueryState(kViewCommandPrint).text, c.shown) << Tarn::Utf8(c.text);
  }
}

TEST_F(ViewBaseTest, ThePrintSetupMessageRunsTheHostsPrintSetup) {
  win32::QueuePrintDialogAnswer(PD_RESULT_APPLY);
  TestMessage message(kHostMessagePrintSetup, 0);
  EXPECT_EQ(view->GetProxy()->HandleMessage(&message), 1);
  EXPECT_EQ(Tarn::CountCalls("ViewPrinting.PrintSetup"), 1u);
  ASSERT_EQ(win32::ShownPrintDialogs().size(), 1u);
  EXPECT_EQ(win32::ShownPrintDialogs()[0].answer, PD_RESULT_APPLY);

  TestView alone(nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(alone.GetProxy()->HandleMessage(&message), 0) << "without host printing, not handled";
  EXPECT_EQ(win32::ShownPrintDialogs().size(), 1u);
}

// A view inside a client window inside a frame, as the host shows it.
class SizeGripTest : public HostFrameworkTest {
 protected:
  void SetUp() override {
    HostFrameworkTest::SetUp();
    win32::SetMonitorsForTesting({{{0, 0, 800, 600}, {0, 0, 800, 560}, 96}});
    frame.Attr.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    frame.Attr.X = 100, frame.Attr.Y = 50, frame.Attr.W = 400, frame.Attr.H = 300;
    client.Attr.W = 300, client.Attr.H = 200;
    view.Attr.X = 10, view.Attr.Y = 20, view.Attr.W = 200, view.Attr.H = 100;
    ASSERT_TRUE(frame.Create());
  }
  void TearDown() override {
    win32::SetMonitorsForTesting({});
    HostFrameworkTest::TearDown();
  }

  POINT OnScreen(int x, int y) {
    POINT point{x, y};
    ClientToScreen(view, &point);
    return point;
  }
  LRESULT HitTest(POINT screen) { return view.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)); }

  OWL::TWindow frame{static_cast<OWL::TWindow*>(nullptr)};
  OWL::TWindow client{&frame};
  TestView view{&client, nullptr, nullptr, nullptr, nullptr};
};

TEST_F(SizeGripTest, TheGripIsTheResizeCornerUnlessTheFrameIsMaximised) {
  const int side = GetSystemMetrics(SM_CXVSCROLL);
  const RECT square = {200 - side, 100 - side, 200, 100};
  struct Case {
    bool maximised, resizeCorner;
    LRESULT onGrip;
    bool ridged;
  } cases[] = {{false, true, HTBOTTOMRIGHT, true},
               {true, true, HTCLIENT, false},
               {false, false, HTCLIENT, true}};
  for (const Case& c : cases) {
    frame.ShowWindow(c.maximised ? SW_MAXIMIZE : SW_SHOWNORMAL);
    view.SetSizeGrip(true, c.resizeCorner);
    view.Invalidate();
    view.UpdateWindow();
    EXPECT_EQ(HitTest(OnScreen(square.left, square.top)), c.onGrip) << c.maximised;
    EXPECT_EQ(HitTest(OnScreen(square.right - 1, square.bottom - 1)), c.onGrip);
    EXPECT_EQ(HitTest(OnScreen(square.left - 1, square.bottom - 1)), HTCLIENT) << "beside the grip";

    HDC dc = GetDC(view);
    int face = 0, other = 0;
    for (int y = square.top; y < square.bottom; ++y)
      for (int x = square.left; x < square.right; ++x)
        (GetPixel(dc, x, y) == GetSysColor(COLOR_BTNFACE) ? face : other)++;
    ReleaseDC(view, dc);
    EXPECT_GT(face, 0);
    EXPECT_EQ(other > 0, c.ridged) << "maximised frames show plain button face";
  }
}

}  // namespace
