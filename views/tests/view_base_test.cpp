// The plot view base against a recording plot: analysis notices become update flags, markup is
// throttled on the manual clock (and a held-back markup still goes out), and the host's copy,
// print, size, command and acknowledge requests are answered.
#include <gtest/gtest.h>

#include "analysis/document/document_ids.h"
#include "host/document/data_document.h"
#include "hostframework/host_services.h"
#include "platform/win32/clock.h"
#include "platform/win32/message_queue.h"
#include "views/tests/view_host.h"

namespace ViewsTest {
namespace {

class ViewBase : public ViewHost {
 protected:
  void SetUp() override {
    ViewHost::SetUp();
    clock = std::make_shared<win32::FixedClock>(0, 0);
    win32::SetClock(clock);
  }
  void TearDown() override {
    if (view) CloseView(view);
    win32::SetClock(nullptr);
    ViewHost::TearDown();
  }
  TestSeriesView& Open(bool busy = false) {
    OpenDocument(true);
    Data().Sampling().SetBusy(busy);
    view = OpenView<SeriesWrapper>(1);
    return *view->View();
  }
  void Advance(int ms) { clock->Advance(ULONGLONG(ms) * 1'000'000); }
  // Runs the timers that fell due.
  static void RunDueTimers() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  Log Markups() {
    Log markups;
    for (const std::string& line : TakeLog()) {
      if (line.starts_with("SetMarkup")) markups.push_back(line);
    }
    return markups;
  }
  std::string RRCount() { return std::to_string(Analysis().Engine().RRIntervals().GetCount()); }

  std::shared_ptr<win32::FixedClock> clock;
  SeriesWrapper* view = nullptr;
};

// Records the flags each refresh is asked for.
class FlagsView final : public Rhyth::RhythViewBase {
 public:
  FlagsView(HWND parent, IUnknown* document) : RhythViewBase(parent, document) {}
  Quor::String GetTitle() override { return u"flags"; }
  void UpdatePlotData(DWORD flags) override { updates.push_back(flags); }
  bool BuildMarkup(Quor::String&) override { return false; }
  std::vector<DWORD> updates;
};

TEST_F(ViewBase, NoticeCodesBecomeUpdateFlags) {
  OpenDocument(true);
  struct Case {
    DWORD code;
    DWORD flags;
    bool throttling;
  } cases[] = {
      {0, 0x26, true}, {1, 0x40, false}, {2, 0x40, false}, {3, 0x30, false},
      {4, 0x31, false}, {5, 0x21, false}, {6, 0x25, false}, {7, 0x00, false}, {0x1234, 0, false},
  };
  FlagsView flags(nullptr, static_cast<Rhyth::IRhythDocument*>(&Analysis()));
  for (bool throttledBefore : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "code " << c.code << (throttledBefore ? " throttled" : ""));
      DWORD before = 0;
      flags.GetUpdateFlags(throttledBefore ? 0 : 2, before);
      flags.updates.clear();
      flags.OnAnalysisChanging();
      EXPECT_EQ(flags.OnAnalysisChanged(c.code), 0);
      EXPECT_EQ(flags.updates, std::vector<DWORD>{c.flags});
      // Codes 0 and 2 decide; the others leave the throttling as it was.
      const bool expected = c.code == 0 || (c.code != 2 && throttledBefore);
      EXPECT_EQ(flags.IsThrottling(), expected);
      // A second changed notice without a changing one does nothing.
      EXPECT_EQ(flags.OnAnalysisChanged(c.code), 0);
      EXPECT_EQ(flags.updates.size(), 1u);
    }
  }
}

TEST_F(ViewBase, TheDocumentsNoticesReachTheView) {
  TestSeriesView& shown = Open();
  TakeLog();
  Analysis().SendChangingNotice(4);
  EXPECT_FALSE(shown.IsUpToDate());
  Analysis().SendChangedNotice(4);
  EXPECT_TRUE(shown.IsUpToDate());
  const Log log = TakeLog();
  EXPECT_NE(std::find(log.begin(), log.end(), "SetXScaling(10, 20)"), log.end());
  Analysis().SendChangedNotice(4);
  EXPECT_EQ(TakeLog(), Log{});
}

TEST_F(ViewBase, TheFirstRefreshFollowsTheHostsBusyState) {
  for (bool busy : {false, true}) {
    SCOPED_TRACE(busy ? "busy" : "idle");
    TestSeriesView& shown = Open(busy);
    EXPECT_EQ(shown.IsThrottling(), busy);
    Log log;
    for (const std::string& line : TakeLog()) {
      if (!line.starts_with("SetBounds")) log.push_back(line);
    }
    // Busy: reset (SetData first); idle: refresh over data, ranges defaulted, markup sent.
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0], "CreateControl()");
    EXPECT_EQ(log[1], "CreatePersistTask(test_series_view)");
    EXPECT_EQ(log[2], "SetData($Test_Series)");
    EXPECT_TRUE(log.back().starts_with("SetMarkup(series v1"));
    CloseView(view);
    view = nullptr;
  }
}

TEST_F(ViewBase, AllFlagsRunInTheirOrder) {
  TestSeriesView& shown = Open();
  TakeLog();
  plots->store["test_series_view"] = {};
  shown.UpdatePlotData(0x7F);
  const std::string series = "SetData($Test_Series)";
  const std::string registered = "RegisterSeries($Test_Series, , test_series_view, 0)";
  EXPECT_EQ(TakeLog(), (Log{series, registered,                              // reset
                             series, registered,                              // refresh
                             "PlotterDataChanged(test_series_view, 2147483647)",
                             "StoreX(10, 20)", "StoreY(1, 2)",                // default
                             "StoreX(10, 20)", "StoreY(1, 2)",                // store
                             "SetXScaling(10, 20)", "SetYScaling(1, 2)",      // apply
                             "SetMarkup(series v1 n" + RRCount() + ")"}));
}

TEST_F(ViewBase, ThrottledMarkupIsHeldBackAndSentOnceTheIntervalHasPassed) {
  TestSeriesView& shown = Open(true);  // code 0: throttling on
  ASSERT_EQ(Markups().size(), 1u);
  Answers().markupVersion = 2;
  Advance(10);
  EXPECT_FALSE(shown.SendMarkupThrottled(u"request 2"));
  Answers().markupVersion = 3;
  Advance(10);
  EXPECT_FALSE(shown.SendMarkupThrottled(u"request 3"));
  RunDueTimers();
  EXPECT_EQ(Markups(), Log{});
  Advance(30);  // 0.05 s after the first
  RunDueTimers();
  // The markup current when the interval passed, once.
  EXPECT_EQ(Markups(), Log{"SetMarkup(series v3 n" + RRCount() + ")"});
  Advance(100);
  RunDueTimers();
  EXPECT_EQ(Markups(), Log{});
  // A request after the interval goes out at once.
  EXPECT_TRUE(shown.SendMarkupThrottled(u"request 4"));
  EXPECT_EQ(Markups(), Log{"SetMarkup(request 4)"});
}

TEST_F(ViewBase, ThrottlingEndsWithSamplingAndRestartsWithANewRecord) {
  TestSeriesView& shown = Open(true);
  Markups();
  DWORD flags = 0;
  shown.GetUpdateFlags(2, flags);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(shown.SendMarkupThrottled(u"m"));
  shown.GetUpdateFlags(0, flags);
  EXPECT_TRUE(shown.SendMarkupThrottled(u"first after a restart"));
  EXPECT_FALSE(shown.SendMarkupThrottled(u"second"));
  EXPECT_EQ(Markups().size(), 4u);
}

TEST_F(ViewBase, HistogramsWaitTwoSeconds) {
  TestSeriesView& shown = Open(true);
  Answers().interval = 2.0;
  Markups();
  Advance(1999);
  EXPECT_FALSE(shown.SendMarkupThrottled(u"early"));
  Advance(1);
  EXPECT_TRUE(shown.SendMarkupThrottled(u"on time"));
}

TEST_F(ViewBase, AnswersTheHostsMessagesCommandsAndSizeQuery) {
  TestSeriesView& shown = Open();
  PendrelHost::HostedView& host = Hosted(view);
  TakeLog();
  EXPECT_EQ(host.SendMessage(kHostCopyMsgId), 1);
  EXPECT_EQ(host.SendMessage(kHostPrintMsgId), 1);
  EXPECT_EQ(host.SendMessage(kHostViewAcknowledgeMsgId), 1);
  EXPECT_EQ(PlotRecorder::tasksAlive, 0);
  const PendrelViewSize size = host.PreferredSize();
  EXPECT_EQ(size.width, 300);
  EXPECT_EQ(size.height, 200);
  EXPECT_TRUE(host.IsCommandEnabled(Rhyth::ViewTypeWord(0)));
  host.Command(Rhyth::ViewTypeWord(0));
  EXPECT_EQ(TakeLog(), (Log{"Copy()", "Print(Rhyth Tachogram Plot)", "BrowserCommand()"}));
  EXPECT_EQ(shown.CopyCommandText().ToUtf8String(), "Copy Rhyth Tachogram Plot");
  EXPECT_EQ(shown.PrintCommandText().ToUtf8String(), "Print Rhyth Tachogram Plot");
  EXPECT_EQ(Quor::String(host.Title()).ToUtf8String(), "Rhyth Tachogram Plot");
}

TEST_F(ViewBase, TheBrowserControlFillsTheView) {
  TestSeriesView& shown = Open();
  TakeLog();
  shown.MoveWindow(OWL::TRect(0, 0, 320, 240));
  EXPECT_EQ(TakeLog(), Log{"SetBounds(320x240)"});
}

}  // namespace
}  // namespace ViewsTest
