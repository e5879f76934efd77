// The browser component against a real headless browser. One browser process serves the whole
// executable; each test shows its own page.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "host/browser/browser_launch.h"
#include "host/browser/browser_settings.h"
#include "host/browser/script_value.h"
#include "host/browser/script_value_json.h"
#include "host/tests/browser/browser_test_support.h"
#include "platform/win32/message_queue.h"
#include "platform/win32/printing.h"
#include "platform/win32/window.h"

namespace BrowserTests {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr DWORD kTestTimeoutMs = 3'000;
constexpr char kNoBrowser[] = "no browser: install chromium-headless-shell or name one in PENDREL_BROWSER";

class BrowserComponent : public ::testing::Test {
 protected:
  // The browser starts once for the executable, under the component's own timeout: a loaded
  // machine can take longer than a test's short timeout to start it.
  static void SetUpTestSuite() {
    if (!PendrelBrowser::BrowserBinary().empty()) Page warmUp;
  }
  void SetUp() override {
    if (PendrelBrowser::BrowserBinary().empty()) GTEST_SKIP() << kNoBrowser;
    previousTimeout = PendrelBrowser::SetBrowserTimeout(kTestTimeoutMs);
    PendrelBrowser::TakePageErrors();
  }
  // A test that makes page errors on purpose takes them; any other is a fault of the page.
  void TearDown() override {
    if (IsSkipped()) return;
    PendrelBrowser::SetBrowserTimeout(previousTimeout);
    EXPECT_THAT(PendrelBrowser::TakePageErrors(), IsEmpty());
  }
  DWORD previousTimeout = 0;
};

std::string Html(const std::string& body) {
  return "<!doctype html><html><head><meta charset='utf-8'></head><body>" + body + "</body></html>";
}

TEST_F(BrowserComponent, EveryRequestOfThePageGoesToTheLoaderAndUnknownNamesAreNotFound) {
  Page page;
  ASSERT_TRUE(page.ok());
  page.loader().Serve("page.html", "text/html",
                      Html("<img src='picture.png'><iframe src='frame.html'></iframe>"
                           "<script src='code.js'></script>"
                           "<script src='http://www.example.com/outside.js'></script>"));
  page.loader().Serve("code.js", "text/javascript", "window.codeRan = true;");
  page.loader().Serve("data.txt", "text/plain", "some data");
  ASSERT_EQ(page.Register(), S_OK);
  ASSERT_EQ(page.Navigate(std::string(kSite) + "page.html"), S_OK);
  ASSERT_EQ(page.Run(R"(
      const x = new XMLHttpRequest();
      x.open('GET', 'data.txt', false);
      x.send();
      test.report(x.status + ' ' + x.responseText);
      const missing = new XMLHttpRequest();
      missing.open('GET', 'missing.txt', false);
      missing.send();
      test.report(String(missing.status));
      test.report(String(window.codeRan));
      fetch('fetched.json').then((r) => test.report('fetch ' + r.status));
      )"),
            S_OK);
  // The fetch answers after the script, so wait for its report.
  std::vector<std::string> reports = page.TakeReports();
  ASSERT_TRUE(win32::WaitDispatchingSentMessages(
      [&] {
        for (const std::string& text : page.TakeReports()) reports.push_back(text);
        return reports.size() >= 4;
      },
      kTestTimeoutMs));
  EXPECT_THAT(reports, ElementsAre("200 some data", "404", "true", "fetch 404"));
  const std::vector<std::string> urls = page.loader().RequestedUrls();
  for (const char* expected : {"page.html", "picture.png", "frame.html", "code.js", "data.txt",
                               "missing.txt", "fetched.json"}) {
    EXPECT_THAT(urls, ::testing::Contains(std::string(kSite) + expected));
  }
  EXPECT_THAT(urls, ::testing::Contains("http://www.example.com/outside.js"));
}

TEST_F(BrowserComponent, TheLoadedPageArrivesByteForByteWithItsNonAsciiTextAndAReloadShowsNewText) {
  Page page;
  ASSERT_TRUE(page.ok());
  const std::string body = Html("<p id='t'>Herzfrequenz \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC "
                                "\xF0\x9F\x92\x93</p>");
  page.loader().Serve("page.html", "text/html", body);
  ASSERT_EQ(page.Register(), S_OK);
  ASSERT_EQ(page.Navigate(std::string(kSite) + "page.html"), S_OK);
  ASSERT_EQ(page.Run(R"(
      test.report(document.getElementById('t').textContent);
      const x = new XMLHttpRequest();
      x.open('GET', location.href, false);
      x.send();
      test.report(x.responseText);)"),
            S_OK);
  EXPECT_THAT(page.TakeReports(),
              ElementsAre("Herzfrequenz \xC3\xA4\xC3\xB6\xC3\xBC \xE2\x82\xAC \xF0\x9F\x92\x93", body));

  page.loader().Serve("page.html", "text/html", Html("<p id='t'>second</p>"));
  ASSERT_EQ(page.Navigate(std::string(kSite) + "page.html"), S_OK);
  ASSERT_EQ(page.Run("test.report(document.getElementById('t').textContent);"), S_OK);
  EXPECT_THAT(page.TakeReports(), ElementsAre("second"));
}

TEST_F(BrowserComponent, ScriptsAfterNavigateRunInOrderAfterThePagesInlineScripts) {
  Page page;
  ASSERT_TRUE(page.ok());
  page.loader().Serve("page.html", "text/html",
                      Html("<script>window.steps = ['inline'];</script>"
                           "<script>window.steps.push('second inline');</script>"));
  ASSERT_EQ(page.Register(), S_OK);
  ASSERT_EQ(page.Navigate(std::string(kSite) + "page.html"), S_OK);
  EXPECT_EQ(page.Run("window.steps.push('first');"), S_OK);
  EXPECT_EQ(page.Run("window.steps.push('second');"), S_OK);
  EXPECT_EQ(page.Run("test.report(window.steps.join(','));"), S_OK);
  EXPECT_THAT(page.TakeReports(), ElementsAre("inline,second inline,first,second"));
}

TEST_F(BrowserComponent, ScriptsAfterAPageThatFailsToLoadFailInsteadOfWaiting) {
  Page page;
  ASSERT_TRUE(page.ok());
  EXPECT_EQ(page.Navigate(std::string(kSite) + "nowhere.html"), E_FAIL);
  EXPECT_EQ(page.Run("1;"), E_FAIL);
  EXPECT_EQ(page.Run("2;"), E_FAIL);
}

// Calls travel as prompts the browser answers; a frame that may not open one calls through a
// request instead. The page's own dialogs close at once instead of waiting for a person.
TEST_F(BrowserComponent, CallsArriveFromFramesWithoutDialogsAndThePagesOwnDialogsNeverWait) {
  Page page;
  ASSERT_TRUE(page.ok());
  page.loader().Serve("page.html", "text/html",
                      Html("<iframe id='f' sandbox='allow-scripts allow-same-origin' "
                           "src='frame.html'></iframe>"));
  page.loader().Serve("frame.html", "text/html", Html("<p>frame</p>"));
  ASSERT_EQ(page.Register(), S_OK);
  ASSERT_EQ(page.Navigate(std::string(kSite) + "page.html"), S_OK);
  ASSERT_EQ(page.Run(R"(
      const frame = document.getElementById('f').contentWindow;
      test.report(String(frame.prompt('asked', 'x')));
      frame.test.report('from the sandboxed frame');
      test.report([alert('a'), confirm('c'), prompt('p', 'default')].map(String).join(','));)"),
            S_OK);
  EXPECT_THAT(page.TakeReports(),
              ElementsAre("null", "from the sandboxed frame", "undefined,false,null"));
}

TEST_F(BrowserComponent, AThrowingScriptFailsAndPageErrorsAreCollected) {
  Page page;
  ASSERT_TRUE(page.ok());
  page.loader().Serve("page.html", "text/html", Html("<script>console.error('loud');</script>"));
  ASSERT_EQ(page.Navigate(std::string(kSite) + "page.html"), S_OK);
  EXPECT_EQ(page.Run("throw new Error('on purpose');"), E_FAIL);
  EXPECT_EQ(page.Run("setTimeout(() => { throw new Error('later'); }, 0);"), S_OK);
  std::vector<std::string> errors;
  win32::WaitDispatchingSentMessages(
      [&] {
        for (std::string& text : PendrelBrowser::TakePageErrors()) errors.push_back(std::move(text));
        return errors.size() >= 2;
      },
      kTestTimeoutMs);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[0], "loud");
  EXPECT_THAT(errors[1], ::testing::HasSubstr("later"));
}

// Each kind of value goes from script to native code and back unchanged (a lone surrogate
// arrives as U+FFFD, undefined as a missing argument).
TEST_F(BrowserComponent, ValuesRoundTripFromScriptThroughNativeCodeAndBack) {
  Page page;
  ASSERT_TRUE(page.ok());
  page.object().Define("echo", [](IUnknown*, const Arguments& arguments, IQuorV8Variant** result,
                                  std::u16string*) {
    if (!arguments.empty() && arguments[0]) {
      arguments[0]->AddRef();
      *result = arguments[0];
    }
    return S_OK;
  });
  page.object().Define("kind", [](IUnknown*, const Arguments& arguments, IQuorV8Variant** result,
                                  std::u16string*) {
    int type = -1;
    if (!arguments.empty() && arguments[0]) arguments[0]->GetType(&type);
    *result = new PendrelBrowser::ScriptValue(double(type));
    (*result)->AddRef();
    return S_OK;
  });
  ASSERT_EQ(page.Register(), S_OK);
  ASSERT_EQ(page.Run(R"(
      const same = (a, b) => JSON.stringify(a) === JSON.stringify(b) &&
          (typeof a !== 'number' || Object.is(a, b)) &&
          (!Array.isArray(a) || a.every((x, i) => Object.is(x, b[i])));
      const cases = [['', ''], ['\u0000', '\u0000'], ['\u2028', '\u2028'],
                     ['\ud800', '\ufffd'], ['x\udc00y', 'x\ufffdy'], ['Grüße €💓', 'Grüße €💓'],
                     [-0, -0], [NaN, NaN], [Infinity, Infinity], [-Infinity, -Infinity],
                     [1e308, 1e308], [5e-324, 5e-324], [0.1, 0.1], [true, true], [false, false],
                     [[], []], [[1, -0, NaN, Infinity], [1, -0, NaN, Infinity]],
                     [['a', ''], ['a', '']], [{b: '2', a: '1'}, {a: '1', b: '2'}],
                     [null, undefined], [undefined, undefined]];
      for (const [given, expected] of cases) {
        const back = test.echo(given);
        if (!same(back, expected)) test.report('changed: ' + JSON.stringify(given) + ' -> ' +
                                               JSON.stringify(back) + ' ' + String(back));
      }
      test.report([test.kind(1), test.kind(true), test.kind('s'), test.kind([]),
                   test.kind(['s']), test.kind({a: 's'}), test.kind(null), test.kind()].join(','));
      for (const bad of [{a: 1}, [1, 's'], () => 1, new Float64Array(2)]) {
        try {
          test.echo('x', bad);
          test.report('accepted');
        } catch (e) {
          test.report(e.message);
        }
      })"),
            S_OK);
  const std::string refused =
      "test.echo: argument 2 cannot cross to native code (it takes numbers, booleans, strings, "
      "arrays of numbers or of strings, objects of strings, null and undefined)";
  EXPECT_THAT(page.TakeReports(), ElementsAre("2,5,1,4,7,6,0,-1", refused, refused, refused, refused));
  EXPECT_THAT(PendrelBrowser::TakePageErrors(), IsEmpty());
}

TEST_F(BrowserComponent, LargeArgumentsAndResultsArriveWhole) {
  Page page;
  ASSERT_TRUE(page.ok());
  std::u16string received;
  page.object().Define("large", [&](IUnknown*, const Arguments& arguments, IQuorV8Variant** result,
                                    std::u16string*) {
    IAutoQuorString* text = nullptr;
    if (arguments.empty() || !arguments[0] || arguments[0]->GetString(&text) != S_OK) return E_FAIL;
    received = PendrelBrowser::Utf16FromUtf8(Describe(arguments[0]));
    text->Release();
    *result = NewStringValue(std::u16string(300'000, u'r') + u"end");
    return S_OK;
  });
  // A day's worth of numbers, the ones JSON cannot hold at the end.
  std::vector<double> numbers(20'000);
  for (size_t i = 0; i < numbers.size(); ++i) numbers[i] = 0.6 + double(i) / 1e5;
  numbers.insert(numbers.end(), {-0.0, NAN, -INFINITY});
  page.object().Define("numbers", [&](IUnknown*, const Arguments&, IQuorV8Variant** result,
                                      std::u16string*) {
    *result = NewDoublesValue(numbers);
    return S_OK;
  });
  ASSERT_EQ(page.Register(), S_OK);
  ASSERT_EQ(page.Run("const r = test.large('a'.repeat(300000) + 'ü');"
                     "test.report(r.length + ' ' + r.slice(-4));"
                     "const n = test.numbers();"
                     "test.report([n.length, n[0], n[19999], Object.is(n[20000], -0),"
                     "             n[20001], n[20002]].join(' '));"),
            S_OK);
  EXPECT_EQ(received.size(), 300'001u);
  EXPECT_EQ(received.back(), u'ü');
  EXPECT_THAT(page.TakeReports(), ElementsAre("300003 rend", "20003 0.6 0.79999 true NaN -Infinity"));
}

// A call whose native code runs script that calls again, whose native code runs script again:
// each text runs inside the call that ran it, before that call returns.
TEST_F(BrowserComponent, ScriptRunDuringACallRunsBeforeTheCallReturnsAlsoWhenNested) {
  Page page;
  ASSERT_TRUE(page.ok());
  page.object().Define("outer", [&](IUnknown* context, const Arguments&, IQuorV8Variant**,
                                    std::u16string*) {
    auto* browser = static_cast<IQuorBrowser*>(context);
    RunScript(browser, "window.log.push('outer script 1'); test.inner();");
    RunScript(browser, "window.log.push('outer script 2');");
    return S_OK;
  });
  page.object().Define("inner", [&](IUnknown* context, const Arguments&, IQuorV8Variant**,
                                    std::u16string*) {
    RunScript(static_cast<IQuorBrowser*>(context), "window.log.push('inner script');");
    return S_OK;
  });
  ASSERT_EQ(page.Register(), S_OK);
  ASSERT_EQ(page.Run("window.log = ['start']; test.outer(); window.log.push('after outer');"
                     "test.report(window.log.join(','));"),
            S_OK);
  EXPECT_THAT(page.TakeReports(),
              ElementsAre("start,outer script 1,inner script,outer script 2,after outer"));
}

// The proxy's way: the call is carried to the window thread with SendMessageW, and script that
// runs there joins the call too.
struct ForwardingWindow {
  static LRESULT Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 1) {
      auto* browser = reinterpret_cast<IQuorBrowser*>(lParam);
      RunScript(browser, "window.log.push('from the window thread');");
      return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }
  ForwardingWindow() {
    static const bool registered = [] {
      WNDCLASSEXW windowClass{};
      windowClass.cbSize = sizeof windowClass;
      windowClass.lpfnWndProc = &Procedure;
      windowClass.lpszClassName = u"BrowserTestForwarder";
      return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
    window = CreateWindowExW(0, u"BrowserTestForwarder", nullptr, 0, 0, 0, 0, 0, nullptr, nullptr,
                             nullptr, nullptr);
  }
  ~ForwardingWindow() { DestroyWindow(window); }
  HWND window;
};

TEST_F(BrowserComponent, ACallForwardedToTheWindowThreadWaitingInExecuteScriptIsAnswered) {
  Page page;
  ASSERT_TRUE(page.ok());
  ForwardingWindow forwarder;
  page.object().Define("forward", [&](IUnknown* context, const Arguments&, IQuorV8Variant**,
                                      std::u16string*) {
    return SendMessageW(forwarder.window, WM_USER + 1, 0, LPARAM(context)) == 1 ? S_OK : E_FAIL;
  });
  ASSERT_EQ(page.Register(), S_OK);
  ASSERT_EQ(page.Run("window.log = []; test.forward(); window.log.push('returned');"
                     "test.report(window.log.join(','));"),
            S_OK);
  EXPECT_THAT(page.TakeReports(), ElementsAre("from the window thread,returned"));
}

TEST_F(BrowserComponent, ACallForwardedToAWindowThreadThatNeverPumpsFailsInThePage) {
  Page page;
  ASSERT_TRUE(page.ok());
  std::atomic<HWND> stuckWindow{nullptr};
  std::atomic<bool> release{false};
  std::thread stuck([&] {
    ForwardingWindow forwarder;
    stuckWindow = forwarder.window;
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  });
  while (!stuckWindow) std::this_thread::yield();
  const DWORD previous = win32::SetSendTimeout(300);
  page.object().Define("forward", [&](IUnknown* context, const Arguments&, IQuorV8Variant**,
                                      std::u16string*) {
    return SendMessageW(stuckWindow, WM_USER + 1, 0, LPARAM(context)) == 1 ? S_OK : E_FAIL;
  });
  ASSERT_EQ(page.Register(), S_OK);
  EXPECT_EQ(page.Run("try { test.forward(); test.report('returned'); }"
                     "catch (e) { test.report(e.message); }"),
            S_OK);
  win32::SetSendTimeout(previous);
  release = true;
  stuck.join();
  EXPECT_THAT(page.TakeReports(), ElementsAre("test.forward failed"));
}

TEST_F(BrowserComponent, PrintPageWritesThePageTextToAPdfInTheSpool) {
  Page page;
  ASSERT_TRUE(page.ok());
  page.loader().Serve("page.html", "text/html", Html("<h1>Printed heart rate report</h1>"));
  ASSERT_EQ(page.Navigate(std::string(kSite) + "page.html"), S_OK);
  const std::vector<std::string> before = win32::SpooledDocuments();
  ASSERT_EQ(page.browser()->PrintPage(), S_OK);
  const std::vector<std::string> after = win32::SpooledDocuments();
  ASSERT_EQ(after.size(), before.size() + 1);
  const std::filesystem::path printed = after.back();
  EXPECT_EQ(printed.parent_path(), std::filesystem::path(win32::SpoolFolder()));
  const std::string command = "pdftotext '" + printed.string() + "' -";
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    pclose(pipe);
  }
  EXPECT_THAT(text, ::testing::HasSubstr("Printed heart rate report"));
  std::filesystem::remove(printed);
}

// Last, since it ends the browser process that the other tests share.
TEST_F(BrowserComponent, ZZKillingTheBrowserEndsPendingWaitsAndTheNextBrowserStartsAgain) {
  Page page;
  ASSERT_TRUE(page.ok());
  const int first = PendrelBrowser::BrowserProcessId();
  ASSERT_GT(first, 0);
  page.object().Define("kill", [&](IUnknown*, const Arguments&, IQuorV8Variant**, std::u16string*) {
    kill(first, SIGKILL);
    return S_OK;
  });
  ASSERT_EQ(page.Register(), S_OK);
  PendrelBrowser::SetBrowserTimeout(20'000);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(page.Run("test.kill(); while (true) {}"), E_FAIL);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(page.Run("1;"), E_FAIL);
  PendrelBrowser::TakePageErrors();

  Page next;
  ASSERT_TRUE(next.ok());
  EXPECT_NE(PendrelBrowser::BrowserProcessId(), first);
  EXPECT_EQ(next.Run("1;"), S_OK);
}

}  // namespace
}  // namespace BrowserTests
