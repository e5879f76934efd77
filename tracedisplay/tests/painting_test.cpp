#include <array>
#include <cmath>
#include <vector>

#include "core/com_ptr.h"
#include "host/document/data_document.h"
#include "host/sampling/sampling_simulator.h"
#include "host/traces/trace_data_source.h"
#include "platform/pendrel/changed_event.h"
#include "platform/pendrel/trace_ranges.h"
#include "platform/win32/com_object.h"
#include "tracedisplay/tests/lane_rows.h"
#include "tracedisplay/tests/recording_drawer.h"
#include "tracedisplay/tests/trace_display_test.h"
#include "tracedisplay/tests/window_surface.h"

using namespace PendrelDraw;

namespace {

constexpr COLORREF kPaintRed = RGB(255, 0, 0);
constexpr COLORREF kPaintBackground = RGB(10, 20, 30);
constexpr COLORREF kPaintFrameGrey = RGB(195, 195, 195);
constexpr DWORD kSettledSegment = 0x08000000 | 0x02000000;
constexpr DWORD kSampledSegment = 0x80000000 | 0x02000000;
constexpr DWORD kBufferedSegment = 0x04000000;
// A pane 502 pixels wide has 500 data columns, client x 1 to 500.
constexpr SIZE kPaintPaneSize = {502, 300};

// Records of the given ticks at 1 kHz; at 10 ticks per pixel a record of n ticks takes n / 10
// pixels.
PendrelHost::Recording PaintRecords(std::vector<LONG> ticks) {
  PendrelHost::Recording recording(1000.0);
  recording.AddChannel({"ECG", "mV"});
  for (LONG count : ticks) {
    const std::size_t record = recording.AddRecord(0.0);
    recording.AppendSamples(record, std::vector<std::vector<float>>(1, std::vector<float>(count)));
    recording.CloseRecord(record);
  }
  return recording;
}

std::array<LONGLONG, 5> SpanOf(const DrawSpan& span) {
  return {span.first, span.end, span.origin, span.record, span.leftColumn};
}

class PaintingTest : public TraceDisplayTest {
 protected:
  // A pane over records of `ticks`, with `lanes` channel panes and a red trace drawer in each.
  void Open(std::vector<LONG> ticks, LONG lanes = 1, DWORD style = 0x80000000,
            bool bufferedDrawing = true) {
    traces.clear();
    pane.reset();
    document = PendrelHost::OpenDocument(PaintRecords(std::move(ticks)));
    source.reset(PendrelHost::CreateTraceDataSource(document.get()));
    pane = std::make_unique<TestPane>(source.get());
    pane->SetStyleFlags(style);
    pane->SetBufferedDrawing(bufferedDrawing);
    pane->SetLaneCount(lanes);
    pane->AttachWindow(nullptr, nullptr);
    pane->SetPaneSize(kPaintPaneSize);
    pane->SetBackgroundColour(kPaintBackground);
    for (LONG lane = 0; lane < lanes; ++lane) {
      traces.emplace_back(new RecordingDrawer(0x201, lane, 0, kPaintRed));
      pane->AddDrawerToPane(0, traces.back().Get(), lane);
    }
    pane->FlushPendingUpdates();
  }
  void PaintAll() { pane->Paint(window.Dc(), {0, 0, kPaintPaneSize.cx, kPaintPaneSize.cy}, 0); }
  LONG MidRow(LONG lane) const {
    const RECT& r = pane->ChannelPaneAt(lane)->rect;
    return (r.top + r.bottom) / 2;
  }
  void ForgetDraws() {
    for (const auto& trace : traces) {
      trace->draws.clear();
      trace->drawFlags.clear();
    }
  }

  WindowSurface window{kPaintPaneSize.cx, kPaintPaneSize.cy};
  Tarn::HeldReference<IUnknown> document;
  Tarn::HeldReference<IPendrelTraceDataSource> source;
  std::unique_ptr<TestPane> pane;
  std::vector<Quor::ComPtr<RecordingDrawer>> traces;
};

TEST_F(PaintingTest, EachRecordIsOneSegmentFlaggedAsSampledOrSettled) {
  // 300 and 200 pixels: the whole data fills the 500 columns.
  Open({3000, 2000});
  const std::array<LONGLONG, 5> first = {0, 300, 0, 0, 1};
  const std::array<LONGLONG, 5> second = {300, 500, 0, 1, 301};
  const struct {
    const char* what;
    bool sampling;
    DWORD extra;
    DWORD flags[2];
  } cases[] = {
      {"settled", false, 0, {kSettledSegment, kSettledSegment}},
      {"extra flags", false, 0x100, {kSettledSegment | 0x100, kSettledSegment | 0x100}},
      {"sampling the second", true, 0, {kSettledSegment, kSampledSegment}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.sampling) pane->OnRecordStart(1);
    pane->SetExtraDrawFlags(c.extra);
    pane->MarkAllForRedraw();
    ForgetDraws();
    PaintAll();
    const RecordingDrawer& trace = *traces[0].Get();
    ASSERT_EQ(trace.draws.size(), 2u);
    EXPECT_EQ(SpanOf(trace.draws[0]), first);
    EXPECT_EQ(SpanOf(trace.draws[1]), second);
    EXPECT_EQ(trace.drawFlags[0], c.flags[0] | kBufferedSegment);
    EXPECT_EQ(trace.drawFlags[1], c.flags[1] | kBufferedSegment);
    // Both segments reached the window through the band's image.
    EXPECT_EQ(window.At(150, MidRow(0)), kPaintRed);
    EXPECT_EQ(window.At(450, MidRow(0)), kPaintRed);
    EXPECT_FALSE(pane->ChannelPaneAt(0)->LaneAt(2).flags & kLaneWholeRedraw);
  }
  // A clean pane draws nothing again.
  ForgetDraws();
  PaintAll();
  EXPECT_TRUE(traces[0]->draws.empty());
}

TEST_F(PaintingTest, SegmentFlagsFollowASimulatedAcquisition) {
  const PendrelHost::Recording recorded = PaintRecords({3000, 2000});
  const std::shared_ptr<PendrelHost::Recording> target = PendrelHost::EmptyRecordingLike(recorded);
  document = PendrelHost::OpenDocument(target);
  source.reset(PendrelHost::CreateTraceDataSource(document.get()));
  pane = std::make_unique<TestPane>(source.get());
  pane->AttachWindow(nullptr, nullptr);
  pane->SetPaneSize(kPaintPaneSize);
  traces.emplace_back(new RecordingDrawer(0x201, 0, 0, kPaintRed));
  pane->AddDrawerToPane(0, traces.back().Get(), 0);
  RecordingDrawer& trace = *traces[0].Get();
  // The flags of each record's segment in a paint of everything.
  const auto flagsByRecord = [&] {
    pane->FlushPendingUpdates();
    pane->MarkAllForRedraw();
    ForgetDraws();
    PaintAll();
    std::vector<DWORD> flags;
    for (std::size_t i = 0; i < trace.draws.size(); ++i) {
      flags.resize(std::size_t(trace.draws[i].record) + 1);
      flags[std::size_t(trace.draws[i].record)] = trace.drawFlags[i] & ~kBufferedSegment;
    }
    return flags;
  };
  std::vector<std::vector<DWORD>> whileSampling;
  PendrelHost::SamplingSimulator device(recorded, target, *PendrelHost::AsDataDocument(document.get()));
  device.Replay({0.0, 500, 0}, [&](const PendrelHost::SamplingStep& step) {
    if (step.phase == PendrelHost::SamplingPhase::kBlock && step.from == 1000) {
      whileSampling.push_back(flagsByRecord());
    }
    return true;
  });
  ASSERT_EQ(whileSampling.size(), 2u);
  EXPECT_EQ(whileSampling[0], (std::vector<DWORD>{kSampledSegment}));
  EXPECT_EQ(whileSampling[1], (std::vector<DWORD>{kSettledSegment, kSampledSegment}));
  EXPECT_EQ(flagsByRecord(), (std::vector<DWORD>{kSettledSegment, kSettledSegment}));
}

TEST_F(PaintingTest, EachSegmentCarriesTheTimeLinesOfItsRecord) {
  // 1 kHz at 10 ticks per pixel: 0.01 s a pixel; the second record starts at pixel 300 and its
  // plain seconds count from its own start.
  Open({3000, 2000});
  PaintAll();
  const RecordingDrawer& trace = *traces[0].Get();
  ASSERT_EQ(trace.draws.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const TimeGrid& grid = trace.draws[i].timeGrid;
    ASSERT_GT(grid.minorPerMajor, 0);
    ASSERT_GE(grid.minorStep, 1.0);
    // The major interval is a whole number of tenths of a second, wide enough for a label.
    const double majorSeconds = grid.minorStep * grid.minorPerMajor * 0.01;
    EXPECT_NEAR(majorSeconds * 10.0, std::round(majorSeconds * 10.0), 1e-9);
    EXPECT_GE(grid.minorStep * grid.minorPerMajor, 6.0);
    EXPECT_DOUBLE_EQ(grid.firstMajor, i == 0 ? 0.0 : 300.0);
  }
}

TEST_F(PaintingTest, ColumnsLeftOfTheDataStartAreClippedToPixelZero) {
  for (bool monochrome : {false, true}) {
    SCOPED_TRACE(monochrome ? "monochrome" : "buffered");
    // 200 pixels of data in 500 columns: the data start at client x 301.
    Open({1000, 1000}, 1, monochrome ? 0x80000000 | kPaneMonochrome : 0x80000000);
    std::vector<LONG> freeWidths;
    pane->Callbacks().afterPaint = [&](HDC, LONG free, DataPane& painted) {
      EXPECT_EQ(&painted, pane.get());
      freeWidths.push_back(free);
      return false;
    };
    PaintAll();
    // The pane's width less the scroll position and the border.
    EXPECT_EQ(freeWidths, (std::vector<LONG>{301}));
    const RecordingDrawer& trace = *traces[0].Get();
    ASSERT_EQ(trace.draws.size(), 2u);
    EXPECT_EQ(SpanOf(trace.draws[0]), (std::array<LONGLONG, 5>{0, 100, 0, 0, 301}));
    EXPECT_EQ(SpanOf(trace.draws[1]), (std::array<LONGLONG, 5>{100, 200, 0, 1, 401}));
    EXPECT_EQ(window.At(100, MidRow(0)), kPaintBackground);
    EXPECT_EQ(window.At(300, MidRow(0)), kPaintBackground);
    EXPECT_EQ(window.At(301, MidRow(0)), kPaintRed);
  }
}

TEST_F(PaintingTest, WithoutChannelPanesOnlyTheBackgroundAndAnEmptyFrameArePainted) {
  for (bool buffered : {true, false}) {
    SCOPED_TRACE(buffered);
    WindowSurface surface(kPaintPaneSize.cx, kPaintPaneSize.cy);
    Open({3000}, 1, 0x80000000, buffered);
    // A pane that never had lanes: nothing lies below the channel area either.
    pane = std::make_unique<TestPane>(source.get());
    pane->SetBufferedDrawing(buffered);
    pane->SetPaneSize(kPaintPaneSize);
    pane->SetBackgroundColour(kPaintBackground);
    pane->Paint(surface.Dc(), {0, 0, kPaintPaneSize.cx, kPaintPaneSize.cy}, 0);
    // The channel area, x 1 to 500 and y 1 to 278, above a 20-pixel time scale and a gap,
    // framed one pixel outside.
    EXPECT_EQ(surface.At(250, 100), kPaintBackground);
    EXPECT_EQ(surface.At(1, 1), kPaintBackground);
    EXPECT_EQ(surface.At(500, 278), kPaintBackground);
    for (const POINT& frame : {POINT{0, 100}, POINT{501, 100}, POINT{250, 0}, POINT{250, 279}}) {
      EXPECT_EQ(surface.At(frame.x, frame.y), kPaintFrameGrey) << frame.x << "," << frame.y;
    }
    EXPECT_EQ(surface.At(250, 290), RGB(255, 255, 255));
  }
}

TEST_F(PaintingTest, PaintingTheBackgroundFramesTheLanesAndHasThemDrawnAgain) {
  Open({5000});
  PaintAll();
  ForgetDraws();
  WindowSurface surface(kPaintPaneSize.cx, kPaintPaneSize.cy);
  pane->PaintBackground(surface.Dc(), 0, 0);
  const RECT& lane = pane->ChannelPaneAt(0)->rect;
  EXPECT_EQ(surface.At(lane.left - 1, MidRow(0)), kPaintFrameGrey);
  EXPECT_EQ(surface.At(250, lane.top - 1), kPaintFrameGrey);
  // The band's image took the background; the next paint draws its trace again.
  EXPECT_TRUE(traces[0]->draws.empty());
  pane->Paint(surface.Dc(), {0, 0, kPaintPaneSize.cx, kPaintPaneSize.cy}, 0);
  EXPECT_EQ(traces[0]->draws.size(), 1u);
  EXPECT_EQ(surface.At(250, MidRow(0)), kPaintRed);
}

TEST_F(PaintingTest, AMonochromePaneNeverBuffers) {
  const struct {
    bool monochrome;
    bool bufferedFlag;
    bool buffers;
  } cases[] = {{false, true, true}, {false, false, false}, {true, true, false}, {true, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.monochrome << c.bufferedFlag);
    WindowSurface surface(kPaintPaneSize.cx, kPaintPaneSize.cy);
    Open({5000}, 1, c.monochrome ? 0x80000000 | kPaneMonochrome : 0x80000000, c.bufferedFlag);
    pane->Paint(surface.Dc(), {0, 0, kPaintPaneSize.cx, kPaintPaneSize.cy}, 0);
    ASSERT_EQ(traces[0]->drawFlags.size(), 1u);
    EXPECT_EQ((traces[0]->drawFlags[0] & kBufferedSegment) != 0, c.buffers);
    const ChannelPane& band = *pane->ChannelPaneAt(0);
    EXPECT_EQ(band.LayerAt(0).image != nullptr, c.buffers);
    EXPECT_EQ(band.LayerAt(2).image != nullptr, c.buffers);
    EXPECT_EQ(surface.At(250, (band.rect.top + band.rect.bottom) / 2), kPaintRed);
  }
}

// A changed event of the host: its channel, ticks and mark width.
class PaintChangedEvent final : public SimpleUnknownImp1<IPendrelChangedEvent, 0> {
 public:
  PaintChangedEvent(LONG channel, LONG start, LONG end, LONG width)
      : m_channel(channel), m_start(start), m_end(end), m_width(width) {}
  HRESULT GetChannel(LONG* channel) override {
    *channel = m_channel;
    return S_OK;
  }
  HRESULT GetTickRange(LONG* start, LONG* end) override {
    *start = m_start;
    *end = m_end;
    return S_OK;
  }
  HRESULT GetMarkWidth(LONG* pixels) override {
    *pixels = m_width;
    return S_OK;
  }

 private:
  LONG m_channel, m_start, m_end, m_width;
};

TEST_F(PaintingTest, AChangedEventRedrawsOnlyItsSpanInItsLanes) {
  Open({3000, 2000}, 2);
  PaintAll();
  // Ticks 500 to 520 of record 1 lie on pixels 350 to 352, client x 351 to 353; a mark
  // 3 pixels wide widens that to 348 .. 356.
  const std::array<LONGLONG, 5> span = {347, 356, -47, 1, 348};
  const struct {
    const char* what;
    LONG channel;
    LONG record;
    LONG start;
    bool redrawn[2];
  } cases[] = {
      {"its lane", 1, 1, 500, {false, true}},
      {"every lane", -1, 1, 500, {true, true}},
      {"a channel no lane shows", 7, 1, 500, {false, false}},
      // Record 0 ends at pixel 300: a tick beyond the view lies outside it.
      {"outside the view", 0, 1, 30000, {false, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ForgetDraws();
    const Quor::ComPtr<PaintChangedEvent> event(new PaintChangedEvent(c.channel, c.start, c.start + 20, 3));
    pane->InvalidateChangedEvent(c.record, 0, 0, static_cast<IPendrelChangedEvent*>(event.Get()));
    PaintAll();
    for (LONG lane = 0; lane < 2; ++lane) {
      const RecordingDrawer& trace = *traces[std::size_t(lane)].Get();
      if (!c.redrawn[lane]) {
        EXPECT_TRUE(trace.draws.empty()) << "lane " << lane;
        continue;
      }
      ASSERT_EQ(trace.draws.size(), 1u) << "lane " << lane;
      EXPECT_EQ(SpanOf(trace.draws[0]), span) << "lane " << lane;
    }
  }
}

// The record range a data view would make from the visible pixels: it answers fixed extremes.
class PaintRange final : public SimpleUnknownImp1<IPendrelTraceRecordRange, 0> {
 public:
  HRESULT GetExtremes(DWORD address, LONG record, LONG channel, PendrelValueExtremes* answer) override {
    asked.push_back({LONG(address), record, channel});
    if (FAILED(result)) return result;
    *answer = extremes;
    return result;
  }
  PendrelValueExtremes extremes = {};
  HRESULT result = S_OK;
  std::vector<std::array<LONG, 3>> asked;
};

TEST_F(PaintingTest, AutoScalingAppliesTheScaledExtremesUnlessTheyAreEqual) {
  Open({3000});
  ChannelPane& band = *pane->ChannelPaneAt(0);
  band.channel = 3;
  band.CreateScales(3, 0);
  IPendrelAxisAdjuster* adjuster = band.Adjuster(1);
  ASSERT_NE(adjuster, nullptr);
  pane->SetPaneDrawerSource(0, 1, adjuster, traces[0].Get());
  const Quor::ComPtr<PaintRange> range(new PaintRange);
  IUnknown* data = static_cast<IPendrelTraceRecordRange*>(range.Get());

  // Flat data: nothing is applied.
  range->extremes = {2.0, 2.0, 5.0, 1.0};
  EXPECT_TRUE(pane->UpdatePaneAutoScale(data, 0, 0));
  EXPECT_TRUE(traces[0]->rangesSet.empty());
  ASSERT_EQ(range->asked.size(), 1u);
  EXPECT_EQ(range->asked[0], (std::array<LONG, 3>{LONG(0xC0002000), 0, 3}));

  // (value + offset) x scale, then in millis: the drawer shows it over the lane, and the scale
  // takes it too while it waits for a range.
  range->extremes = {-1.0, 3.0, 0.5, 1.0};
  band.unit[0] = {u'm', 1000.0, 7};
  band.pendingRange = 1;
  EXPECT_TRUE(pane->UpdatePaneAutoScale(data, 0, 0));
  ASSERT_FALSE(traces[0]->rangesSet.empty());
  // The drawer draws the channel's values: the millis shown are 0 to 2 of them.
  EXPECT_TRUE(SpansLane(traces[0]->rangesSet.back(), 0.0, 2.0, band.Height()));
  const std::size_t scaled = traces[0]->rangesSet.size();
  double shown[2] = {};
  adjuster->GetRange(shown);
  EXPECT_EQ(shown[0], 0.0);
  EXPECT_EQ(shown[1], 2000.0);
  EXPECT_EQ(band.pendingRange, 0u);

  range->result = E_FAIL;
  EXPECT_FALSE(pane->UpdatePaneAutoScale(data, 0, 0));
  range->result = S_OK;
  EXPECT_FALSE(pane->UpdatePaneAutoScale(data, 0, 1));
  EXPECT_FALSE(pane->UpdatePaneAutoScale(nullptr, 0, 0));
  EXPECT_EQ(traces[0]->rangesSet.size(), scaled);
}

TEST_F(PaintingTest, AutoScalingFollowsTheVisibleSamples) {
  // Record 0: 10000 ticks within [-1, 1] but for 7 at tick 4999 and 50 at tick 5000; record 1:
  // 2000 ticks of 0 but for -30 at tick 100. 1200 pixels at 10 ticks per pixel.
  PendrelHost::Recording recording(1000.0);
  recording.AddChannel({"ECG", "mV"});
  std::vector<float> first(10000), second(2000, 0.0f);
  for (std::size_t i = 0; i < first.size(); ++i) first[i] = float(int(i % 21) - 10) / 10.0f;
  first[4999] = 7.0f;
  first[5000] = 50.0f;
  second[100] = -30.0f;
  for (const std::vector<float>& samples : {first, second}) {
    const std::size_t record = recording.AddRecord(0.0);
    recording.AppendSamples(record, std::vector<std::vector<float>>(1, samples));
    recording.CloseRecord(record);
  }
  document = PendrelHost::OpenDocument(std::move(recording));
  source.reset(PendrelHost::CreateTraceDataSource(document.get()));
  pane = std::make_unique<TestPane>(source.get());
  pane->AttachWindow(nullptr, nullptr);
  pane->SetPaneSize(kPaintPaneSize);
  traces.emplace_back(new RecordingDrawer(0x201, 0, 0, kPaintRed));
  // A first drawer source that is no scale: the drawer alone shows what auto-scaling found.
  const Quor::ComPtr<RecordingDrawer> scaleSource(new RecordingDrawer(0));
  pane->SetPaneDrawerSource(0, 1, static_cast<IPendrelRecordDrawer*>(scaleSource.Get()), traces[0].Get());

  // The first 500 pixels show ticks 0 to 4999 of record 0.
  const LONG height = pane->ChannelPaneAt(0)->Height();
  pane->ChannelPaneAt(0)->autoScale[0] = true;
  pane->Invalidate(kRedrawLayout);
  ASSERT_EQ(traces[0]->rangesSet.size(), 1u);
  EXPECT_TRUE(SpansLane(traces[0]->rangesSet.back(), -1.0, 7.0, height));
  // The last 500 show ticks 7000 to 9999 of record 0 and all of record 1.
  pane->SetScrollPosition(1200);
  pane->Invalidate(kRedrawLayout);
  ASSERT_EQ(traces[0]->rangesSet.size(), 2u);
  EXPECT_TRUE(SpansLane(traces[0]->rangesSet.back(), -30.0, 1.0, height));
  // A pane that keeps the range it was given is not scaled to what comes into view.
  pane->ChannelPaneAt(0)->autoScale[0] = false;
  pane->SetScrollPosition(500);
  pane->Invalidate(kRedrawLayout);
  EXPECT_EQ(traces[0]->rangesSet.size(), 2u);
}

TEST_F(PaintingTest, RefreshingTheDrawersOfEveryPaneSucceedsAndWaitsForTheFlush) {
  Open({3000}, 2);
  std::vector<Quor::ComPtr<RecordingDrawer>> second;
  for (LONG lane = 0; lane < 2; ++lane) {
    second.emplace_back(new RecordingDrawer(0x202, lane));
    pane->SetPaneDrawerSource(lane, 1, nullptr, traces[std::size_t(lane)].Get());
    pane->SetPaneDrawerSource(lane, 2, nullptr, second.back().Get());
  }
  for (const auto& [lane, kind] : {std::pair{2, 1}, {-2, 1}, {0, 0}, {0, 3}, {-1, 3}}) {
    EXPECT_EQ(pane->RefreshDrawers(lane, kind), E_INVALIDARG) << lane << "," << kind;
  }
  EXPECT_EQ(pane->RefreshDrawers(-1, 1), S_OK);
  EXPECT_EQ(pane->RefreshDrawers(1, 2), S_OK);
  EXPECT_TRUE(traces[0]->refreshes.empty());
  EXPECT_TRUE(pane->FlushPendingUpdates());
  const std::vector<DWORD> once = {0xFF000000};
  EXPECT_EQ(traces[0]->refreshes, once);
  EXPECT_EQ(traces[1]->refreshes, once);
  EXPECT_TRUE(second[0]->refreshes.empty());
  EXPECT_EQ(second[1]->refreshes, once);
  // The sets are empty after the flush.
  pane->FlushPendingUpdates();
  pane->Invalidate(kRedrawEverything);
  pane->FlushPendingUpdates();
  EXPECT_EQ(traces[0]->refreshes, once);

  VARIANT_BOOL has = VARIANT_FALSE;
  EXPECT_EQ(pane->HasDrawerData(2, &has), S_OK);
  EXPECT_EQ(has, VARIANT_TRUE);
  pane->SetPaneDrawerSource(0, 2, nullptr);
  pane->SetPaneDrawerSource(1, 2, nullptr);
  EXPECT_EQ(pane->HasDrawerData(2, &has), S_OK);
  EXPECT_EQ(has, VARIANT_FALSE);
  TestPane empty;
  EXPECT_EQ(empty.HasDrawerData(1, &has), E_FAIL);
}

TEST_F(PaintingTest, RedrawingALaneDrawsThatLayerOfTheRecordAtTheStart) {
  Open({3000, 2000}, 2);
  PaintAll();
  ForgetDraws();
  pane->RedrawLane(2, false, 0, nullptr, 1, true);
  EXPECT_TRUE(traces[0]->draws.empty());
  ASSERT_EQ(traces[1]->draws.size(), 1u);
  EXPECT_EQ(SpanOf(traces[1]->draws[0]), (std::array<LONGLONG, 5>{0, 300, 0, 0, 1}));
  EXPECT_EQ(traces[1]->drawFlags[0], kBufferedSegment | 0x00400000);
  const LaneRecord& lane = pane->ChannelPaneAt(1)->LaneAt(2);
  EXPECT_EQ(lane.spanFrom, 0);
  EXPECT_EQ(lane.spanTo, 300);
  EXPECT_TRUE(lane.flags & kLaneWholeRedraw);

  // On a window DC the redrawn lane reaches the window at once.
  ForgetDraws();
  WindowSurface surface(kPaintPaneSize.cx, kPaintPaneSize.cy);
  pane->RedrawLane(2, true, 0, surface.Dc(), -1, false);
  EXPECT_EQ(traces[0]->drawFlags, (std::vector<DWORD>{0}));
  EXPECT_EQ(surface.At(100, MidRow(0)), kPaintRed);
  EXPECT_EQ(surface.At(100, MidRow(1)), kPaintRed);
  ForgetDraws();
  pane->RedrawLane(2, true, 0, surface.Dc(), 5, false);
  EXPECT_TRUE(traces[0]->draws.empty() && traces[1]->draws.empty());
}

}  // namespace
