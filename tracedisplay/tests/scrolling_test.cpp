#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <future>

#include "host/document/data_document.h"
#include "host/tests/traces/record_lengths_source.h"
#include "host/traces/trace_data_source.h"
#include "platform/win32/clock.h"
#include "platform/win32/input.h"
#include "tracedisplay/tests/trace_display_test.h"

using namespace PendrelDraw;

namespace {

// Two records at 1 kHz, 60000 and 40000 ticks: 6000 and 4000 pixels at 10 ticks per pixel.
PendrelHost::Recording TwoRecords(LONG first = 60000, LONG second = 40000) {
  PendrelHost::Recording recording(1000.0);
  recording.AddChannel({"ECG", "mV"});
  for (LONG ticks : {first, second}) {
    const std::size_t record = recording.AddRecord(0.0);
    recording.AppendSamples(record, std::vector<std::vector<float>>(1, std::vector<float>(ticks)));
    recording.CloseRecord(record);
  }
  return recording;
}

class ScrollingTest : public TraceDisplayTest {
 protected:
  void SetUp() override {
    TraceDisplayTest::SetUp();
    document = PendrelHost::OpenDocument(TwoRecords());
    source.reset(PendrelHost::CreateTraceDataSource(document.get()));
    pane = std::make_unique<TestPane>(source.get());
    pane->AttachWindow(nullptr, nullptr);
    pane->SetPaneSize({502, 300});
    pane->UpdateScrollBar();
  }
  void TearDown() override {
    win32::SetKeyStateSource(nullptr);
    win32::SetClock(nullptr);
  }

  // The sample position shown at a client x.
  std::pair<LONG, LONG> PositionAt(LONGLONG x) {
    LONG record = -1, tick = -1;
    pane->DataView()->PixelToPosition(pane->GetScrollPosition() - 501 + x, &record, &tick);
    return {record, tick};
  }
  LONGLONG ClientXOf(LONG record, LONG tick) {
    LONGLONG pixel = 0;
    pane->DataView()->PositionToPixel(record, tick, &pixel);
    return 501 - pane->GetScrollPosition() + pixel;
  }
  double Compression() {
    QuorRational ratio;
    pane->GetCompression(&ratio);
    return ratio.ToDouble();
  }

  // Declared before the panes that read them.
  RecordLengthsSource thirtySixHours{{36 * 3600 * 2000}, 0.0005};
  RecordLengthsSource nothing{{}};
  Tarn::HeldReference<IUnknown> document;
  Tarn::HeldReference<IPendrelTraceDataSource> source;
  std::unique_ptr<TestPane> pane;
};

TEST_F(ScrollingTest, AnAnchoredCompressionKeepsTheDataUnderTheAnchor) {
  for (LONG anchorX : {100, 251, 480}) {
    for (const QuorRational& ratio : {QuorRational(5, 1), QuorRational(20, 1), QuorRational(7, 3)}) {
      SCOPED_TRACE(testing::Message() << anchorX << " " << ratio.ToDouble());
      pane->SetCompression(QuorRational(10, 1), nullptr, false);
      pane->SetScrollPosition(5000);
      const auto [record, tick] = PositionAt(anchorX);
      const POINT anchor = {anchorX, 40};
      pane->SetCompression(ratio, &anchor, true);
      // Within one pixel of the coarser compression: a finer one splits the anchor's pixel.
      const double slack = std::max(1.0, 10.0 / ratio.ToDouble());
      EXPECT_LE(double(std::llabs(ClientXOf(record, tick) - anchorX)), slack);
    }
  }
}

TEST_F(ScrollingTest, ZoomingInKeepsAShownStartOrEnd) {
  pane->SetScrollPosition(500);  // the start at the left edge
  pane->Zoom(true);
  EXPECT_DOUBLE_EQ(Compression(), 5.0);
  EXPECT_EQ(pane->GetScrollPosition(), 500);
  EXPECT_EQ(PositionAt(1), (std::pair<LONG, LONG>{0, 0}));

  pane->ScrollToEnd();
  LONGLONG extent = 0;
  pane->DataView()->GetDataExtent(&extent);
  EXPECT_EQ(pane->GetScrollPosition(), extent);
  pane->Zoom(true);
  EXPECT_DOUBLE_EQ(Compression(), 2.0);
  pane->DataView()->GetDataExtent(&extent);
  EXPECT_EQ(extent, 50000);
  EXPECT_EQ(pane->GetScrollPosition(), extent);
}

class PositionAt30000 final : public PositionSource {
 public:
  bool CurrentPosition(LONG* record, LONG* tick) override {
    if (!has) return false;
    *record = 0;
    *tick = 30000;
    return true;
  }
  bool has = true;
};

TEST_F(ScrollingTest, CtrlZoomsAboutThePositionSourceOrTheCentre) {
  win32::SetKeyStateSource([](int key) { return SHORT(key == VK_CONTROL ? 0x8000 : 0); });
  PositionAt30000 position;
  pane->SetScrollPosition(3300);  // tick 30000 (pixel 3000) at client x 201
  ASSERT_EQ(ClientXOf(0, 30000), 201);
  const auto centre = PositionAt(251);
  pane->Zoom(true);  // no position source: about the centre
  EXPECT_LE(std::llabs(ClientXOf(centre.first, centre.second) - 251), 1);

  pane->SetPositionSource(&position);
  pane->SetCompression(QuorRational(10, 1), nullptr, false);
  pane->SetScrollPosition(3300);
  pane->Zoom(true);
  EXPECT_LE(std::llabs(ClientXOf(0, 30000) - 251), 1);  // the source's position comes to the centre

  position.has = false;
  pane->SetCompression(QuorRational(10, 1), nullptr, false);
  pane->SetScrollPosition(3300);
  pane->Zoom(true);
  EXPECT_LE(std::llabs(ClientXOf(centre.first, centre.second) - 251), 1);

  win32::SetKeyStateSource(nullptr);  // without Ctrl the source is not asked
  position.has = true;
  pane->SetCompression(QuorRational(10, 1), nullptr, false);
  pane->SetScrollPosition(3300);
  pane->Zoom(true);
  EXPECT_LE(std::llabs(ClientXOf(centre.first, centre.second) - 251), 1);
}

TEST_F(ScrollingTest, ZoomStopsAtItsLimits) {
  pane->SetCompression(QuorRational(1, 10), nullptr, false);
  pane->Zoom(true);
  EXPECT_DOUBLE_EQ(Compression(), 0.1);
  pane->Zoom(false);
  EXPECT_DOUBLE_EQ(Compression(), 0.2);
  pane->SetCompression(QuorRational(500000, 1), nullptr, false);
  pane->Zoom(false);
  EXPECT_DOUBLE_EQ(Compression(), 500000.0);
  pane->Zoom(true);
  EXPECT_DOUBLE_EQ(Compression(), 200000.0);
}

TEST_F(ScrollingTest, DataShorterThanThePaneDisablesTheScrollBar) {
  EXPECT_TRUE(pane->Bar()->enabled);
  const Tarn::HeldReference<IUnknown> shortDocument = PendrelHost::OpenDocument(TwoRecords(2000, 1000));
  Tarn::HeldReference<IPendrelTraceDataSource> shortSource(
      PendrelHost::CreateTraceDataSource(shortDocument.get()));
  pane->SetSource(0, shortSource.get(), nullptr);
  EXPECT_FALSE(pane->Bar()->enabled);
  EXPECT_EQ(pane->GetScrollPosition(), 300);
}

TEST_F(ScrollingTest, ThirtySixHoursAtTheFinestCompressionFitTheScrollBar) {
  Tarn::HeldReference<IPendrelTraceDataSource> longSource(
      new PendrelHost::TraceDataSource(&thirtySixHours, nullptr));
  longSource->AddRef();
  pane->SetSource(0, longSource.get(), nullptr);
  pane->StoreCompression(QuorRational(1, 10));
  pane->SetScrollPosition(1000000500);
  pane->UpdateScrollBar();
  EXPECT_EQ(pane->ScrollScale(), 2);
  const SCROLLINFO& info = pane->Bar()->last;
  EXPECT_EQ(info.cbSize, 28u);
  EXPECT_EQ(info.fMask, 0x17u);
  EXPECT_EQ(info.nMin, 0);
  EXPECT_EQ(info.nMax, 1296000000);
  EXPECT_EQ(info.nPage, 250u);
  EXPECT_EQ(info.nPos, 500000000);

  pane->OnScroll(SB_BOTTOM, 1.0);
  EXPECT_EQ(pane->GetScrollPosition(), 2592000000LL);
  pane->OnScroll(SB_LINELEFT, 1.0);  // one line of 9 scroll units, 18 pixels
  EXPECT_EQ(pane->GetScrollPosition(), 2592000000LL - 18);
}

TEST_F(ScrollingTest, ScrollCodesMoveTheViewAndTheFollowState) {
  // 10000 pixels in a 500 pixel view: page 312, line 19, the last position 9500.
  const struct {
    WORD code;
    LONGLONG position;  // scroll bar position afterwards
  } cases[] = {{SB_LINELEFT, 4981}, {SB_LINERIGHT, 5019}, {SB_PAGELEFT, 4688},
               {SB_PAGERIGHT, 5312}, {SB_THUMBPOSITION, 5000}, {SB_THUMBTRACK, 7000},
               {SB_TOP, 0},         {SB_BOTTOM, 9500},    {99, 5000}};
  for (bool following : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << c.code << (following ? " following" : ""));
      pane->SetScrollPosition(5500);
      pane->UpdateScrollBar();
      pane->SetFollow(following, false);
      pane->Bar()->trackPosition = 7000;
      pane->OnScroll(c.code, 1.0);
      EXPECT_EQ(pane->Bar()->info.nPos, c.position);
      EXPECT_EQ(pane->GetScrollPosition(), c.position + 500);
      pane->SetOnline(true);
      EXPECT_EQ(pane->IsFollowing(), c.position == 9500);
      pane->SetOnline(false);
      EXPECT_TRUE(pane->UserScrolled());
      EXPECT_EQ(pane->Bar()->redraws.back(), c.code != SB_THUMBTRACK);
    }
  }
  int viewChanged = 0;
  pane->Callbacks().viewChanged = [&] { ++viewChanged; };
  pane->OnScroll(SB_ENDSCROLL, 1.0);
  EXPECT_FALSE(pane->UserScrolled());
  EXPECT_EQ(viewChanged, 1);
}

TEST_F(ScrollingTest, ScrollToTimePlacesThePositionByMode) {
  // Record 1, tick 1000: pixel 6100.
  const struct {
    LONG mode;
    LONGLONG before;
    LONGLONG after;
  } cases[] = {{0, 5500, 6351}, {0, 6300, 6300}, {1, 6300, 6351}, {2, 5500, 6601}, {3, 5500, 6101}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    pane->SetScrollPosition(c.before);
    pane->ScrollToTime(1000, 1, c.mode);
    EXPECT_EQ(pane->GetScrollPosition(), c.after);
  }
  pane->ScrollToPosition(1000, 1);
  EXPECT_EQ(pane->GetScrollPosition(), 6600);
}

TEST_F(ScrollingTest, VisibleRangeCases) {
  RecordPositionRange range = {};
  pane->SetScrollPosition(5500);
  EXPECT_EQ(pane->GetVisibleRange(&range), S_OK);
  EXPECT_EQ(range.startRecord, 0);
  EXPECT_EQ(range.startOffset, 50000);
  EXPECT_EQ(range.endOffset, 55000);
  pane->SetScrollPosition(6200);
  EXPECT_EQ(pane->GetVisibleRange(&range), S_OK);
  EXPECT_EQ(range.endRecord, 1);
  EXPECT_EQ(range.endOffset, 2000);
  pane->SetScrollPosition(10000);  // the right edge is past the data's last pixel
  EXPECT_EQ(pane->GetVisibleRange(&range), S_FALSE);

  TestPane bare;
  EXPECT_EQ(bare.GetVisibleRange(&range), E_POINTER);
  Tarn::HeldReference<IPendrelTraceDataSource> empty(new PendrelHost::TraceDataSource(&nothing, nullptr));
  empty->AddRef();
  bare.SetSource(0, empty.get(), nullptr);
  EXPECT_EQ(bare.GetVisibleRange(&range), S_FALSE);
}

TEST_F(ScrollingTest, WheelNotchesAccumulateAndTwoWithinAMillisecondStillScroll) {
  win32::SetClock(std::make_shared<win32::FixedClock>(0, 0));
  pane->OnMouseWheel(0, -120, {10, 10});  // the last wheel scroll is now
  pane->SetScrollPosition(5500);
  pane->UpdateScrollBar();
  const std::size_t moves = pane->Bar()->redraws.size();
  pane->OnMouseWheel(0, -60, {10, 10});
  EXPECT_EQ(pane->Bar()->redraws.size(), moves);
  EXPECT_EQ(pane->GetScrollPosition(), 5500);
  pane->OnMouseWheel(0, -60, {10, 10});
  EXPECT_EQ(pane->Bar()->redraws.size(), moves + 1);
  // No time passed since the last scroll: the rate is its most, 100 x 0.03125 lines of 19.
  EXPECT_EQ(pane->GetScrollPosition(), 5500 + 59);
  pane->OnMouseWheel(0, 120, {10, 10});
  EXPECT_EQ(pane->GetScrollPosition(), 5500);
}

TEST_F(ScrollingTest, CtrlWheelZoomsAboutThePointer) {
  pane->SetScrollPosition(5500);
  const auto [record, tick] = PositionAt(120);
  pane->OnMouseWheel(MK_CONTROL, 120, {120, 30});
  EXPECT_DOUBLE_EQ(Compression(), 5.0);
  EXPECT_LE(std::llabs(ClientXOf(record, tick) - 120), 1);
  pane->OnMouseWheel(MK_CONTROL, -120, {120, 30});
  EXPECT_DOUBLE_EQ(Compression(), 10.0);
  EXPECT_LE(std::llabs(ClientXOf(record, tick) - 120), 1);
  pane->SetDisplayMode(1);
  pane->OnMouseWheel(MK_CONTROL, 120, {120, 30});
  EXPECT_DOUBLE_EQ(Compression(), 10.0);
}

TEST_F(ScrollingTest, AppliedSettingsKeepTheCentredData) {
  for (const QuorRational& ratio : {QuorRational(10, 1), QuorRational(7, 3)}) {
    pane->SetCompression(ratio, nullptr, false);
    for (LONGLONG scroll : {LONGLONG(3000), LONGLONG(9000)}) {
      SCOPED_TRACE(testing::Message() << ratio.ToDouble() << " " << scroll);
      pane->SetScrollPosition(scroll);
      const auto [record, tick] = PositionAt(251);
      pane->ApplySettings(nullptr, nullptr, -1);
      // Within the pixel that a fractional compression splits.
      EXPECT_LE(std::llabs(ClientXOf(record, tick) - 251), 1);
    }
  }
}

TEST_F(ScrollingTest, OnlineNoticesMoveTheViewAndTheSweepLine) {
  std::vector<LONG> states, updates, blocks;
  pane->Callbacks().recordChange = [&](LONG state) { states.push_back(state); };
  pane->Callbacks().afterUpdate = [&](LONG record) { updates.push_back(record); };
  pane->Callbacks().onlineData = [&](LONG, LONG, LONG count, bool) { blocks.push_back(count); };
  pane->SetFollow(false, false);
  EXPECT_EQ(pane->OnRecordStart(1), S_OK);
  EXPECT_TRUE(pane->IsFollowing());
  EXPECT_EQ(states, std::vector<LONG>{1});
  // A pending full redraw would put the sweep line back at the right edge.
  pane->FlushPendingUpdates();

  // Following, the view moves to the data end; the sweep line advances by as much and wraps.
  const struct {
    bool follow;
    LONGLONG scroll;
    LONGLONG scrollAfter;
    LONG sweepAfter;
  } steps[] = {
      {true, 9700, 10000, 300},   // 500 + 300, less one data width
      {true, 10000, 10000, 300},  // nothing new
      {true, 2000, 10000, 500},   // more than a data width: one full redraw
      {false, 3000, 3000, 500},   // scrolled back: the view stays
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.scroll);
    pane->SetFollow(step.follow, false);
    pane->SetScrollPosition(step.scroll);
    EXPECT_EQ(pane->OnRecordEnd(1), S_OK);
    EXPECT_EQ(pane->GetScrollPosition(), step.scrollAfter);
    EXPECT_EQ(pane->SweepPosition(), step.sweepAfter);
  }
  EXPECT_EQ(updates, (std::vector<LONG>{1, 1, 1, 1}));

  // Stopping with more data announced leaves the view; without, a view past the end comes back.
  pane->OnDataAdded(1, 0, 40, VARIANT_TRUE);
  EXPECT_TRUE(pane->DataPending());
  pane->SetScrollPosition(12000);
  pane->OnSamplingStopped(0, 0);
  EXPECT_FALSE(pane->DataPending());
  EXPECT_EQ(pane->GetScrollPosition(), 12000);
  pane->OnDataAdded(1, 40, 60, VARIANT_FALSE);
  pane->OnSamplingStopped(0, 0);
  EXPECT_EQ(pane->GetScrollPosition(), 10000);
  EXPECT_EQ(blocks, (std::vector<LONG>{40, 60}));

  bool viewChanged = false;
  pane->Callbacks().viewChanged = [&] { viewChanged = true; };
  pane->OnDataChanged(0);
  EXPECT_FALSE(pane->IsFollowing());
  EXPECT_EQ(pane->IsSampling(), S_FALSE);
  EXPECT_EQ(pane->SweepPosition(), 500);
  EXPECT_TRUE(viewChanged);
  EXPECT_EQ(states, (std::vector<LONG>{1, 0}));
}

TEST_F(ScrollingTest, ARecordStartJumpsToTheEndOnlyWhenAsked) {
  const struct {
    bool jump;
    LONG mode;
    LONGLONG scrollAfter;
  } cases[] = {{false, 0, 3000}, {true, 0, 10000}, {true, 1, 3000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.jump << " " << c.mode);
    pane->SetJumpToEndAtRecordStart(c.jump);
    pane->SetDisplayMode(c.mode);
    pane->SetScrollPosition(3000);
    pane->OnRecordStart(1);
    EXPECT_EQ(pane->GetScrollPosition(), c.scrollAfter);
  }
}

TEST_F(ScrollingTest, APaneThatIgnoresOnlineDataChangesNothing) {
  pane->SetStyleFlags(0x80000000 | kPaneIgnoresOnline);
  int calls = 0;
  pane->Callbacks().recordChange = [&](LONG) { ++calls; };
  pane->Callbacks().afterUpdate = [&](LONG) { ++calls; };
  pane->SetScrollPosition(3000);
  EXPECT_EQ(pane->OnRecordStart(1), S_OK);
  EXPECT_EQ(pane->OnDataAdded(1, 0, 10, VARIANT_TRUE), S_OK);
  EXPECT_EQ(pane->OnRecordEnd(1), S_OK);
  EXPECT_EQ(pane->OnSamplingStopped(0, 0), S_OK);
  EXPECT_EQ(pane->OnDataChanged(0), S_OK);
  EXPECT_EQ(pane->IsSampling(), S_FALSE);
  EXPECT_FALSE(pane->DataPending());
  EXPECT_EQ(pane->GetScrollPosition(), 3000);
  EXPECT_EQ(calls, 0);
}

// A user's scroll on the window thread and an online notice from the host's thread each move
// the scroll position as one step: the notice waits while the scroll is half done.
TEST_F(ScrollingTest, AnOnlineNoticeWaitsForAUserScrollInProgress) {
  pane->OnRecordStart(1);
  std::future<void> host;
  bool noticeRanDuringScroll = false;
  pane->Bar()->onGetScrollInfo = [&] {
    if (host.valid()) return;
    host = std::async(std::launch::async, [&] { pane->OnRecordEnd(1); });
    noticeRanDuringScroll =
        host.wait_for(std::chrono::milliseconds(300)) == std::future_status::ready;
  };
  pane->OnScroll(SB_LINELEFT, 1.0);
  host.wait();
  EXPECT_FALSE(noticeRanDuringScroll);
}

}  // namespace
