#include "host/browser/browser_object.h"

#include <filesystem>
#include <string>
#include <string_view>

#include "host/browser/browser_page.h"
#include "host/framework/host_text.h"
#include "host/framework/plain_window_class.h"
#include "platform/win32/message_queue.h"
#include "platform/win32/printing.h"
#include "platform/win32/window.h"

namespace PendrelBrowser {

namespace {

constexpr char16_t kWindowClass[] = u"PendrelBrowserWindow";

int Width(const RECT& rect) { return rect.right - rect.left; }
int Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace

HRESULT BrowserObject::Create(HWND parent, const RECT* bounds, IQuorBrowser** browser) {
  if (!browser) return E_POINTER;
  *browser = nullptr;
  const RECT area = bounds ? *bounds : RECT{0, 0, 0, 0};
  std::string error;
  std::shared_ptr<BrowserPage> page = BrowserPage::Open(Width(area), Height(area), &error);
  if (!page) return E_FAIL;
  Tarn::RegisterPlainWindowClass(kWindowClass);
  BrowserObject* object = new BrowserObject(std::move(page));
  object->AddRef();
  object->m_window = CreateWindowExW(0, kWindowClass, nullptr, parent ? WS_CHILD | WS_VISIBLE : 0,
                                     area.left, area.top, Width(area), Height(area), parent,
                                     nullptr, nullptr, nullptr);
  if (object->m_window) {
    SetWindowLongPtrW(object->m_window, GWLP_USERDATA, LONG_PTR(object));
    SetWindowLongPtrW(object->m_window, GWLP_WNDPROC, LONG_PTR(&WindowProcedure));
  }
  *browser = object;
  return S_OK;
}

BrowserObject::BrowserObject(std::shared_ptr<BrowserPage> page) : SimpleUnknownImp2(), m_page(std::move(page)) {
  m_page->SetCallContext(static_cast<IQuorBrowser*>(this));
}

BrowserObject::~BrowserObject() {
  m_page->SetCallContext(nullptr);
  if (m_window && IsWindow(m_window)) {
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    // Only the owner may destroy the window; released elsewhere, it stays to its parent's end.
    if (GetWindowThreadProcessId(m_window, nullptr) == GetCurrentThreadId()) DestroyWindow(m_window);
  }
  if (m_handler) m_handler->Release();
}

BrowserObject* BrowserObject::OfWindow(HWND window) {
  char16_t name[64] = {};
  if (!GetClassNameW(window, name, 64) || std::u16string_view(name) != kWindowClass) return nullptr;
  return reinterpret_cast<BrowserObject*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT BrowserObject::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<BrowserObject*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && message == WM_DESTROY) self->m_window = nullptr;
  if (self && self->m_handler) {
    VARIANT_BOOL handled = VARIANT_FALSE;
    LRESULT result = 0;
    if (SUCCEEDED(self->m_handler->HandleMessage(window, message, wParam, lParam, &handled, &result)) &&
        handled) {
      return result;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HRESULT BrowserObject::Navigate(IAutoQuorString* url) {
  if (!url) return E_INVALIDARG;
  return m_page->Navigate(Tarn::Utf8Of(url));
}

HRESULT BrowserObject::SetResourceLoader(IQuorBrowserResourceLoader* loader) {
  m_page->SetLoader(loader);
  return S_OK;
}

HRESULT BrowserObject::SetBrowserBounds(const RECT* bounds) {
  if (!bounds) return E_INVALIDARG;
  if (m_window) {
    SetWindowPos(m_window, nullptr, bounds->left, bounds->top, Width(*bounds), Height(*bounds),
                 SWP_NOZORDER);
  }
  return m_page->SetViewport(Width(*bounds), Height(*bounds));
}

HRESULT BrowserObject::ExecuteScript(IQuorString* script) {
  if (!script) return E_INVALIDARG;
  return m_page->ExecuteScript(Tarn::Utf8(Tarn::TextOf(script)));
}

HRESULT BrowserObject::RegisterScriptObject(IQuorV8Object* object) {
  if (!object) return E_INVALIDARG;
  return m_page->RegisterObject(object);
}

HRESULT BrowserObject::PrintPage() {
  const std::string path = win32::NewSpoolDocumentPath(u"browser-page");
  if (path.empty()) return E_FAIL;
  const HRESULT printed = m_page->PrintToPdf(path);
  if (printed == S_OK) {
    win32::AddSpooledDocument(path);
  } else {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
  }
  return printed;
}

HRESULT BrowserObject::GetWindowHandle(HWND* window) {
  if (!window) return E_POINTER;
  *window = m_window;
  return S_OK;
}

HRESULT BrowserObject::SetMessageHandler(IWindowsMessageHandler* handler) {
  if (handler) handler->AddRef();
  if (m_handler) m_handler->Release();
  m_handler = handler;
  return S_OK;
}

}  // namespace PendrelBrowser
