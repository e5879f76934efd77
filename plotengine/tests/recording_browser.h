// A browser for the plot engine's tests: it records the scripts it is asked to run and gives the
// window handle a test sets (none by default). Counted from 1, so that it may live on the stack
// and no release deletes it.
#pragma once

#include <string>
#include <vector>

#include "core/quor_string.h"
#include "platform/pendrel/browser.h"
#include "platform/win32/com_object.h"

namespace plotengine_test {

class RecordingBrowser final : public SimpleUnknownImp2<IQuorBrowser, IQuorBrowserWindow, 1> {
 public:
  HRESULT Reserved0() override { return E_NOTIMPL; }
  HRESULT Navigate(IAutoQuorString*) override { return E_NOTIMPL; }
  HRESULT SetResourceLoader(IQuorBrowserResourceLoader*) override { return E_NOTIMPL; }
  HRESULT SetBrowserBounds(const RECT*) override { return E_NOTIMPL; }
  HRESULT Reserved1() override { return E_NOTIMPL; }
  HRESULT Reserved2() override { return E_NOTIMPL; }
  HRESULT Reserved3() override { return E_NOTIMPL; }
  HRESULT Reserved4() override { return E_NOTIMPL; }
  HRESULT Reserved5() override { return E_NOTIMPL; }
  HRESULT ExecuteScript(IQuorString* script) override {
    scripts.push_back(Quor::String(static_cast<IAutoQuorString*>(script)).ToUtf8String());
    return S_OK;
  }
  HRESULT RegisterScriptObject(IQuorV8Object*) override { return E_NOTIMPL; }
  HRESULT Reserved6() override { return E_NOTIMPL; }
  HRESULT Reserved7() override { return E_NOTIMPL; }
  HRESULT Reserved8() override { return E_NOTIMPL; }
  HRESULT Reserved9() override { return E_NOTIMPL; }
  HRESULT PrintPage() override { return E_NOTIMPL; }
  HRESULT GetWindowHandle(HWND* handle) override {
    *handle = window;
    return S_OK;
  }
  HRESULT SetMessageHandler(IWindowsMessageHandler*) override { return E_NOTIMPL; }

  std::vector<std::string> scripts;
  HWND window = nullptr;
};

}  // namespace plotengine_test
