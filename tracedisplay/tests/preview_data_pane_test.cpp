#include <array>
#include <cmath>

#include "core/com_ptr.h"
#include "host/traces/axis_adjuster.h"
#include "tracedisplay/tests/preview_test_pane.h"
#include "tracedisplay/tests/range_drawer.h"

using namespace PendrelDraw;
using PendrelHost::AxisAdjuster;

namespace {

class PreviewDataPaneTest : public TraceDisplayTest {};

TEST_F(PreviewDataPaneTest, LanesShowTheChannelOfTheirIndexUpToTheChannelPaneCount) {
  TestPreviewPane pane(nullptr);
  pane.SetLaneCount(3);
  const PaneChannelPolicy& policy = pane;
  struct Case {
    LONG lane;
    PendrelChannelRef channel;
    LONG checked;
  };
  const Case cases[] = {
      {0, {0, 0xC0000000}, 0},  {2, {2, 0xC0000000}, 2},
      {3, kNoChannel, kNoLane},  // the channel-pane count itself is past the last lane
      {7, kNoChannel, kNoLane}, {-1, kNoChannel, kNoLane},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lane);
    EXPECT_EQ(policy.ChannelOfLanePair(c.lane), c.channel);
    EXPECT_EQ(policy.CheckLane(c.lane), c.checked);
    EXPECT_EQ(pane.ChannelOfLane(c.lane), LONG(c.channel.index));
    const PendrelChannelRef pair = {DWORD(c.lane), 5};
    const PendrelChannelRef mapped = c.checked == kNoLane ? kNoChannel : pair;
    EXPECT_EQ(policy.ChannelOfPair(pair), mapped);
    EXPECT_EQ(policy.ChannelOfSubPair(pair), mapped);
  }
}

// Channel pane 0 of a preview with both axes and a drawer of each kind reporting its data.
class PreviewStackTest : public TraceDisplayTest {
 protected:
  void SetUp() override {
    TraceDisplayTest::SetUp();
    pane.SetLaneCount(1);
    pane.SetPaneSize({300, 200});
    Band().CreateScales(0, 0);
    Band().AttachScales();
  }
  ChannelPane& Band() { return *pane.ChannelPaneAt(0); }
  AxisAdjuster& Axis(LONG axis) { return *static_cast<AxisAdjuster*>(Band().Adjuster(axis)); }
  void SetExtents(std::array<double, 2> first, std::array<double, 2> second) {
    drawers[0] = Quor::ComPtr<RangeDrawer>(new RangeDrawer(first[0], first[1]));
    drawers[1] = Quor::ComPtr<RangeDrawer>(new RangeDrawer(second[0], second[1]));
    for (LONG kind = 1; kind <= 2; ++kind) {
      pane.SetPaneDrawerSource(0, kind, Band().Adjuster(kind), drawers[kind - 1].Get());
      const double start[2] = {-1.0, 1.0};
      Axis(kind).SetRange(start);
    }
  }
  std::array<double, 2> Range(LONG axis) { return {Axis(axis).Low(), Axis(axis).High()}; }

  TestPreviewPane pane{nullptr};
  Quor::ComPtr<RangeDrawer> drawers[2];
};

TEST_F(PreviewStackTest, StackingPutsTheFirstTraceAboveTheSecond) {
  SetExtents({0.0, 2.0}, {10.0, 14.0});
  Band().pendingRange = 3;
  pane.SetTraceMode(kTraceModeStack, 0);
  // Each trace keeps its own span and takes half of its axis: the first the upper half.
  EXPECT_EQ(Range(1), (std::array<double, 2>{-2.0, 2.0}));
  EXPECT_EQ(Range(2), (std::array<double, 2>{10.0, 18.0}));
  EXPECT_EQ(Band().pendingRange, 0u);
}

TEST_F(PreviewStackTest, StackingASingleValuedExtentLeavesBothRangesUnchanged) {
  SetExtents({3.0, 3.0}, {-5.0, -5.0});
  Band().pendingRange = 3;
  pane.SetTraceMode(kTraceModeStack, 0);
  EXPECT_EQ(Range(1), (std::array<double, 2>{-1.0, 1.0}));
  EXPECT_EQ(Range(2), (std::array<double, 2>{-1.0, 1.0}));
  EXPECT_EQ(Band().pendingRange, 3u);
}

TEST_F(PreviewStackTest, SourceOnlyHidesAndShowsTheSecondTraceThroughTheCallback) {
  TestPreviewPane buttons(nullptr, true);
  buttons.SetTraceMode(kTraceModeSourceOnly, 1);
  buttons.SetTraceMode(kTraceModeSourceOnly, 2);
  buttons.SetTraceMode(kTraceModeSourceOnly, 0);
  buttons.SetTraceMode(16, 1);
  EXPECT_EQ(buttons.traceCallbacks, (std::vector<DWORD>{0, 1}));
}

class PreviewPlacementTest : public TraceDisplayTest {
 protected:
  // A preview whose only lane has a label area `labelWidth` wide on the left.
  void Attach(TestPreviewPane& pane, LONG labelWidth) {
    pane.SetLaneCount(1);
    label = Quor::ComPtr<RecordingDrawer>(new RecordingDrawer(0x101));
    label->leftWidth = labelWidth;
    pane.AddDrawerToPane(0, label.Get(), 0);
    pane.AttachWindow(nullptr, nullptr);
  }
  Quor::ComPtr<RecordingDrawer> label;
};

TEST_F(PreviewPlacementTest, ThePaneRectangleReachesTheBaseWithOrWithoutControls) {
  TestPreviewPane pane(nullptr);
  pane.SetLaneCount(1);
  const RECT rect = {10, 20, 410, 220};
  pane.SetPaneRect(rect);
  EXPECT_EQ(Box(pane.GetPaneRect()), Box(rect));
  ASSERT_EQ(pane.windowPlaces.size(), 1u);
  EXPECT_EQ(pane.windowPlaces[0].left, 10);
}

TEST_F(PreviewPlacementTest, TheTraceControlNeverOverlapsTheTraces) {
  for (const LONG labelWidth : {0L, 100L}) {
    SCOPED_TRACE(labelWidth);
    TestPreviewPane pane(nullptr, true);
    Attach(pane, labelWidth);
    ASSERT_NE(pane.Trace(), nullptr);
    pane.SetPaneRect({10, 20, 410, 220});
    const RECT window = pane.windowPlaces.back();
    pane.SetPaneSize({window.right - window.left, window.bottom - window.top});
    const RECT trace = pane.Trace()->rect;
    EXPECT_EQ(trace.left, 10);
    EXPECT_LE(trace.right + 2, window.left);
    // The sampling control stands right of the traces on the zoom control's row.
    const RECT sampling = pane.Sampling()->rect;
    EXPECT_EQ(sampling.left, window.right + 5);
    EXPECT_EQ(sampling.top, trace.top);
  }
}

}  // namespace
