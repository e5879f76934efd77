// Where a lane's traces land when its axis is auto-scaled, given a range or dragged: a real
// trace drawer over host data is painted and its rows are compared with rows computed here from
// the samples and the lane's rectangle alone.
#include "tracedisplay/panes/lane_scale.h"

#include <cmath>
#include <memory>
#include <vector>

#include "host/document/data_document.h"
#include "host/traces/axis_adjuster.h"
#include "host/traces/trace_data_source.h"
#include "tracedisplay/drawers/polyline_trace_drawer.h"
#include "tracedisplay/tests/drawing_canvas.h"
#include "tracedisplay/tests/lane_rows.h"
#include "tracedisplay/tests/preview_test_pane.h"
#include "tracedisplay/tests/trace_display_test.h"

using namespace PendrelDraw;

namespace {

constexpr COLORREF kLaneTrace = RGB(200, 0, 0);
// 500 data columns at 10 ticks per pixel: 5000 ticks at 1 kHz.
constexpr SIZE kLanePaneSize = {502, 300};
constexpr LONG kTicksPerColumn = 10;
// The samples are flat over runs of 100 columns: the middle value, the highest, the lowest and
// the middle value again.
constexpr double kMiddle = 1.0;
constexpr double kHighest = 5.0;
constexpr double kLowest = -3.0;
constexpr LONG kRunColumns = 100;

float SampleAtColumn(LONG column) {
  switch (column / kRunColumns) {
    case 1:
      return float(kHighest);
    case 2:
      return float(kLowest);
    default:
      return float(kMiddle);
  }
}

// The second channel's runs lie elsewhere: ten times the first's, plus 100.
double SecondOf(double value) { return 10.0 * value + 100.0; }

PendrelHost::Recording RunsRecording() {
  PendrelHost::Recording recording(1000.0);
  recording.AddChannel({"Runs", "V"});
  recording.AddChannel({"Runs elsewhere", "V"});
  std::vector<float> samples(std::size_t(kLanePaneSize.cx - 2) * kTicksPerColumn),
      second(samples.size());
  for (std::size_t t = 0; t < samples.size(); ++t) {
    samples[t] = SampleAtColumn(LONG(t) / kTicksPerColumn);
    second[t] = float(SecondOf(samples[t]));
  }
  const std::size_t record = recording.AddRecord(0.0);
  recording.AppendSamples(record, {samples, second});
  recording.CloseRecord(record);
  return recording;
}

// The row of a value in a lane of `height` rows that shows [low, high]: the range's ends on the
// centres of the first and the last row, the value in proportion between them, to the nearest
// row.
long ExpectedRow(double value, double low, double high, long height) {
  return long(std::floor((high - value) / (high - low) * double(height - 1) + 0.5));
}

class LaneScaleTest : public TraceDisplayTest {
 protected:
  void SetUp() override {
    TraceDisplayTest::SetUp();
    pane->SetStyleFlags(0x80000000);
    pane->SetLaneCount(1);
    pane->AttachWindow(nullptr, nullptr);
    pane->SetPaneSize(kLanePaneSize);
    pane->SetBackgroundColour(RGB(255, 255, 255));
    Band().CreateScales(0, 0);
    Band().AttachScales();
    TraceDrawerInit init;
    init.laneKind = 1;
    init.colour = &kLaneTrace;
    trace = Quor::ComPtr<PolyLineTraceDrawer>(new PolyLineTraceDrawer(init));
    pane->AddDrawerToPane(0, trace.Get(), 0);
    pane->SetPaneDrawerSource(0, 1, Band().Adjuster(1), trace.Get());
    pane->FlushPendingUpdates();
  }
  ChannelPane& Band() { return *pane->ChannelPaneAt(0); }
  PendrelHost::AxisAdjuster& Axis() {
    return *static_cast<PendrelHost::AxisAdjuster*>(Band().Adjuster(1));
  }
  std::unique_ptr<DrawingCanvas> Painted() {
    auto canvas = std::make_unique<DrawingCanvas>(kLanePaneSize.cx, kLanePaneSize.cy);
    canvas->Clear(RGB(255, 255, 255));
    pane->FlushPendingUpdates();
    pane->MarkAllForRedraw();
    pane->Paint(canvas->Dc(), {0, 0, kLanePaneSize.cx, kLanePaneSize.cy}, 0);
    return canvas;
  }
  // The client x of the middle column of a run (0 to 3).
  LONG RunColumn(LONG run) const {
    const LONGLONG pixel = run * kRunColumns + kRunColumns / 2;
    return LONG(pixel - pane->GetScrollPosition() + pane->DataWidth() + pane->BorderWidth());
  }
  // The trace's rows in a run, relative to the lane's top.
  std::vector<int> RowsInRun(const DrawingCanvas& canvas, LONG run) {
    std::vector<int> rows = canvas.RowsOf(RunColumn(run), kLaneTrace);
    for (int& row : rows) row -= Band().rect.top;
    return rows;
  }

  Tarn::HeldReference<IUnknown> document = PendrelHost::OpenDocument(RunsRecording());
  Tarn::HeldReference<IPendrelTraceDataSource> source{
      PendrelHost::CreateTraceDataSource(document.get())};
  std::unique_ptr<TestPane> pane = std::make_unique<TestPane>(source.get());
  Quor::ComPtr<PolyLineTraceDrawer> trace;
};

TEST_F(LaneScaleTest, AnAutoScaledTraceCoversExactlyTheRowsOfItsLane) {
  Band().autoScale[0] = true;
  pane->Invalidate(kRedrawLayout);
  const auto canvas = Painted();
  const long height = Band().Height();
  ASSERT_GT(height, 100);
  EXPECT_EQ(RowsInRun(*canvas, 1), std::vector<int>{0}) << "the highest value on the top row";
  EXPECT_EQ(RowsInRun(*canvas, 2), std::vector<int>{int(height - 1)}) << "the lowest on the last";
  const std::vector<int> middle{int(ExpectedRow(kMiddle, kLowest, kHighest, height))};
  EXPECT_EQ(RowsInRun(*canvas, 0), middle);
  EXPECT_EQ(RowsInRun(*canvas, 3), middle);
  // Nothing of the trace strays outside the lane.
  const RECT lane = Band().rect;
  for (LONG x = lane.left; x < lane.right; ++x) {
    for (const int y : canvas->RowsOf(x, kLaneTrace)) {
      ASSERT_TRUE(y >= lane.top && y < lane.bottom) << x << ", " << y;
    }
  }
}

TEST_F(LaneScaleTest, ARangeGivenOrDraggedPutsAValueOnItsRow) {
  enum class Way { ScaleRange, PrefixedAxisRange, Drag };
  const struct {
    Way way;
    double low, high;  // the range the lane shows afterwards, in the channel's units
  } cases[] = {
      {Way::ScaleRange, -10.0, 10.0}, {Way::PrefixedAxisRange, -2.0, 6.0}, {Way::Drag, -5.0, 15.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.way));
    const double given[2] = {-10.0, 10.0};
    switch (c.way) {
      case Way::ScaleRange:
        ASSERT_EQ(Band().SetScaleRange(1, given), S_OK);
        break;
      case Way::PrefixedAxisRange: {
        // Millis: the axis shows the range a thousand times over, the trace stays in volts.
        ASSERT_EQ(Band().SetAxisUnitPrefix(1, 7), S_OK);
        const double volts[2] = {c.low, c.high};
        ASSERT_TRUE(Band().ApplyAxisRange(1, volts, true, false));
        EXPECT_EQ(Axis().High(), 6000.0);
        break;
      }
      case Way::Drag:
        ASSERT_EQ(Band().SetAxisUnitPrefix(1, 8), S_OK);
        ASSERT_EQ(Band().SetScaleRange(1, given), S_OK);
        Axis().Drag(0.25);
        break;
    }
    const auto canvas = Painted();
    const long height = Band().Height();
    EXPECT_EQ(RowsInRun(*canvas, 1),
              std::vector<int>{int(ExpectedRow(kHighest, c.low, c.high, height))});
    EXPECT_EQ(RowsInRun(*canvas, 0),
              std::vector<int>{int(ExpectedRow(kMiddle, c.low, c.high, height))});
  }
}

TEST_F(LaneScaleTest, ANewHeightRescalesTheDrawers) {
  const double range[2] = {kLowest, kHighest};
  ASSERT_EQ(Band().SetScaleRange(1, range), S_OK);
  pane->SetPaneSize({kLanePaneSize.cx, kLanePaneSize.cy - 100});
  const auto canvas = Painted();
  EXPECT_EQ(RowsInRun(*canvas, 2), std::vector<int>{int(Band().Height() - 1)});
  EXPECT_EQ(RowsInRun(*canvas, 1), std::vector<int>{0});
}

// The trace control's stacking over two real traces, one per axis of a preview's lane.
TEST_F(LaneScaleTest, StackedTracesLieInTheUpperAndLowerHalvesOfTheLane) {
  TestPreviewPane preview(source.get());
  preview.SetStyleFlags(0x80000000);
  preview.SetLaneCount(1);
  preview.AttachWindow(nullptr, nullptr);
  preview.SetPaneSize(kLanePaneSize);
  preview.SetBackgroundColour(RGB(255, 255, 255));
  ChannelPane& band = *preview.ChannelPaneAt(0);
  band.CreateScales(0, 0);
  band.AttachScales();
  // The first axis shows millis: the stacking must not scale its trace twice.
  band.SetAxisUnitPrefix(1, 7);
  const COLORREF colours[2] = {kLaneTrace, RGB(0, 0, 200)};
  std::vector<Quor::ComPtr<PolyLineTraceDrawer>> traces;
  for (LONG kind = 1; kind <= 2; ++kind) {
    TraceDrawerInit init;
    init.laneKind = kind;
    init.colour = &colours[kind - 1];
    init.channelIndex = kind - 1;
    traces.emplace_back(new PolyLineTraceDrawer(init));
    preview.AddDrawerToPane(0, traces.back().Get(), 0);
    preview.SetPaneDrawerSource(0, kind, band.Adjuster(kind), traces.back().Get());
  }
  preview.FlushPendingUpdates();
  preview.SetTraceMode(kTraceModeStack, 0);

  DrawingCanvas canvas(kLanePaneSize.cx, kLanePaneSize.cy);
  canvas.Clear(RGB(255, 255, 255));
  preview.FlushPendingUpdates();
  preview.MarkAllForRedraw();
  preview.Paint(canvas.Dc(), {0, 0, kLanePaneSize.cx, kLanePaneSize.cy}, 0);
  const auto rows = [&](LONG run, COLORREF colour) {
    const LONGLONG pixel = run * kRunColumns + kRunColumns / 2;
    const LONG x =
        LONG(pixel - preview.GetScrollPosition() + preview.DataWidth() + preview.BorderWidth());
    std::vector<int> found = canvas.RowsOf(x, colour);
    for (int& row : found) row -= band.rect.top;
    return found;
  };
  const long height = band.Height();
  // Where the traces meet: the middle row (one of the two when they are even).
  const auto middle = [height](const std::vector<int>& found) {
    return found.size() == 1 && std::abs(2 * long(found[0]) - (height - 1)) <= 1;
  };
  EXPECT_EQ(rows(1, colours[0]), std::vector<int>{0}) << "the first trace's highest on top";
  EXPECT_TRUE(middle(rows(2, colours[0]))) << "and its lowest in the middle";
  EXPECT_TRUE(middle(rows(1, colours[1]))) << "the second's highest in the middle";
  EXPECT_EQ(rows(2, colours[1]), std::vector<int>{int(height - 1)})
      << "and its lowest at the bottom";
}

TEST(LaneScaleOfRange, EmptyRangesAndLanesGiveNoScale) {
  LaneScale scale;
  const struct {
    double low, high;
    long height;
  } refused[] = {
      {1.0, 1.0, 50}, {2.0, 1.0, 50}, {0.0, INFINITY, 50}, {0.0, NAN, 50}, {0.0, 1.0, 0}};
  for (const auto& c : refused) EXPECT_FALSE(LaneScaleOfRange(c.low, c.high, c.height, &scale));
  // One row holds the whole range.
  ASSERT_TRUE(LaneScaleOfRange(-1.0, 1.0, 1, &scale));
  EXPECT_TRUE(SpansLane({scale.gain, scale.offset}, -1.0, 1.0, 1));
  // Far from zero the ends still land on the first and last rows.
  ASSERT_TRUE(LaneScaleOfRange(1e6, 1e6 + 0.003, 97, &scale));
  EXPECT_TRUE(SpansLane({scale.gain, scale.offset}, 1e6, 1e6 + 0.003, 97));
}

}  // namespace
