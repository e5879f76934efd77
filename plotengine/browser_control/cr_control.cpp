#include "plotengine/browser_control/cr_control.h"

#include <mutex>
#include <utility>

#include "hostframework/host_services.h"
#include "platform/win32/com_object.h"
#include "platform/win32/critical_section.h"
#include "platform/win32/window.h"
#include "plotengine/browser_control/any_string.h"
#include "plotengine/html_loader.h"

namespace Quor {

namespace {

constexpr char16_t kHostWindowClass[] = u"QuorCrControlBrowserParent";
constexpr DWORD kHostWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;  // 0x52000000
constexpr DWORD kControlParent = 0x00010000;                                 // WS_EX_CONTROLPARENT
constexpr DWORD kPlainControlFlags = 0x80000000;

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

struct ClassObjectCache {
  ClassObjectCache() { InitializeCriticalSectionAndSpinCount(&section, 4000); }
  CRITICAL_SECTION section;
  IQuorBrowserClass* classObject = nullptr;
};

ClassObjectCache& TheCache() {
  static ClassObjectCache cache;
  return cache;
}

}  // namespace

// The browser host window, and the message hook through which the browser passes its window's
// messages to the owner. The hook's count starts at 1, so that the browser's references never
// delete it; the control deletes it.
class CrControl::BrowserParent : public SimpleUnknownImp1<IWindowsMessageHandler, 1> {
 public:
  explicit BrowserParent(CrControl* owner) : owner(owner) {}
  ~BrowserParent() override { DropBrowser(); }

  bool CreateIn(HWND parent, const RECT& rect) {
    static std::once_flag registered;
    std::call_once(registered, [] {
      WNDCLASSEXW windowClass{};
      windowClass.cbSize = sizeof windowClass;
      windowClass.lpfnWndProc = &WindowProcedure;
      windowClass.lpszClassName = kHostWindowClass;
      RegisterClassExW(&windowClass);
    });
    window = CreateWindowExW(kControlParent, kHostWindowClass, nullptr, kHostWindowStyle, rect.left,
                             rect.top, Width(rect), Height(rect), parent, nullptr, nullptr, nullptr);
    if (window) SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(this));
    return window != nullptr;
  }

  void Destroy() {
    if (window && IsWindow(window)) DestroyWindow(window);
    window = nullptr;
  }

  void KeepBrowser(IQuorBrowser* created) {
    DropBrowser();
    browser = created;
  }

  // The browser may outlive this window: it must not call a hook that is gone.
  void DropBrowser() {
    IQuorBrowser* held = std::exchange(browser, nullptr);
    if (!held) return;
    IQuorBrowserWindow* browserWindow = nullptr;
    if (SUCCEEDED(held->QueryInterface(IQuorBrowserWindow::iid,
                                       reinterpret_cast<void**>(&browserWindow)))) {
      browserWindow->SetMessageHandler(nullptr);
      browserWindow->Release();
    }
    held->Release();
  }

  HRESULT HandleMessage(HWND messageWindow, UINT message, WPARAM wParam, LPARAM lParam,
                        VARIANT_BOOL* handled, LRESULT* result) override {
    if (!handled || !result) return E_INVALIDARG;
    const BOOL done = owner->ProcessWindowMessage(messageWindow, message, wParam, lParam, *result, 0);
    *handled = done ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

  HWND window = nullptr;
  IQuorBrowser* browser = nullptr;  // one reference
  CrControl* owner;

 private:
  static LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<BrowserParent*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_SIZE) {
      if (self->browser) {
        RECT client{};
        GetClientRect(window, &client);
        self->browser->SetBrowserBounds(&client);
      }
      return 0;
    }
    if (self && message == WM_DESTROY) {
      self->DropBrowser();
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
};

CrControl::CrControl() : m_parent(new (std::nothrow) BrowserParent(this)) {}

CrControl::~CrControl() {
  if (!m_parent) return;
  m_parent->Destroy();
  delete m_parent;
}

BOOL CrControl::ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&, DWORD) { return FALSE; }

void CrControl::SaveImage(const String&) {}

bool CrControl::OnBrowserCreated(IQuorBrowser*) { return true; }

bool CrControl::CreateBrowser(HWND parent, const RECT& rect, IQuorBrowser** browser) {
  return CreateBrowserWithFlags(kPlainControlFlags, parent, rect, browser);
}

bool CrControl::CreateBrowserWithFlags(DWORD flags, HWND parent, const RECT& rect,
                                       IQuorBrowser** browser) {
  IQuorBrowserClass* classObject = GetBrowserClassObject();
  if (!classObject || !browser) return false;
  return classObject->CreateBrowser(flags, parent, &rect, nullptr, browser) == S_OK;
}

IQuorBrowserClass* CrControl::GetBrowserClassObject() {
  ClassObjectCache& cache = TheCache();
  win32::CriticalSectionLock lock(cache.section);
  if (cache.classObject) return cache.classObject;
  ITarnClassRegistry* registry = GetTarnClassRegistry();
  if (!registry) return nullptr;
  ITarnClassObject* found = nullptr;
  if (FAILED(registry->FindClassObject(kBrowserClassType, &found)) || !found) return nullptr;
  IQuorBrowserClass* browserClass = nullptr;
  found->QueryInterface(IQuorBrowserClass::iid, reinterpret_cast<void**>(&browserClass));
  found->Release();
  // The host keeps its class objects alive: the cache holds no reference of its own.
  if (browserClass) browserClass->Release();
  cache.classObject = browserClass;
  return browserClass;
}

bool CrControl::Create(HWND parent, const RECT& rect) {
  if (!m_parent || !GetBrowserClassObject()) return false;
  m_parent->Destroy();
  if (!m_parent->CreateIn(parent, rect)) return false;
  RECT client{};
  GetClientRect(m_parent->window, &client);
  IQuorBrowser* browser = nullptr;
  if (!CreateBrowser(m_parent->window, client, &browser)) {
    if (browser) browser->Release();
    return false;
  }
  m_parent->KeepBrowser(browser);
  IQuorBrowserWindow* browserWindow = nullptr;
  if (browser && SUCCEEDED(browser->QueryInterface(IQuorBrowserWindow::iid,
                                                   reinterpret_cast<void**>(&browserWindow)))) {
    browserWindow->SetMessageHandler(m_parent);
    browserWindow->Release();
  }
  return OnBrowserCreated(browser) && m_parent->browser != nullptr;
}

bool CrControl::SetBounds(const RECT& rect) {
  if (!Browser()) return false;
  SetWindowPos(m_parent->window, nullptr, rect.left, rect.top, Width(rect), Height(rect),
               SWP_NOZORDER);
  return true;
}

bool CrControl::LoadHtml(const String& html) {
  IQuorBrowserResourceLoader* loader = new HtmlLoader(html);
  loader->AddRef();
  const bool loaded = SetResourceLoader(loader);
  loader->Release();
  if (!loaded) return false;
  return Navigate(String(kEtchHtmlPrefix).ToUtf8String());
}

bool CrControl::Navigate(IAutoQuorString* url) {
  IQuorBrowser* browser = Browser();
  return browser && browser->Navigate(url) == S_OK;
}

bool CrControl::Navigate(const std::string& url) {
  COMString::detail::AnyString<std::string> text(url);
  return Navigate(&text);
}

bool CrControl::SetResourceLoader(IQuorBrowserResourceLoader* loader) {
  IQuorBrowser* browser = Browser();
  return browser && browser->SetResourceLoader(loader) == S_OK;
}

HWND CrControl::GetBrowserWindow() const {
  IQuorBrowser* browser = Browser();
  if (!browser) return nullptr;
  IQuorBrowserWindow* browserWindow = nullptr;
  if (FAILED(browser->QueryInterface(IQuorBrowserWindow::iid,
                                     reinterpret_cast<void**>(&browserWindow)))) {
    return nullptr;
  }
  HWND window = nullptr;
  browserWindow->GetWindowHandle(&window);
  browserWindow->Release();
  return window;
}

IQuorBrowser* CrControl::Browser() const { return m_parent ? m_parent->browser : nullptr; }

}  // namespace Quor
