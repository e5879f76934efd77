// The plot page and the report page in the host's real browser, through the browser control: one
// browser process serves the whole executable.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <mutex>

#include "host/app/host_start.h"
#include "host/browser/browser_class.h"
#include "host/browser/browser_settings.h"
#include "platform/win32/message_queue.h"
#include "platform/win32/window.h"
#include "plotengine/bridge/script_args.h"
#include "plotengine/bridge/v8_object_base.h"
#include "plotengine/browser_control/cr_control.h"
#include "plotengine/browser_etch_loader.h"
#include "plotengine/local_page.h"

namespace Quor {
namespace {

using ::testing::ElementsAre;

// The page's reports, through the script object base.
class Reporter : public V8ObjectBase {
 public:
  Reporter() : V8ObjectBase(String(u"test")) {}
  std::vector<std::string> Take() {
    std::lock_guard lock(m_mutex);
    return std::exchange(m_reports, {});
  }

 protected:
  void RegisterMethodNames() override { AddMethodName(String(u"report")); }
  void CallMethod(IQuorV8Variant** result, IUnknown*, const String&,
                  InterfaceArray<IQuorV8Variant>& arguments) override {
    String text;
    GetScriptArg<ScriptArgKind::String, 0>(arguments, text);
    std::lock_guard lock(m_mutex);
    m_reports.push_back(text.ToUtf8String());
    *result = nullptr;
  }

 private:
  std::mutex m_mutex;
  std::vector<std::string> m_reports;
};

class PlotPageInBrowser : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    PendrelHost::StartHost();
    PendrelBrowser::RegisterBrowserClass();
    PendrelBrowser::SetBrowserTimeout(5'000);
  }
  void SetUp() override {
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

TEST_F(PlotPageInBrowser, ThePlotPageArrivesWholeAndItsJQueryRuns) {
  IQuorBrowserResourceLoader* loader = new BrowserEtchLoader;
  loader->AddRef();
  ASSERT_TRUE(control.SetResourceLoader(loader));
  loader->Release();
  ASSERT_TRUE(control.Navigate(String(kEtchPlotPrefix).ToUtf8String() + "local.html"));
  IQuorString* script = String(
      uR"(const x = new XMLHttpRequest();
          x.open('GET', location.href, false);
          x.send();
          test.report(x.responseText);
          const missing = new XMLHttpRequest();
          missing.open('GET', 'no_such_script.js', false);
          missing.send();
          test.report(String(missing.status));
          test.report($.fn.jquery);
          $(function () { test.report('ready'); });)")
                            .GetInterface();
  EXPECT_EQ(control.Browser()->ExecuteScript(script), S_OK);
  script->Release();
  EXPECT_THAT(reporter->Take(), ElementsAre(BuildLocalPage(), "404", "1.6.2", "ready"));
}

TEST_F(PlotPageInBrowser, AReportPageShowsItsTextAndASecondPageReplacesIt) {
  ASSERT_TRUE(control.LoadHtml(String(u"<!doctype html><p id='t'>Schlagabstand \u00e4\u00f6 \u2014 ok</p>")));
  EXPECT_EQ(Run(u"test.report(document.getElementById('t').textContent);"), S_OK);
  ASSERT_TRUE(control.LoadHtml(String(u"<!doctype html><p id='t'>second report</p>")));
  EXPECT_EQ(Run(u"test.report(document.getElementById('t').textContent);"), S_OK);
  EXPECT_THAT(reporter->Take(),
              ElementsAre("Schlagabstand \xC3\xA4\xC3\xB6 \xE2\x80\x94 ok", "second report"));
}

}  // namespace
}  // namespace Quor
