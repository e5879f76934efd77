// The plot proxy as the page's script object "etch_proxy" in the host's real browser: every
// method called from script, the thread each ran on, the defaults of omitted arguments and the
// failures the script sees.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/inter_thread_notifier.h"
#include "platform/win32/com_object.h"
#include "plotengine/proxy/etch_proxy_script_object.h"
#include "plotengine/tests/browser/browser_page_fixture.h"
#include "plotengine/tests/fake_float_series.h"
#include "plotengine/tests/recording_plot_model.h"

namespace Quor {
namespace {

using ::testing::ElementsAre;
using ::testing::Each;
using ::testing::HasSubstr;

constexpr const char* kOnWindowThread = "[window thread]";
constexpr const char* kOnOtherThread = "[other thread]";

// Notes every call the proxy forwards to its window, and the thread that ran it, in the page's
// report log: the proxy's notifier window is subclassed for the test.
struct ForwardedCallSpy {
  static inline Reporter* log = nullptr;
  static inline WNDPROC previous = nullptr;
  static inline DWORD windowThread = 0;
  static LRESULT Proc(HWND window, UINT message, WPARAM kind, LPARAM record) {
    if (message == QuorInterThreadNotifierImpl::kNotify && kind == 0) {
      log->Note(GetCurrentThreadId() == windowThread ? kOnWindowThread : kOnOtherThread);
    }
    return CallWindowProcW(previous, window, message, kind, record);
  }
};

class RecordingUI final : public IEtchProxyUI {
 public:
  void MakeDropMenu(const String&, int, int left, int top, int right, int bottom, bool, bool,
                    double, double) override {
    rectangle = {left, top, right, bottom};
    thread = GetCurrentThreadId();
  }
  std::vector<int> rectangle;
  DWORD thread = 0;
};

// The proxy's events: their numbers, decoded payloads and the threads they arrived on.
class EventLog final : public SimpleUnknownImp1<IObserver, 1> {
 public:
  LONG RegisterEvents(ITarnEventRegistrar*) override { return 0; }
  LONG OnNotify(ISubject*, DWORD eventId, LONG_PTR, const void* payload) override {
    decoded.push_back(plotengine_test::DecodeEvent({eventId, payload}));
    threads.push_back(GetCurrentThreadId());
    return 0;
  }
  std::vector<plotengine_test::RecordedEvent> decoded;
  std::vector<DWORD> threads;
};

enum class Runs { OnWindowThread, OnScriptThread };

struct ScriptCall {
  const char* method;
  const char* arguments;  // script text
  Runs thread;
  const char* answer;  // found in the script's JSON of the result, or "threw <message>"
};

// Each method once, then the omitted and failing forms.
const ScriptCall kCalls[] = {
    {"SetSVG", "'p', 'user', '<svg/>'", Runs::OnWindowThread, "undefined"},
    {"CompileMarkup", "'p', 'a: 1'", Runs::OnScriptThread, ""},
    {"RequestPixData", "'t', 1, 2, 3", Runs::OnWindowThread, "[1,3,5]"},
    {"RequestLabelsData", "'t', 1, 2, 3", Runs::OnWindowThread, "["},
    {"BadPlotterProperty", "'p', 's', 'x', 'Number', '1'", Runs::OnScriptThread, ""},
    {"ResourceURLs", "", Runs::OnScriptThread, "\"throbber\":\"throbber.gif\""},
    {"UpdateProgress", "1, 10", Runs::OnWindowThread, "undefined"},
    {"MakeDropMenu", "'e', 1, 10.7, 20, 3e10, -3e10, true, 0, 5", Runs::OnWindowThread,
     "undefined"},
    {"VLinesDragged", "'v', [1, 2]", Runs::OnWindowThread, "undefined"},
    {"BoxResized", "'b', [1, 2, 3, 4]", Runs::OnWindowThread, "undefined"},
    {"XScalingChanged", "'p', [0, 10, 1]", Runs::OnWindowThread, "undefined"},
    {"YScalingChanged", "'p', [0, 10, 1]", Runs::OnWindowThread, "undefined"},
    {"ZoomLevelChanged", "'p', [1, 2]", Runs::OnWindowThread, "undefined"},
    {"IsZoomEnabled", "", Runs::OnWindowThread, "false"},
    {"SetZoomState", "'p', true, false", Runs::OnWindowThread, "undefined"},
    {"HasData", "", Runs::OnWindowThread, "true"},
    {"OnMouseMove", "2, 2, 1, 0, 1, 0", Runs::OnWindowThread, ""},
    {"OnMouseClick", "1, 'p', true", Runs::OnWindowThread, ""},
    {"RegionPosChanged", "'L1', 10, 20", Runs::OnWindowThread, "undefined"},
    {"RegionTextChanged", "'L1', 'hi'", Runs::OnWindowThread, "undefined"},
    {"RequestEquation", "'f'", Runs::OnWindowThread, ""},
    // The last argument omitted takes its default; two omitted fail the call.
    {"BadPlotterProperty", "'p', 's', 'x', 'Number'", Runs::OnScriptThread, ""},
    {"SetSVG", "'p', 'user'", Runs::OnWindowThread, "undefined"},
    {"SetSVG", "'p'", Runs::OnWindowThread, "threw SetSVG: The parameter is incorrect."},
    {"CompileMarkup", "'p', 'a: 1 b'", Runs::OnScriptThread, "threw Invalid Zavi Markup"},
};

// A page whose plot setup reports itself, so that the log shows when it ran.
constexpr char16_t kPage[] =
    uR"(<!doctype html><script>
          var etch = { get_plot: function (id) {
            return { setup: function () { test.report('setup of ' + id); },
                     show_error: function () {} };
          } };
        </script>)";

std::u16string ScriptOf(const ScriptCall& call) {
  const std::string method = call.method;
  const std::string text = "test.report('call " + method + "');\n"
                           "try { test.report('" + method + " -> ' + JSON.stringify(etch_proxy." +
                           method + "(" + call.arguments + "))); }\n"
                           "catch (e) { test.report('" + method + " -> threw ' + e.message); }\n";
  return String::FromUtf8(text).ToStdWString();
}

TEST_F(PlotPageInBrowser, EveryProxyMethodRunsFromScriptOnItsThreadWithItsDefaultsAndFailures) {
  RecordingUI ui;
  EventLog events;
  auto* proxy = new EtchProxyWin(&ui);
  proxy->AddRef();
  ASSERT_EQ(proxy->GetSubject()->AttachObserver(&events, 0), S_OK);
  IEnumFloatEx* series = plotengine_test::FakeFloatSeries::Ramp(4);
  proxy->SetData(u"y", series);
  series->Release();
  auto* object = new EtchProxyScriptObject(proxy);
  object->AddRef();
  ASSERT_EQ(control.Browser()->RegisterScriptObject(object), S_OK);

  const DWORD windowThread = GetCurrentThreadId();
  ForwardedCallSpy::log = reporter;
  ForwardedCallSpy::windowThread = windowThread;
  ForwardedCallSpy::previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      proxy->WindowHandle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForwardedCallSpy::Proc)));

  ASSERT_TRUE(control.LoadHtml(String(kPage)));
  std::u16string script;
  for (const ScriptCall& call : kCalls) script += ScriptOf(call);
  EXPECT_EQ(Run(script.c_str()), S_OK);
  const DWORD scriptThread = reporter->ReportThread();
  EXPECT_NE(scriptThread, windowThread);

  // The log: "call M", what ran meanwhile, "M -> answer", for each call in turn.
  const std::vector<std::string> log = reporter->Take();
  std::size_t at = 0;
  for (const ScriptCall& call : kCalls) {
    const std::string method = call.method;
    SCOPED_TRACE(method + "(" + call.arguments + ")");
    ASSERT_LT(at, log.size());
    ASSERT_EQ(log[at++], "call " + method);
    std::vector<std::string> meanwhile;
    while (at < log.size() && log[at].rfind(method + " -> ", 0) != 0) meanwhile.push_back(log[at++]);
    ASSERT_LT(at, log.size());
    const std::string answer = log[at++].substr(method.size() + 4);
    EXPECT_THAT(answer, HasSubstr(call.answer));
    if (call.thread == Runs::OnWindowThread) {
      EXPECT_THAT(meanwhile, ElementsAre(kOnWindowThread));
    } else if (method == "CompileMarkup" && answer.rfind("threw", 0) != 0) {
      // The setup runs within the call, before the script goes on.
      EXPECT_THAT(meanwhile, ElementsAre("setup of p"));
    } else {
      EXPECT_THAT(meanwhile, ElementsAre());
    }
  }
  EXPECT_EQ(at, log.size());

  // Whole numbers saturate at the int32 range, and the window's side runs on its thread.
  EXPECT_THAT(ui.rectangle, ElementsAre(10, 20, 2147483647, -2147483648));
  EXPECT_EQ(ui.thread, windowThread);

  // Every event reached the observers on the window thread, the script thread's ones included.
  EXPECT_THAT(events.threads, Each(windowThread));
  std::vector<std::u16string> defaults;
  for (const auto& event : events.decoded) {
    if (event.n == 2) defaults.push_back(event.texts[3]);
  }
  EXPECT_THAT(defaults, ElementsAre(u"1", u""));
  std::vector<std::u16string> pictures;
  for (const auto& event : events.decoded) {
    if (event.n == 3) pictures.push_back(event.texts[2]);
  }
  EXPECT_THAT(pictures, ElementsAre(u"<svg/>", u""));

  SetWindowLongPtrW(proxy->WindowHandle(), GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(ForwardedCallSpy::previous));
  proxy->GetSubject()->DetachObserver(&events);
  proxy->Detach();
  object->Release();
  proxy->Release();
}

}  // namespace
}  // namespace Quor
