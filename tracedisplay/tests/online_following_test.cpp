// A data pane following a replayed acquisition: the sweep line stays within the data width after
// every step, the view follows the newest data until the user scrolls back, data shorter than
// the pane stays at the data end, channel-flag bit 27 keeps follow at a record start, a pane
// that ignores online data still hands every notice to its data view, the interactive objects'
// timed refresh comes at most every 300 ms, and notices from the host's thread never tear what
// a paint on the window thread sees.
#include <algorithm>
#include <atomic>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/com_ptr.h"
#include "host/document/data_document.h"
#include "host/sampling/sampling_simulator.h"
#include "host/traces/trace_data_source.h"
#include "platform/win32/clock.h"
#include "tracedisplay/tests/drawing_canvas.h"
#include "tracedisplay/tests/recording_drawer.h"
#include "tracedisplay/tests/test_objects.h"
#include "tracedisplay/tests/trace_display_test.h"

using namespace PendrelDraw;

namespace {

constexpr DWORD kKeepFollowAtRecordStart = 0x08000000;

// A data view that writes down the online notices it hears and otherwise is the host's view.
class NoticeLoggingView final : public IPendrelTraceDataView, public IOnlineDataSink {
 public:
  NoticeLoggingView(IPendrelTraceDataView* inner, std::vector<std::string>& log)
      : m_inner(inner), m_log(log) {}
  ~NoticeLoggingView() { m_inner->Release(); }

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IUnknown::iid || iid == IPendrelTraceDataView::iid) {
      *object = static_cast<IPendrelTraceDataView*>(this);
    } else if (iid == IOnlineDataSink::iid) {
      *object = static_cast<IOnlineDataSink*>(this);
    } else {
      return m_inner->QueryInterface(iid, object);  // the view's other faces
    }
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ULONG(++m_count); }
  ULONG Release() override {
    const LONG count = --m_count;
    if (count == 0) delete this;
    return ULONG(count);
  }

  HRESULT SetCompression(LONGLONG t, LONGLONG p) override { return m_inner->SetCompression(t, p); }
  HRESULT GetCompression(LONGLONG* t, LONGLONG* p) override { return m_inner->GetCompression(t, p); }
  HRESULT GetDataExtent(LONGLONG* p) override { return m_inner->GetDataExtent(p); }
  HRESULT GetEndPosition(LONGLONG* p) override { return m_inner->GetEndPosition(p); }
  HRESULT PixelToPosition(LONGLONG p, LONG* r, LONG* t) override {
    return m_inner->PixelToPosition(p, r, t);
  }
  HRESULT PositionToPixel(LONG r, LONG t, LONGLONG* p) override {
    return m_inner->PositionToPixel(r, t, p);
  }
  HRESULT GetNextRecord(LONG r, LONG* n) override { return m_inner->GetNextRecord(r, n); }
  HRESULT GetRecordInformation(LONG r, PendrelTraceRecordInfo* i) override {
    return m_inner->GetRecordInformation(r, i);
  }
  HRESULT GetPendingUpdates(DWORD* f) override { return m_inner->GetPendingUpdates(f); }
  HRESULT AcknowledgeUpdates(DWORD f) override { return m_inner->AcknowledgeUpdates(f); }

  HRESULT OnSamplingStarting(DWORD, VARIANT_BOOL* proceed) override {
    *proceed = VARIANT_TRUE;
    return Note("starting");
  }
  HRESULT OnRecordStart(LONG record) override { return Note("record " + std::to_string(record)); }
  HRESULT OnDataAdded(LONG record, LONG start, LONG count, VARIANT_BOOL) override {
    return Note("added " + std::to_string(record) + " " + std::to_string(start) + "+" +
                std::to_string(count));
  }
  HRESULT OnRecordEnd(LONG record) override { return Note("end " + std::to_string(record)); }
  HRESULT OnSamplingStopped(DWORD, DWORD) override { return Note("stopped"); }
  HRESULT OnDataChanged(DWORD) override { return Note("changed"); }
  HRESULT OnChannelChanged(DWORD channel) override {
    return Note("channel " + std::to_string(channel));
  }
  HRESULT Reserved10() override { return E_NOTIMPL; }
  HRESULT Reserved11() override { return E_NOTIMPL; }
  HRESULT Notify12() override { return S_OK; }
  HRESULT GetUpdateInterval(DWORD* interval) override {
    *interval = 100;
    return S_OK;
  }
  HRESULT GetDataInterest(DWORD* interest) override {
    *interest = 100;
    return S_OK;
  }

 private:
  HRESULT Note(std::string notice) {
    m_log.push_back(std::move(notice));
    return S_OK;
  }

  IPendrelTraceDataView* m_inner;
  std::vector<std::string>& m_log;
  std::atomic<LONG> m_count = 1;
};

// The host's trace data source, whose views log the notices their pane hands on.
class NoticeLoggingSource final : public NoDeleteUnknownImp1<IPendrelTraceDataSource> {
 public:
  explicit NoticeLoggingSource(IPendrelTraceDataSource* inner) : m_inner(inner) {}

  HRESULT CreateDataView(IPendrelTraceDataView** view) override {
    IPendrelTraceDataView* inner = nullptr;
    const HRESULT hr = m_inner->CreateDataView(&inner);
    if (FAILED(hr)) return hr;
    *view = new NoticeLoggingView(inner, notices);
    return S_OK;
  }
  HRESULT SubscribeOnline(IOnlineDataSink* sink, DWORD flags) override {
    return m_inner->SubscribeOnline(sink, flags);
  }
  HRESULT UnsubscribeOnline(IOnlineDataSink* sink) override {
    return m_inner->UnsubscribeOnline(sink);
  }

  std::vector<std::string> notices;

 private:
  IPendrelTraceDataSource* m_inner;
};

// One record at 1 kHz that grows while the host's thread samples into it.
class GrowingRecordSource final : public NoDeleteUnknownImp1<IPendrelDataSource> {
 public:
  void SetTicks(LONG ticks) { m_ticks = ticks; }

  HRESULT GetRecordCount(LONG* count) override {
    *count = 1;
    return S_OK;
  }
  HRESULT GetRecordInfo(LONG record, PendrelRecordInfo* info) override {
    if (record != 0) return E_INVALIDARG;
    *info = {};
    info->tickPeriod = 0.001;
    return S_OK;
  }
  HRESULT GetCurrentRecord(LONG* record) override {
    *record = 0;
    return S_OK;
  }
  HRESULT GetEndOfData(DWORD, LONG record, LONG* end) override {
    if (record != 0) return E_INVALIDARG;
    *end = m_ticks;
    return S_OK;
  }
  HRESULT OpenEventEnumerator(PendrelChannelRef, LONG, LONG, LONG, DWORD, IUnknown**) override {
    return E_NOTIMPL;
  }
  HRESULT OpenFloatEnumerator(PendrelChannelRef, LONG, LONG, IEnumFloatEx**) override {
    return E_NOTIMPL;
  }
  HRESULT GetDataEnd(DWORD, LONG*, LONG*) override { return E_NOTIMPL; }
  HRESULT IsValidRange(LONG, LONG, LONG, LONG) override { return E_NOTIMPL; }

 private:
  std::atomic<LONG> m_ticks = 0;
};

// One channel at 1 kHz in two records of 12000 and 7000 ticks: 1200 and 700 pixels at the
// pane's 10 ticks per pixel, against a data width of 500.
PendrelHost::Recording TwoRecordsToReplay() {
  PendrelHost::Recording recording(1000.0);
  recording.AddChannel({"ECG", "mV"});
  for (LONG ticks : {12000, 7000}) {
    const std::size_t record = recording.AddRecord(0.0);
    std::vector<float> samples(static_cast<std::size_t>(ticks));
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = float(i % 100) / 100.0f;
    recording.AppendSamples(record, std::vector<std::vector<float>>{samples});
    recording.CloseRecord(record);
  }
  return recording;
}

class OnlineFollowing : public TraceDisplayTest {
 protected:
  void SetUp() override {
    TraceDisplayTest::SetUp();
    hostSource.reset(PendrelHost::CreateTraceDataSource(document.get()));
    logging = std::make_unique<NoticeLoggingSource>(hostSource.get());
  }
  void TearDown() override { win32::SetClock(nullptr); }

  std::unique_ptr<TestPane> MakePane(DWORD channelFlags = 0xC0000000, DWORD style = 0) {
    auto pane = std::make_unique<TestPane>();
    pane->SetChannelFlags(channelFlags);
    pane->SetStyleFlags(style);
    pane->SetSource(0, logging.get(), nullptr);
    pane->AttachWindow(nullptr, nullptr);
    pane->SetPaneSize({502, 300});
    pane->UpdateScrollBar();
    return pane;
  }
  PendrelHost::ReplayResult Replay(const PendrelHost::ReplayOptions& options,
                                   const PendrelHost::SamplingObserver& observer = {}) {
    return device.Replay(options, observer);
  }
  static bool IsStep(const PendrelHost::SamplingStep& step) {
    return step.phase == PendrelHost::SamplingPhase::kBlock ||
           step.phase == PendrelHost::SamplingPhase::kRecordClosed;
  }

  const PendrelHost::Recording recorded = TwoRecordsToReplay();
  const std::shared_ptr<PendrelHost::Recording> target = PendrelHost::EmptyRecordingLike(recorded);
  Tarn::HeldReference<IUnknown> document = PendrelHost::OpenDocument(target);
  PendrelHost::SamplingSimulator device{recorded, target, *PendrelHost::AsDataDocument(document.get())};
  Tarn::HeldReference<IPendrelTraceDataSource> hostSource;
  std::unique_ptr<NoticeLoggingSource> logging;
};

TEST_F(OnlineFollowing, TheSweepStaysWithinTheDataWidthAndTheViewAtTheNewestData) {
  auto pane = MakePane();
  const LONG width = pane->DataWidth();
  ASSERT_EQ(width, 500);
  int steps = 0;
  const auto result = Replay({0.0, 730, 0}, [&](const PendrelHost::SamplingStep& step) {
    if (step.phase == PendrelHost::SamplingPhase::kRecordStart) {
      EXPECT_TRUE(pane->IsFollowing());
      EXPECT_TRUE(pane->Zoomer()->following);
    }
    if (!IsStep(step)) return true;
    ++steps;
    SCOPED_TRACE(testing::Message() << "record " << step.record << " from " << step.from);
    EXPECT_GE(pane->SweepPosition(), 1);
    EXPECT_LE(pane->SweepPosition(), width);
    EXPECT_EQ(pane->GetScrollPosition(), pane->DataViewEnd());
    return true;
  });
  EXPECT_TRUE(result.finished);
  EXPECT_EQ(steps, 17 + 10 + 1);  // 12000 and 7000 ticks in blocks of 730, one closing step
  EXPECT_EQ(pane->GetScrollPosition(), 1900);
}

TEST_F(OnlineFollowing, ScrollingBackStopsFollowingUntilTheUserReturnsToTheEnd) {
  auto pane = MakePane();
  std::vector<std::pair<LONGLONG, bool>> seen;  // scroll position and follow after each block
  LONGLONG left = -1;
  Replay({0.0, 1000, 0}, [&](const PendrelHost::SamplingStep& step) {
    if (step.phase != PendrelHost::SamplingPhase::kBlock) return true;
    if (step.record == 0 && step.from == 6000) {
      pane->OnScroll(SB_PAGELEFT, 1.0);
      EXPECT_FALSE(pane->IsFollowing());
      EXPECT_FALSE(pane->Zoomer()->following);
      left = pane->GetScrollPosition();
    }
    if (step.record == 0 && step.from == 9000) {
      pane->OnScroll(SB_BOTTOM, 1.0);
      EXPECT_TRUE(pane->IsFollowing());
      EXPECT_TRUE(pane->Zoomer()->following);
    }
    EXPECT_GE(pane->SweepPosition(), 1);
    EXPECT_LE(pane->SweepPosition(), pane->DataWidth());
    seen.emplace_back(pane->GetScrollPosition(), pane->IsFollowing());
    return true;
  });
  ASSERT_LT(left, 700);
  ASSERT_GE(seen.size(), 11u);
  // Blocks 7 to 9 of the first record come while the user looks back: the view stays.
  for (std::size_t block = 7; block < 9; ++block) {
    EXPECT_EQ(seen[block], std::pair(left, false)) << block;
  }
  EXPECT_EQ(seen[10], std::pair(LONGLONG(1100), true));
  // The next record starts following again, whatever the user did.
  EXPECT_EQ(seen.back(), std::pair(LONGLONG(1900), true));
}

TEST_F(OnlineFollowing, DataShorterThanThePaneStaysAtTheDataEnd) {
  auto pane = MakePane(0xC0000000 | kKeepFollowAtRecordStart);
  pane->SetFollow(false, false);
  Replay({0.0, 700, 4200}, [&](const PendrelHost::SamplingStep& step) {
    if (!IsStep(step)) return true;
    EXPECT_FALSE(pane->IsFollowing());
    EXPECT_EQ(pane->GetScrollPosition(), (step.from + step.count) / 10) << step.from;
    return true;
  });
  EXPECT_EQ(pane->GetScrollPosition(), 420);
}

TEST_F(OnlineFollowing, ChannelFlagBit27KeepsFollowAtARecordStart) {
  for (DWORD flags : {DWORD(0xC0000000), DWORD(0xC0000000) | kKeepFollowAtRecordStart}) {
    for (bool before : {false, true}) {
      auto pane = MakePane(flags);
      pane->SetFollow(before, false);
      pane->OnRecordStart(0);
      const bool kept = flags & kKeepFollowAtRecordStart;
      EXPECT_EQ(pane->IsFollowing(), kept ? before : true) << flags << " " << before;
      EXPECT_EQ(pane->Zoomer()->following, kept ? before : true);
    }
  }
}

TEST_F(OnlineFollowing, APaneIgnoringOnlineDataHandsEveryNoticeOnAndChangesNothing) {
  auto ignoring = MakePane(0xC0000000, kPaneIgnoresOnline);
  ignoring->SetScrollPosition(0);
  const LONG sweep = ignoring->SweepPosition();
  int callbacks = 0;
  ignoring->Callbacks().afterUpdate = [&](LONG) { ++callbacks; };
  ignoring->Callbacks().onlineData = [&](LONG, LONG, LONG, bool) { ++callbacks; };
  ignoring->Callbacks().recordChange = [&](LONG) { ++callbacks; };
  Replay({0.0, 4000, 14000});
  ignoring->OnDataChanged(0);
  ignoring->OnChannelChanged(3);
  const std::vector<std::string> heard = logging->notices;
  EXPECT_EQ(heard, (std::vector<std::string>{
                       "record 0", "added 0 0+4000", "end 0", "added 0 4000+4000", "end 0",
                       "added 0 8000+4000", "end 0", "added 0 12000+0", "end 0", "record 1",
                       "added 1 0+2000", "end 1", "stopped", "changed", "channel 3"}));
  EXPECT_EQ(ignoring->GetScrollPosition(), 0);
  EXPECT_EQ(ignoring->SweepPosition(), sweep);
  EXPECT_EQ(ignoring->IsSampling(), S_FALSE);
  EXPECT_FALSE(ignoring->DataPending());
  EXPECT_FALSE(ignoring->Zoomer()->following);
  EXPECT_EQ(callbacks, 0);
}

TEST_F(OnlineFollowing, AStopOrAChangeMakesTheDrawersTakeTheirDataUpAfresh) {
  const struct {
    const char* notice;
    std::function<void(DataPane&)> deliver;
  } cases[] = {
      {"stopped", [](DataPane& pane) { pane.OnSamplingStopped(0, 0); }},
      {"changed", [](DataPane& pane) { pane.OnDataChanged(0); }},
      {"channel 0", [](DataPane& pane) { pane.OnChannelChanged(0); }},
  };
  for (const auto& c : cases) {
    auto pane = MakePane();
    Quor::ComPtr<RecordingDrawer> trace(new RecordingDrawer(0x201));
    ASSERT_EQ(pane->AddDrawerToPane(0, trace.Get(), 0), S_OK);
    pane->OnRecordStart(0);
    pane->OnDataAdded(0, 0, 100, VARIANT_TRUE);
    EXPECT_TRUE(trace->attached);
    c.deliver(*pane);
    EXPECT_FALSE(trace->attached) << c.notice;
    EXPECT_EQ(logging->notices.back(), c.notice);
  }
}

TEST_F(OnlineFollowing, TheObjectsTimedRefreshComesAtMostEvery300Milliseconds) {
  auto clock = std::make_shared<win32::FixedClock>(0, 0);
  win32::SetClock(clock);
  for (DWORD style : {DWORD(0), kPaneNoTimedRedraw}) {
    std::vector<std::string> log;  // outlives the pane, which tells its objects as it goes
    auto pane = MakePane(0xC0000000, style);
    pane->AddObject(new TestObject("object", log), 1);
    const std::string refresh = "object: event " + std::to_string(DWORD(PaneEvent::TimedRefresh));
    std::vector<DWORD> refreshedAt;
    pane->OnRecordStart(0);
    // Data every 100 ms for a second, then record ends alone every 50 ms for two seconds.
    for (int i = 0; i < 10; ++i) {
      clock->Advance(100'000'000);
      pane->OnDataAdded(0, i * 100, 100, VARIANT_TRUE);
      pane->OnRecordEnd(0);
    }
    for (int i = 0; i < 40; ++i) {
      clock->Advance(50'000'000);
      log.clear();
      pane->OnRecordEnd(0);
      if (std::find(log.begin(), log.end(), refresh) != log.end()) {
        refreshedAt.push_back(GetTickCount());
      }
    }
    if (style & kPaneNoTimedRedraw) {
      EXPECT_TRUE(refreshedAt.empty());
      continue;
    }
    ASSERT_EQ(refreshedAt.size(), 5u);
    EXPECT_GT(refreshedAt[0] - 1000, 300u);  // the last data came at 1 s
    for (std::size_t i = 1; i < refreshedAt.size(); ++i) {
      EXPECT_GT(refreshedAt[i] - refreshedAt[i - 1], 300u);
    }
  }
}

TEST_F(OnlineFollowing, APaintSeesTheViewAsOneNoticeLeftIt) {
  // Data ends growing by uneven steps, some beyond a data width, in ticks (10 a pixel).
  std::vector<LONG> ends;
  for (LONG end = 0, i = 0; i < 20000; ++i) {
    ends.push_back(end += 10 * (i % 7 == 3 ? 731 : 37 + i % 90));
  }
  struct Sampling {
    GrowingRecordSource record;
    // The source starts without a reference of its own.
    Tarn::HeldReference<IPendrelTraceDataSource> source{
        Tarn::Hold<IPendrelTraceDataSource>(new PendrelHost::TraceDataSource(&record, nullptr))};
    TestPane pane{source.get()};
    Sampling() {
      pane.AttachWindow(nullptr, nullptr);
      pane.SetPaneSize({502, 300});
      pane.OnRecordStart(0);
    }
    void Deliver(LONG end) {
      record.SetTicks(end);
      pane.OnDataAdded(0, 0, 1, VARIANT_TRUE);
      pane.OnRecordEnd(0);
    }
    std::pair<LONGLONG, LONG> View() const {
      return {pane.GetScrollPosition(), pane.SweepPosition()};
    }
  };
  // What each notice leaves, found on a pane of its own.
  std::set<std::pair<LONGLONG, LONG>> left;
  {
    Sampling reference;
    left.insert(reference.View());
    for (LONG end : ends) {
      reference.Deliver(end);
      left.insert(reference.View());
    }
  }

  Sampling shared;
  std::vector<std::pair<LONGLONG, LONG>> seen;
  shared.pane.Callbacks().afterPaint = [&](HDC, LONG, DataPane& pane) {
    seen.emplace_back(pane.GetScrollPosition(), pane.SweepPosition());
    return false;
  };
  std::atomic<bool> painting = true;
  std::thread host([&] {
    for (LONG end : ends) {
      if (!painting) break;
      shared.Deliver(end);
      std::this_thread::yield();
    }
  });
  DrawingCanvas window(502, 300);
  for (int i = 0; i < 1000; ++i) shared.pane.Paint(window.Dc(), window.Rect(), 0);
  painting = false;
  host.join();

  ASSERT_EQ(seen.size(), 1000u);
  int torn = 0;
  for (const auto& view : seen) torn += !left.contains(view);
  EXPECT_EQ(torn, 0);
  EXPECT_GT(std::set(seen.begin(), seen.end()).size(), 1u);  // the notices ran meanwhile
}

}  // namespace
