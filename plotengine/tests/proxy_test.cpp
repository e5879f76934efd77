#include "plotengine/proxy/etch_proxy_win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <limits>

#include "core/tests/non_finite.h"
#include "hostframework/tests/host_fixture.h"
#include "platform/win32/com_object.h"
#include "platform/win32/message_queue.h"
#include "plotengine/tests/fake_float_series.h"
#include "plotengine/tests/recording_plot_model.h"

namespace {

using Quor::EtchProxyWin;
using Quor::EtchScriptArgs;
using Quor::EtchScriptValue;
using Quor::String;

using testing_values::kNaN;

struct MenuCall {
  std::u16string id;
  int scale, left, top, right, bottom;
  bool enable, vertical;
  double min, max;
  DWORD thread;
};

class RecordingUI final : public Quor::IEtchProxyUI {
 public:
  void MakeDropMenu(const String& id, int scale, int left, int top, int right, int bottom,
                    bool enable, bool vertical, double min, double max) override {
    calls.push_back({id.ToStdWString(), scale, left, top, right, bottom, enable, vertical, min, max,
                     GetCurrentThreadId()});
  }
  std::vector<MenuCall> calls;
};

// The page of a call: records what it runs and on which thread.
class RecordingContext final : public SimpleUnknownImp1<Quor::IEtchScriptContext, 1> {
 public:
  HRESULT ExecuteScript(IQuorString* script) override {
    std::lock_guard lock(mutex);
    scripts.push_back(String(static_cast<IAutoQuorString*>(script)).ToUtf8String());
    threads.push_back(GetCurrentThreadId());
    return S_OK;
  }
  std::mutex mutex;
  std::vector<std::string> scripts;
  std::vector<DWORD> threads;
};

// An observer of the proxy's subject: the event numbers and the threads they arrived on.
class EventLog final : public SimpleUnknownImp1<IObserver, 1> {
 public:
  LONG RegisterEvents(ITarnEventRegistrar*) override { return 0; }
  LONG OnNotify(ISubject*, DWORD eventId, LONG_PTR, const void* payload) override {
    numbers.push_back(eventId & 0xFFFF);
    threads.push_back(GetCurrentThreadId());
    decoded.push_back(plotengine_test::DecodeEvent({eventId, payload}));
    return 0;
  }
  std::vector<plotengine_test::RecordedEvent> decoded;
  std::vector<DWORD> numbers;
  std::vector<DWORD> threads;
};

struct Outcome {
  enum Kind { kOk, kBadParameter, kScriptError } kind = kOk;
  EtchScriptValue value;
  std::string message;
};

// The call's arguments as the bridge hands them over: the values, then one empty entry.
EtchScriptArgs Args(std::initializer_list<EtchScriptValue> values) {
  EtchScriptArgs args(values.begin(), values.end());
  args.emplace_back();
  return args;
}

class ProxyTest : public HostFrameworkTest {
 protected:
  void SetUp() override {
    HostFrameworkTest::SetUp();
    proxy = new EtchProxyWin(&ui);
    proxy->AddRef();
    ASSERT_EQ(proxy->GetSubject()->AttachObserver(&events, 0), S_OK);
  }
  void TearDown() override {
    proxy->GetSubject()->DetachObserver(&events);
    proxy->Release();
    HostFrameworkTest::TearDown();
  }

  // Calls from a second thread, as the browser's script thread does, while this (the window)
  // thread keeps answering.
  Outcome CallFromScript(const char16_t* name, EtchScriptArgs args) {
    auto call = std::async(std::launch::async, [&] {
      Outcome outcome;
      try {
        outcome.value = proxy->CallMethod(&context, name, args);
      } catch (const Quor::ScriptParamError&) {
        outcome.kind = Outcome::kBadParameter;
      } catch (const Quor::ScriptCallError& error) {
        outcome.kind = Outcome::kScriptError;
        outcome.message = error.GetMessage().ToUtf8String();
      }
      return outcome;
    });
    EXPECT_TRUE(win32::WaitDispatchingSentMessages(
        [&] { return call.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 10'000));
    return call.get();
  }

  RecordingUI ui;
  RecordingContext context;
  EventLog events;
  EtchProxyWin* proxy = nullptr;
  const DWORD windowThread = GetCurrentThreadId();
};

TEST_F(ProxyTest, UpdateProgressSucceedsAndChangesNothing) {
  const Outcome outcome = CallFromScript(u"UpdateProgress", Args({1.0, 10.0}));
  EXPECT_EQ(outcome.kind, Outcome::kOk);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(outcome.value));
  EXPECT_TRUE(events.numbers.empty());
  EXPECT_FALSE(proxy->HasData());
}

TEST_F(ProxyTest, BadPlotterPropertyTakesTheDefaultTextOnlyWhenPassedAndNotifiesOnTheWindowThread) {
  EXPECT_EQ(CallFromScript(u"BadPlotterProperty", Args({String(u"p"), String(u"s"), String(u"x"), String(u"Number")})).kind,
            Outcome::kOk);
  EXPECT_EQ(CallFromScript(u"BadPlotterProperty",
                           Args({String(u"p"), String(u"s"), String(u"x"), String(u"Number"), String(u"1")}))
                .kind,
            Outcome::kOk);
  EXPECT_EQ(CallFromScript(u"BadPlotterProperty", Args({String(u"p"), String(u"s")})).kind,
            Outcome::kBadParameter);
  EXPECT_EQ(events.numbers, (std::vector<DWORD>{2, 2}));
  EXPECT_EQ(events.threads, (std::vector<DWORD>{windowThread, windowThread}));
}

TEST_F(ProxyTest, MakeDropMenuReachesThePlotWindowOnItsThreadWithWholeNumbers) {
  const Outcome outcome = CallFromScript(
      u"MakeDropMenu", Args({String(u"yscale"), 1.0, 10.9, -2.5, 3e10, kNaN, true, -1.0, 2.0}));
  EXPECT_EQ(outcome.kind, Outcome::kOk);
  ASSERT_EQ(ui.calls.size(), 1u);
  const MenuCall& call = ui.calls[0];
  EXPECT_EQ(call.id, u"yscale");
  EXPECT_EQ(call.left, 10);
  EXPECT_EQ(call.top, -2);
  EXPECT_EQ(call.right, std::numeric_limits<int>::max());
  EXPECT_EQ(call.bottom, 0);
  EXPECT_TRUE(call.enable);
  EXPECT_TRUE(call.vertical);
  EXPECT_EQ(call.max, 2.0);
  EXPECT_EQ(call.thread, windowThread);

  // Seven arguments: refused, the window not called.
  EXPECT_EQ(CallFromScript(u"MakeDropMenu", Args({String(u"y"), 1.0, 1.0, 1.0, 1.0, 1.0, true})).kind,
            Outcome::kBadParameter);
  proxy->Detach();
  EXPECT_EQ(CallFromScript(u"MakeDropMenu", Args({String(u"y"), 1.0, 1.0, 1.0, 1.0, 1.0, true, 1.0, 2.0})).kind,
            Outcome::kOk);
  EXPECT_EQ(ui.calls.size(), 1u);
}

TEST_F(ProxyTest, RequestPixDataTruncatesTheCountAndAnswersWithAnArray) {
  const Outcome formula = CallFromScript(u"RequestPixData", Args({String(u"t"), 0.0, 1.0, 7.99}));
  ASSERT_EQ(formula.kind, Outcome::kOk);
  EXPECT_EQ(std::get<std::vector<double>>(formula.value), (std::vector<double>{0, 1, 2, 3, 4, 5, 6}));
  // num omitted: 0 values.
  const Outcome none = CallFromScript(u"RequestPixData", Args({String(u"t"), 0.0, 1.0}));
  EXPECT_TRUE(std::get<std::vector<double>>(none.value).empty());
  // An unknown series, a string where a number belongs: the bad-parameter failure.
  EXPECT_EQ(CallFromScript(u"RequestPixData", Args({String(u"$none"), 0.0, 1.0, 5.0})).kind,
            Outcome::kBadParameter);
  EXPECT_EQ(CallFromScript(u"RequestPixData", Args({String(u"t"), String(u"0"), 1.0, 5.0})).kind,
            Outcome::kBadParameter);
  // A count beyond any plot's need: a clear script error from the window thread.
  const Outcome huge = CallFromScript(u"RequestPixData", Args({String(u"t"), 0.0, 1.0, 2147483648.0}));
  EXPECT_EQ(huge.kind, Outcome::kScriptError);
  EXPECT_NE(huge.message.find("at most 10000000"), std::string::npos) << huge.message;
}

TEST_F(ProxyTest, CompileMarkupRunsTheSetupInsideTheCallAndRejectsBadMarkup) {
  const Outcome good = CallFromScript(u"CompileMarkup", Args({String(u"p"), String(u"a: 1")}));
  EXPECT_EQ(good.kind, Outcome::kOk);
  ASSERT_EQ(context.scripts.size(), 1u);
  EXPECT_EQ(context.scripts[0].rfind("etch.get_plot('p').setup(", 0), 0u);
  EXPECT_NE(context.threads[0], windowThread);

  const Outcome bad = CallFromScript(u"CompileMarkup", Args({String(u"p"), String(u"a: 1 b")}));
  EXPECT_EQ(bad.kind, Outcome::kScriptError);
  EXPECT_EQ(bad.message, "Invalid Zavi Markup");
  EXPECT_EQ(context.scripts.size(), 1u);
  // Both compile events reached the observers on the window thread.
  EXPECT_EQ(events.numbers, (std::vector<DWORD>{1, 1}));
  EXPECT_EQ(events.threads, (std::vector<DWORD>{windowThread, windowThread}));
}

TEST_F(ProxyTest, OmittedLastArgumentsTakeTheirStartingValues) {
  CallFromScript(u"RegionPosChanged", Args({String(u"L1"), 40.0}));
  CallFromScript(u"SetSVG", Args({String(u"p"), String(u"copy")}));
  EXPECT_EQ(CallFromScript(u"SetSVG", Args({String(u"p")})).kind, Outcome::kBadParameter);
  ASSERT_EQ(events.numbers, (std::vector<DWORD>{10, 3}));
  EXPECT_EQ(events.decoded[0].values, (std::vector<double>{40.0, 0.0}));
  EXPECT_EQ(events.decoded[1].texts, (std::vector<std::u16string>{u"p", u"copy", u""}));
}

TEST_F(ProxyTest, ResourceUrlsAreTheNineFilesOfThePage) {
  const Outcome outcome = CallFromScript(u"ResourceURLs", Args({}));
  const auto& urls = std::get<Quor::EtchScriptObject>(outcome.value);
  ASSERT_EQ(urls.size(), 9u);
  EXPECT_EQ(urls.at(u"throbber"), u"throbber.gif");
  EXPECT_EQ(urls.at(u"cursor_all_stretch_t"), u"cursor_all_stretch_t.cur");
  EXPECT_EQ(urls.at(u"cursor_up_down_move_r"), u"cursor_up_down_move_r.cur");
}

TEST_F(ProxyTest, UnknownNamesFailAndNamesMatchExactly) {
  EXPECT_EQ(CallFromScript(u"NoSuchMethod", Args({})).kind, Outcome::kBadParameter);
  EXPECT_EQ(CallFromScript(u"hasdata", Args({})).kind, Outcome::kBadParameter);
  EXPECT_EQ(std::get<bool>(CallFromScript(u"HasData", Args({})).value), false);
  EXPECT_EQ(EtchProxyWin::MethodNames().size(), 21u);
}

TEST_F(ProxyTest, ScriptContextsBelongToTheirThreads) {
  EXPECT_FALSE(proxy->RunScript(u"1"));
  // The plot window sets its browser for a print job while a script call compiles markup.
  RecordingContext printing;
  proxy->SetScriptContext(&printing);
  CallFromScript(u"CompileMarkup", Args({String(u"p"), String(u"a: 1")}));
  EXPECT_TRUE(proxy->RunScript(u"2"));
  EXPECT_EQ(printing.scripts, std::vector<std::string>{"2"});
  proxy->SetScriptContext(nullptr);
  EXPECT_FALSE(proxy->RunScript(u"3"));
}

TEST_F(ProxyTest, PointerTrackingReadsRegularOrXYModeFromTheArgumentCount) {
  auto* xs = plotengine_test::FakeFloatSeries::Make({0, 4, 8});
  auto* ys = plotengine_test::FakeFloatSeries::Make({0, 40, 80});
  proxy->SetData(u"$x", xs);
  proxy->SetData(u"$y", ys);
  xs->Release();
  ys->Release();
  proxy->RegisterSeries(u"$y", u"$x", u"P", 1);
  auto distance = [&](EtchScriptArgs args) {
    const Outcome outcome = CallFromScript(u"OnMouseMove", std::move(args));
    const auto& found = std::get<Quor::EtchScriptObject>(outcome.value);
    const auto d = found.find(u"distance");
    return d == found.end() ? std::string("<none>") : d->second.ToUtf8String();
  };
  // XY mode: the point (4, 40) is 1 pixel right of the pointer.
  EXPECT_EQ(distance(Args({5.0, 40.0, 1.0, 0.0, 1.0, 0.0})), "1");
  EXPECT_EQ(distance(Args({5.0, 40.0, 1.0, 0.0, 1.0, 0.0, 0.0, String(u"x")})), "1");
  EXPECT_EQ(distance(Args({5.0, 40.0, 1.0, 0.0, 1.0, 0.0, 0.0, 0.0})), "1");
  // Regular mode (spacing 1 from the first sample at 0): sample 1 holds 40, 2 above the pointer.
  EXPECT_EQ(distance(Args({1.0, 38.0, 1.0, 0.0, 1.0, 0.0, 0.0})), "2");
  EXPECT_EQ(distance(Args({1.0, 38.0, 1.0, 0.0, 1.0, 0.0, 0.0, 1.0})), "2");
  EXPECT_EQ(CallFromScript(u"OnMouseMove", Args({1.0, 38.0, 1.0, 0.0})).kind, Outcome::kBadParameter);
}

}  // namespace
