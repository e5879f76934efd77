// The browser control against recording fakes of the host: a class registry that hands out a fake
// browser class, whose browsers record what the control asks of them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostframework/host_services.h"
#include "platform/pendrel/framework_ids.h"
#include "platform/win32/com_object.h"
#include "platform/win32/com_runtime.h"
#include "platform/win32/window.h"
#include "plotengine/browser_control/any_string.h"
#include "plotengine/browser_control/cr_control.h"
#include "plotengine/html_loader.h"

namespace Quor {
namespace {

using ::testing::ElementsAre;

std::vector<std::string>& Calls() {
  static std::vector<std::string> calls;
  return calls;
}

std::string RectText(const RECT* rect) {
  if (!rect) return "null";
  return std::to_string(rect->left) + "," + std::to_string(rect->top) + "," +
         std::to_string(rect->right) + "," + std::to_string(rect->bottom);
}

class FakeBrowser : public SimpleUnknownImp2<IQuorBrowser, IQuorBrowserWindow> {
 public:
  ~FakeBrowser() override {
    Calls().push_back("browser gone");
    if (handler) handler->Release();
  }
  HRESULT Reserved0() override { return E_NOTIMPL; }
  HRESULT Navigate(IAutoQuorString* url) override {
    Calls().push_back("Navigate " + String(url).ToUtf8String());
    return S_OK;
  }
  HRESULT SetResourceLoader(IQuorBrowserResourceLoader* loader) override {
    Calls().push_back(loader ? "SetResourceLoader" : "SetResourceLoader null");
    return S_OK;
  }
  HRESULT SetBrowserBounds(const RECT* bounds) override {
    Calls().push_back("SetBrowserBounds " + RectText(bounds));
    return S_OK;
  }
  HRESULT Reserved1() override { return E_NOTIMPL; }
  HRESULT Reserved2() override { return E_NOTIMPL; }
  HRESULT Reserved3() override { return E_NOTIMPL; }
  HRESULT Reserved4() override { return E_NOTIMPL; }
  HRESULT Reserved5() override { return E_NOTIMPL; }
  HRESULT ExecuteScript(IQuorString*) override { return S_OK; }
  HRESULT RegisterScriptObject(IQuorV8Object*) override { return S_OK; }
  HRESULT Reserved6() override { return E_NOTIMPL; }
  HRESULT Reserved7() override { return E_NOTIMPL; }
  HRESULT Reserved8() override { return E_NOTIMPL; }
  HRESULT Reserved9() override { return E_NOTIMPL; }
  HRESULT PrintPage() override { return S_OK; }
  HRESULT GetWindowHandle(HWND* window) override {
    *window = nullptr;
    return S_OK;
  }
  HRESULT SetMessageHandler(IWindowsMessageHandler* next) override {
    Calls().push_back(next ? "SetMessageHandler" : "SetMessageHandler null");
    if (next) next->AddRef();
    if (handler) handler->Release();
    handler = next;
    return S_OK;
  }
  IWindowsMessageHandler* handler = nullptr;
};

FakeBrowser* lastBrowser = nullptr;
bool browserClassRegistered = true;
HRESULT createResult = S_OK;

class FakeBrowserClass : public NoDeleteUnknownImp1<IQuorBrowserClass> {
 public:
  HRESULT GetTypeId(DWORD* type) override {
    *type = kBrowserClassType;
    return S_OK;
  }
  HRESULT GetCategoryId(GUID* category) override {
    *category = GUID{};
    return S_OK;
  }
  HRESULT GetClassName(IQuorString** name) override {
    *name = String(u"Browser").GetInterface();
    return S_OK;
  }
  HRESULT IsCategory(REFGUID) override { return S_FALSE; }
  HRESULT CreateBrowser(DWORD flags, HWND parent, const RECT* bounds, void*,
                        IQuorBrowser** browser) override {
    char flagText[16];
    std::snprintf(flagText, sizeof flagText, "0x%08X", unsigned(flags));
    Calls().push_back(std::string("CreateBrowser ") + flagText + " " + RectText(bounds) +
                      (IsWindow(parent) ? " in window" : " no window"));
    if (createResult != S_OK) return createResult;
    lastBrowser = new FakeBrowser;
    lastBrowser->AddRef();
    *browser = lastBrowser;
    return S_OK;
  }
};

FakeBrowserClass browserClass;

class FakeRegistry : public NoDeleteUnknownImp1<ITarnClassRegistry> {
 public:
  HRESULT RegisterClassObject(ITarnClassObject*) override { return E_NOTIMPL; }
  HRESULT FindClassObject(DWORD type, ITarnClassObject** classObject) override {
    char typeText[16];
    std::snprintf(typeText, sizeof typeText, "0x%08X", unsigned(type));
    Calls().push_back(std::string("FindClassObject ") + typeText);
    *classObject = nullptr;
    if (!browserClassRegistered || type != kBrowserClassType) return REGDB_E_CLASSNOTREG;
    *classObject = &browserClass;
    return S_OK;
  }
  HRESULT CreateAggregatedObject(IUnknown*, DWORD, REFIID, void**) override { return E_NOTIMPL; }
  HRESULT RevokeClassObject(ITarnClassObject*) override { return E_NOTIMPL; }
  HRESULT CreateObject(DWORD, REFIID, void**) override { return E_NOTIMPL; }
};

FakeRegistry registry;

// Registered before any test asks the host for its registry.
const bool registryInstalled = [] {
  DWORD cookie = 0;
  return SUCCEEDED(CoRegisterClassObject(CLSID_TarnFrameWork, &registry, CLSCTX_INPROC_SERVER,
                                         REGCLS_MULTIPLEUSE, &cookie));
}();

class RecordingControl : public CrControl {
 public:
  BOOL ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result, DWORD) override {
    Calls().push_back("owner message " + std::to_string(message));
    result = 77;
    return message == WM_USER + 5;
  }
  bool OnBrowserCreated(IQuorBrowser* browser) override {
    Calls().push_back(browser ? "OnBrowserCreated" : "OnBrowserCreated null");
    return true;
  }
};

HWND NewParent() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"BrowserControlTestParent";
    return RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
  return CreateWindowExW(0, u"BrowserControlTestParent", nullptr, 0, 0, 0, 400, 300, nullptr,
                         nullptr, nullptr, nullptr);
}

class BrowserControl : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(registryInstalled);
    browserClassRegistered = true;
    createResult = S_OK;
    parent = NewParent();
    Calls().clear();
  }
  void TearDown() override {
    if (IsWindow(parent)) DestroyWindow(parent);
  }
  HWND parent = nullptr;
};

TEST_F(BrowserControl, CreatesItsHostWindowAndTheBrowserInIt) {
  RecordingControl control;
  ASSERT_TRUE(control.Create(parent, RECT{10, 20, 110, 70}));
  EXPECT_THAT(Calls(), ElementsAre("FindClassObject 0x80220001", "CreateBrowser 0x80000000 0,0,100,50 in window",
                                   "SetMessageHandler", "OnBrowserCreated"));
  HWND host = GetWindow(parent, GW_CHILD);
  ASSERT_TRUE(IsWindow(host));
  EXPECT_EQ(DWORD(GetWindowLongW(host, GWL_STYLE)) & 0xFFFF0000u, 0x52000000u);
  EXPECT_EQ(DWORD(GetWindowLongW(host, GWL_EXSTYLE)), 0x00010000u);

  // Sizing moves the host window, whose new size reaches the browser.
  Calls().clear();
  EXPECT_TRUE(control.SetBounds(RECT{0, 0, 300, 200}));
  EXPECT_THAT(Calls(), ElementsAre("SetBrowserBounds 0,0,300,200"));
}

TEST_F(BrowserControl, WithoutABrowserEveryOperationFailsAndMovesNothing) {
  RecordingControl control;
  EXPECT_FALSE(control.SetBounds(RECT{0, 0, 10, 10}));
  EXPECT_FALSE(control.Navigate(std::string("http://etch-plot.invalid/local.html")));
  EXPECT_FALSE(control.LoadHtml(String(u"<p>x</p>")));
  EXPECT_EQ(control.GetBrowserWindow(), nullptr);

  createResult = E_FAIL;
  EXPECT_FALSE(control.Create(parent, RECT{0, 0, 10, 10}));
  EXPECT_FALSE(control.SetBounds(RECT{0, 0, 10, 10}));
}

TEST_F(BrowserControl, ASecondCreateReplacesTheFirstHostWindowAndBrowser) {
  RecordingControl control;
  ASSERT_TRUE(control.Create(parent, RECT{0, 0, 10, 10}));
  HWND first = GetWindow(parent, GW_CHILD);
  ASSERT_TRUE(control.Create(parent, RECT{0, 0, 20, 20}));
  EXPECT_FALSE(IsWindow(first));
  EXPECT_THAT(Calls(), ::testing::Contains("browser gone"));
  EXPECT_TRUE(IsWindow(GetWindow(parent, GW_CHILD)));
}

TEST_F(BrowserControl, TheMessageHookRefusesNullPointersAndPassesMessagesToTheOwner) {
  RecordingControl control;
  ASSERT_TRUE(control.Create(parent, RECT{0, 0, 10, 10}));
  IWindowsMessageHandler* hook = lastBrowser->handler;
  ASSERT_NE(hook, nullptr);
  Calls().clear();
  VARIANT_BOOL handled = 5;
  LRESULT result = 0;
  EXPECT_EQ(hook->HandleMessage(nullptr, WM_USER + 5, 0, 0, &handled, nullptr), E_INVALIDARG);
  EXPECT_EQ(hook->HandleMessage(nullptr, WM_USER + 5, 0, 0, nullptr, &result), E_INVALIDARG);
  EXPECT_THAT(Calls(), ::testing::IsEmpty());
  EXPECT_EQ(hook->HandleMessage(nullptr, WM_USER + 5, 0, 0, &handled, &result), S_OK);
  EXPECT_EQ(handled, VARIANT_TRUE);
  EXPECT_EQ(result, 77);
  EXPECT_EQ(hook->HandleMessage(nullptr, WM_USER + 6, 0, 0, &handled, &result), S_OK);
  EXPECT_EQ(handled, VARIANT_FALSE);
}

TEST_F(BrowserControl, LoadHtmlGivesTheBrowserAnHtmlLoaderAndNavigatesToItsPrefix) {
  RecordingControl control;
  ASSERT_TRUE(control.Create(parent, RECT{0, 0, 10, 10}));
  Calls().clear();
  EXPECT_TRUE(control.LoadHtml(String(u"<p>report</p>")));
  EXPECT_THAT(Calls(), ElementsAre("SetResourceLoader", "Navigate http://etch-html.invalid/"));
}

TEST_F(BrowserControl, AHostWindowDestroyedWithItsParentLeavesOnlyTheObjectToDelete) {
  {
    RecordingControl control;
    ASSERT_TRUE(control.Create(parent, RECT{0, 0, 10, 10}));
    DestroyWindow(parent);
    // The window's end released the browser, after taking the hook back from it.
    EXPECT_THAT(Calls(), ::testing::IsSupersetOf({"SetMessageHandler null", "browser gone"}));
    Calls().clear();
  }
  EXPECT_THAT(Calls(), ::testing::IsEmpty());
}

TEST_F(BrowserControl, AFailedClassLookupIsAskedAgainNextTime) {
  // The class object may already be cached by an earlier test; this one needs a fresh process
  // state only for the first lookup, so it checks what a miss leaves behind.
  browserClassRegistered = false;
  IQuorBrowserClass* found = CrControl::GetBrowserClassObject();
  browserClassRegistered = true;
  if (found == nullptr) {
    EXPECT_EQ(CrControl::GetBrowserClassObject(), &browserClass);
  } else {
    EXPECT_EQ(found, &browserClass);
  }
}

// The URL's string object: both faces say it is not this module's own string, the text comes out
// narrow as it is and wide decoded, and no count of references ever deletes it.
TEST(AnyStringOverNarrowText, HandsOutTheTextNarrowAndWideAndStaysOnTheCallersStack) {
  const std::string url = "http://etch-plot.invalid/\xC3\xBC local.html";
  COMString::detail::AnyString<std::string> text(url);
  IAutoQuorString* face = &text;
  EXPECT_EQ(face->GetKind(), 1);
  EXPECT_EQ(String(face).ToUtf8String(), url);
  DWORD length = 0;
  EXPECT_EQ(face->GetLength(&length), S_OK);
  EXPECT_EQ(length, 37u);

  IQuorStringText* second = nullptr;
  ASSERT_EQ(face->QueryInterface(IQuorStringText::iid, reinterpret_cast<void**>(&second)), S_OK);
  EXPECT_EQ(second->GetKind(), 1);
  const char* narrow = nullptr;
  ASSERT_EQ(second->GetNarrow(&narrow, &length), S_OK);
  EXPECT_EQ(std::string(narrow, length), url);
  const WCHAR* wide = nullptr;
  ASSERT_EQ(second->GetWide(&wide, &length), S_OK);
  EXPECT_EQ(std::u16string(wide, length), u"http://etch-plot.invalid/\u00FC local.html");
  EXPECT_EQ(second->GetNarrow(nullptr, &length), E_POINTER);
  EXPECT_EQ(second->Release(), 1u);

  void* own = nullptr;
  EXPECT_EQ(face->QueryInterface(IQuorString::iid, &own), E_NOINTERFACE);
  EXPECT_EQ(face->Release(), 0u);
}

}  // namespace
}  // namespace Quor
