// A parent window with the browser control in it and the script object "test", whose
// report(text) calls the page's reports arrive through, in the order they were made. One browser
// process serves every test of the executable.
#pragma once

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "host/app/host_start.h"
#include "host/browser/browser_class.h"
#include "host/browser/browser_launch.h"
#include "host/browser/browser_settings.h"
#include "platform/win32/message_queue.h"
#include "platform/win32/window.h"
#include "plotengine/bridge/script_args.h"
#include "plotengine/bridge/v8_object_base.h"
#include "plotengine/browser_control/cr_control.h"

namespace Quor {

// The page's reports, through the script object base. Native code may add its own notes to the
// same log, so that they fall in order between the page's reports.
class Reporter : public V8ObjectBase {
 public:
  Reporter() : V8ObjectBase(String(u"test")) {}
  std::vector<std::string> Take() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_reports, {});
  }
  void Note(std::string text) {
    std::lock_guard lock(m_mutex);
    m_reports.push_back(std::move(text));
  }
  // The thread the last report arrived on: the browser's script thread.
  DWORD ReportThread() {
    std::lock_guard lock(m_mutex);
    return m_reportThread;
  }

 protected:
  void RegisterMethodNames() override { AddMethodName(String(u"report")); }
  void CallMethod(IQuorV8Variant** result, IUnknown*, const String&,
                  InterfaceArray<IQuorV8Variant>& arguments) override {
    String text;
    GetScriptArg<ScriptArgKind::String, 0>(arguments, text);
    std::lock_guard lock(m_mutex);
    m_reports.push_back(text.ToUtf8String());
    m_reportThread = GetCurrentThreadId();
    *result = nullptr;
  }

 private:
  std::mutex m_mutex;
  std::vector<std::string> m_reports;
  DWORD m_reportThread = 0;
};

class PlotPageInBrowser : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    PendrelHost::StartHost();
    PendrelBrowser::RegisterBrowserClass();
    // The browser's default: a loaded machine (every test running at once) can take seconds
    // to answer a page call.
    PendrelBrowser::SetBrowserTimeout(20'000);
  }
  void SetUp() override {
    if (PendrelBrowser::BrowserBinary().empty()) {
      GTEST_SKIP() << "no browser: install chromium-headless-shell or name one in PENDREL_BROWSER";
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"PlotPageTestParent";
    RegisterClassExW(&windowClass);
    parent = CreateWindowExW(0, u"PlotPageTestParent", nullptr, 0, 0, 0, 640, 480, nullptr, nullptr,
                             nullptr, nullptr);
    reporter = new Reporter;
    reporter->AddRef();
    ASSERT_TRUE(control.Create(parent, RECT{0, 0, 640, 480}));
    ASSERT_EQ(control.Browser()->RegisterScriptObject(reporter), S_OK);
  }
  void TearDown() override {
    if (!reporter) return;
    reporter->Release();
    DestroyWindow(parent);
  }
  HRESULT Run(const char16_t* script) {
    IQuorString* text = String(script).GetInterface();
    const HRESULT hr = control.Browser()->ExecuteScript(text);
    text->Release();
    return hr;
  }

  HWND parent = nullptr;
  CrControl control;
  Reporter* reporter = nullptr;
};

}  // namespace Quor
