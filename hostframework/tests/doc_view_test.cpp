// The document views and view classes the host opens and counts: what they tell the document
// and the site, when, and how often; the view window they own; the enumerator of their
// interfaces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostframework/docview/doc_view_base.h"
#include "hostframework/docview/interface_enum.h"
#include "hostframework/docview/owl_doc_view_class_base.h"
#include "platform/owl/atl_window.h"

namespace {

using Log = std::vector<std::string>;

class FakeSite final : public SimpleUnknownImp1<ITarnViewSite, 1> {
 public:
  explicit FakeSite(Log& log) : m_log(log) {}
  HRESULT CanCloseView(IUnknown*, VARIANT_BOOL* canClose) override {
    m_log.push_back("site can close");
    if (canClose) *canClose = answer;
    return S_OK;
  }
  HRESULT RemoveView(IUnknown*) override {
    m_log.push_back("site remove");
    return S_OK;
  }
  HRESULT ActivateView(IUnknown*) override {
    m_log.push_back("site activate");
    return S_OK;
  }
  VARIANT_BOOL answer = VARIANT_TRUE;

 private:
  Log& m_log;
};

class FakeDocument final : public SimpleUnknownImp1<ITarnViewDocument, 1> {
 public:
  explicit FakeDocument(Log& log) : m_log(log) {}
  HRESULT AddView(IUnknown*) override {
    m_log.push_back("document add");
    return S_OK;
  }
  HRESULT RemoveView(IUnknown*) override {
    m_log.push_back("document remove");
    return S_OK;
  }
  HRESULT GetKeyValue(DWORD* key) override {
    *key = 77;
    return S_OK;
  }

 private:
  Log& m_log;
};

class FakeHostWindow final : public SimpleUnknownImp1<ITarnHostWindow, 1> {
 public:
  HRESULT GetWindowHandle(HWND* window) override {
    *window = nullptr;
    return S_OK;
  }
  HRESULT Close() override { return refuse ? S_FALSE : S_OK; }
  bool refuse = false;
};

struct CountedWindow final : ViewWindow {
  explicit CountedWindow(int& alive) : m_alive(alive) { ++m_alive; }
  ~CountedWindow() override { --m_alive; }
  int& m_alive;
};

class TestView final : public DocWindowViewBase {
 public:
  TestView(IUnknown* document, ITarnViewSite* site, int& windows)
      : DocWindowViewBase(document, site), m_windows(windows) {
    AddRef();
  }

 protected:
  std::unique_ptr<ViewWindow> MakeViewWindow(HWND) override {
    return std::make_unique<CountedWindow>(m_windows);
  }

 private:
  int& m_windows;
};

struct DocView : ::testing::Test {
  Log log;
  FakeSite site{log};
  FakeDocument document{log};
  FakeHostWindow hostWindow;
  int windows = 0;
};

TEST_F(DocView, TellsTheDocumentAndTheSiteEachOnce) {
  auto* view = new TestView(&document, &site, windows);
  view->SetViewInstance(2);
  view->SetViewId(5);
  DWORD key[2] = {};
  view->GetViewKey(key);
  EXPECT_EQ(key[0], 77u);
  EXPECT_EQ(key[1], 0x00020005u);
  ASSERT_EQ(view->CreateClientWindow(&hostWindow), S_OK);
  EXPECT_EQ(view->CreateClientWindow(&hostWindow), E_FAIL);
  EXPECT_EQ(windows, 1);

  EXPECT_EQ(view->Close(), S_OK);
  EXPECT_EQ(view->Close(), S_OK);
  EXPECT_EQ(windows, 0);
  // The released site is no longer handed out.
  ITarnViewSite* held = &site;
  view->GetViewSite(&held);
  EXPECT_EQ(held, nullptr);
  view->Release();
  EXPECT_EQ(log, (Log{"document add", "site remove", "document remove"}));
}

TEST_F(DocView, AViewWithoutADocumentCallsNone) {
  auto* view = new TestView(nullptr, &site, windows);
  view->Close();
  view->Release();
  EXPECT_EQ(log, (Log{"site remove"}));
}

TEST_F(DocView, AHostWindowThatRefusesKeepsTheViewOpen) {
  auto* view = new TestView(&document, &site, windows);
  view->CreateClientWindow(&hostWindow);
  hostWindow.refuse = true;
  EXPECT_EQ(view->Close(), S_FALSE);
  EXPECT_EQ(windows, 1);
  hostWindow.refuse = false;
  EXPECT_EQ(view->Close(), S_OK);
  EXPECT_EQ(windows, 0);
  view->Release();
}

TEST_F(DocView, OnlyAViewWithAWindowMayCloseAndTheSiteDecides) {
  auto* view = new TestView(&document, &site, windows);
  VARIANT_BOOL canClose = VARIANT_TRUE;
  EXPECT_EQ(view->CanClose(&canClose), S_FALSE);
  EXPECT_EQ(canClose, VARIANT_FALSE);
  view->CreateClientWindow(&hostWindow);
  EXPECT_EQ(view->CanClose(&canClose), S_OK);
  site.answer = VARIANT_FALSE;
  EXPECT_EQ(view->CanClose(&canClose), S_FALSE);
  // A view dropped while its window is open takes the window with it.
  view->Release();
  EXPECT_EQ(windows, 0);
}

TEST(ViewClass, NamesItsViewsAndCountsThem) {
  static const GUID category = win32::ParseGuid("00000000-0000-0000-0000-0000000000aa");
  auto* named = new OwlDocViewClassBase(0x00120003, u"Title", &category, 1, u"Class Name");
  auto* plain = new OwlDocViewClassBase(0x00120004, u"Only Title", &category, 1);
  named->AddRef();
  plain->AddRef();
  IQuorString* name = nullptr;
  plain->GetClassName(&name);
  ASSERT_NE(name, nullptr);
  BSTR text = nullptr;
  name->GetBSTR(&text);
  name->Release();
  EXPECT_EQ(std::u16string(text, SysStringLen(text)), u"Only Title");
  SysFreeString(text);
  BSTR display = nullptr;
  named->GetDisplayName(&display);
  EXPECT_EQ(std::u16string(display, SysStringLen(display)), u"Title");
  SysFreeString(display);
  EXPECT_EQ(named->IsCategory(category), S_OK);
  EXPECT_EQ(named->IsCategory(GUID{}), S_FALSE);
  DWORD count = 9;
  named->AddViewRef(0);
  named->AddViewRef(0);
  named->ReleaseViewRef(0);
  named->GetViewCount(0, &count);
  EXPECT_EQ(count, 1u);
  // More releases than adds leave no views, not four billion.
  plain->ReleaseViewRef(0);
  plain->GetViewCount(0, &count);
  EXPECT_EQ(count, 0u);
  named->Release();
  plain->Release();
}

// The interface enumerator a view class lists its views' interfaces with.
TEST(InterfaceEnum, CopiesWhatIsLeftSkipsAndClonesItsPlace) {
  static const GUID first = win32::ParseGuid("00000000-0000-0000-0000-0000000000b1");
  static const GUID second = win32::ParseGuid("00000000-0000-0000-0000-0000000000b2");
  static const GUID third = win32::ParseGuid("00000000-0000-0000-0000-0000000000b3");
  static const IID* const ids[] = {&first, &second, &third};
  const LONG locksBefore = ATL::ModuleLockCount();
  IEnumInterface* iids = nullptr;
  ASSERT_EQ(QuorCOM::IterEnum::CreateInterfaceEnum(ids, 3, &iids), S_OK);
  EXPECT_EQ(ATL::ModuleLockCount(), locksBefore + 1);

  const IID* out[3] = {};
  ULONG fetched = 9;
  EXPECT_EQ(iids->Next(1, out, nullptr), S_OK);
  EXPECT_EQ(out[0], &first);
  // Not one id asked for and nowhere to say how many came: nothing moves.
  EXPECT_EQ(iids->Next(2, out, nullptr), E_POINTER);
  EXPECT_EQ(iids->Next(1, nullptr, &fetched), E_POINTER);

  IEnumInterface* clone = nullptr;
  ASSERT_EQ(iids->Clone(&clone), S_OK);
  EXPECT_EQ(iids->Next(3, out, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 2u);
  EXPECT_EQ(out[0], &second);
  EXPECT_EQ(out[1], &third);
  EXPECT_EQ(iids->Next(1, out, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);

  // The clone started where the enumerator was; resetting it leaves the enumerator at its end.
  EXPECT_EQ(clone->Next(1, out, nullptr), S_OK);
  EXPECT_EQ(out[0], &second);
  EXPECT_EQ(clone->Reset(), S_OK);
  EXPECT_EQ(iids->Skip(1), S_FALSE);
  EXPECT_EQ(clone->Skip(0), S_OK);
  EXPECT_EQ(clone->Skip(2), S_OK);
  EXPECT_EQ(clone->Skip(2), S_FALSE);
  EXPECT_EQ(clone->Clone(nullptr), E_POINTER);
  EXPECT_EQ(ATL::ModuleLockCount(), locksBefore + 2);
  clone->Release();
  iids->Release();
  EXPECT_EQ(ATL::ModuleLockCount(), locksBefore);
}

}  // namespace
