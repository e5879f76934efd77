#include <sstream>

#include "core/bin_istream.h"
#include "core/bin_ostream.h"
#include "core/com_ptr.h"
#include "core/time_formatter.h"
#include "core/xquor.h"
#include "host/tests/traces/record_lengths_source.h"
#include "host/traces/trace_data_source.h"
#include "host/traces/trace_data_view.h"
#include "platform/owl/application.h"
#include "tracedisplay/tests/drawing_canvas.h"
#include "tracedisplay/tests/trace_display_test.h"
#include "tracedisplay/timescale/time_label_drawer.h"

using namespace PendrelDraw;
using Quor::TimeFormatter;

namespace {

constexpr COLORREF kScaleWhite = RGB(255, 255, 255);
constexpr COLORREF kScaleBlack = RGB(0, 0, 0);

TEST(TickLayoutTest, ShortestIntervalsGiveRoundMajorIntervalsAndMinorTicks) {
  const struct {
    double shortest;
    double major;
    LONG minor;  // with room to spare
  } cases[] = {
      {3.0, 5.0, 5},           // decimal step of 5
      {14.9, 20.0, 4},         // decimal step of 2
      {15.0, 30.0, 6},         // half a minute: a whole unit
      {450.0, 600.0, 5},       // ten minutes
      {899.0, 1200.0, 4},      // twenty minutes
      {900.0, 3600.0, 6},      // one hour
      {3601.0, 7200.0, 4},     // two hours
      {14400.0, 21600.0, 6},   // six hours: a whole unit
      {86400.0, 86400.0, 6},   // one day
      {86401.0, 172800.0, 4},  // two days
  };
  for (const auto& c : cases) {
    const MajorInterval major = ChooseMajorInterval(c.shortest);
    EXPECT_DOUBLE_EQ(major.seconds, c.major) << c.shortest;
    EXPECT_EQ(MinorTicksPerMajor(major, 1000.0, 6), c.minor) << c.shortest;
    // Minor ticks closer than trunc(3 w) pixels give way to 2.
    EXPECT_EQ(MinorTicksPerMajor(major, 17.0 * c.minor, 6), 2) << c.shortest;
    EXPECT_EQ(MinorTicksPerMajor(major, 18.0 * c.minor, 6), c.minor) << c.shortest;
  }
}

TEST(TickLayoutTest, LayoutAcrossThePane) {
  // w = 6 at 0.01 s per pixel: the shortest interval is 108 pixels, 1.08 s, so 2 s.
  const TickLayout layout = ComputeTickLayout(6, 0.01, 600);
  EXPECT_DOUBLE_EQ(layout.major.seconds, 2.0);
  EXPECT_DOUBLE_EQ(layout.majorPixels, 200.0);
  EXPECT_EQ(layout.minorPerMajor, 4);
  EXPECT_DOUBLE_EQ(layout.minorSpacing, 50.0);
  EXPECT_EQ(layout.majorCount, 4);
  EXPECT_DOUBLE_EQ(layout.coveredTime, 8.0);
}

TEST(TickLayoutTest, LabelsMoveToEveryOtherMajorTickWhenTheyCrowd) {
  EXPECT_EQ(LabelInterval(8, 6, 61.0), 1);
  EXPECT_EQ(LabelInterval(8, 6, 60.0), 2);
  EXPECT_EQ(LabelInterval(12, 6, 200.0), 1);
}

TEST(TimeLabelTextTest, LabelsFollowTheDisplayMode) {
  using F = TimeFormatter;
  // Relative and plain seconds are elapsed times; milliseconds count the thousandths.
  EXPECT_EQ(TimeLabelText(F::kRelativeMode, 3725.5), TimeLabelText(F::kElapsedMode, 3725.5));
  EXPECT_EQ(TimeLabelText(F::kElapsedMode | F::kMilliseconds, 1.5), u"1500");
  // Clock hours are taken modulo 24.
  EXPECT_EQ(TimeLabelText(F::kClockTimeMode, 25 * 3600.0 + 60.0),
            TimeLabelText(F::kClockTimeMode, 3600.0 + 60.0));
  EXPECT_NE(TimeLabelText(F::kElapsedMode, 25 * 3600.0), TimeLabelText(F::kElapsedMode, 3600.0));
  // Clock times are never milliseconds.
  EXPECT_EQ(TimeLabelText(F::kClockTimeMode | F::kMilliseconds, 1.5),
            TimeLabelText(F::kClockTimeMode, 1.5));
}

class TimeScaleTest : public TraceDisplayTest {
 protected:
  void SetUp() override {
    TraceDisplayTest::SetUp();
    source.reset(new PendrelHost::TraceDataSource(&records, nullptr));
    source->AddRef();
    pane = std::make_unique<TestPane>(source.get());
    pane->SetLaneCount(1);
    pane->SetPaneSize({602, 200});
  }

  TimeScale& Scale() { return pane->GetTimeScale(); }
  TimeLabelDrawer& Labels() { return *static_cast<TimeLabelDrawer*>(Scale().Drawers().front()); }
  PendrelHost::TraceDataView& View() {
    return *static_cast<PendrelHost::TraceDataView*>(pane->DataView());
  }
  // Draws the whole of record 0's first 600 pixels on a surface of the scale's size.
  void DrawLabels(DrawingCanvas& surface, LONGLONG first = 0) {
    const RECT band{0, 0, surface.Width(), surface.Height()};
    Labels().SetExtent(0, &band);
    DrawSpan span;
    span.first = first;
    span.end = first + surface.Width();
    span.clip = band;
    EXPECT_EQ(Labels().Draw(surface.Dc(), &span, 0), S_OK);
  }
  // Whether any pixel of the columns [from, to) below the ticks is inked.
  static bool InkBelowTicks(const DrawingCanvas& surface, int from, int to) {
    for (int y = 3; y < surface.Height(); ++y)
      for (int x = from; x < to; ++x)
        if (surface.At(x, y) != kScaleWhite) return true;
    return false;
  }

  // One record of 60 s at 1 kHz: 10 ticks per pixel is 0.01 s per pixel.
  RecordLengthsSource records{{60000}, 0.001};
  Tarn::HeldReference<IPendrelTraceDataSource> source;
  std::unique_ptr<TestPane> pane;
};

TEST_F(TimeScaleTest, TicksAndLabelsStandWhereTheTimesFall) {
  DrawingCanvas surface(600, 20);
  surface.Clear(RGB(10, 20, 30));
  DrawLabels(surface);
  // Every 50 pixels a tick: 3 pixels long at each 2 s, 1 pixel between.
  for (int x = 0; x < 600; ++x) {
    const int length = x % 200 == 0 ? 3 : x % 50 == 0 ? 1 : 0;
    ASSERT_EQ(surface.RowsOf(x, kScaleBlack).size() >= std::size_t(length), true) << x;
    for (int y = 0; y < 3; ++y)
      ASSERT_EQ(surface.At(x, y), y < length ? kScaleBlack : kScaleWhite) << x << "," << y;
  }
  // Labels under the major ticks only; the band is white elsewhere.
  EXPECT_TRUE(InkBelowTicks(surface, 190, 211));
  EXPECT_TRUE(InkBelowTicks(surface, 390, 411));
  EXPECT_FALSE(InkBelowTicks(surface, 80, 120));
  EXPECT_FALSE(InkBelowTicks(surface, 280, 320));
  EXPECT_EQ(Labels().LabelEvery(), 1);
  EXPECT_EQ(Scale().LabelState(), TimeFormatter::kElapsedMode);
}

TEST_F(TimeScaleTest, ASpanLaterInTheRecordContinuesTheTicks) {
  DrawingCanvas whole(600, 20), later(300, 20);
  DrawLabels(whole);
  DrawLabels(later, 275);
  // The ticks of pixels 275 .. 575 are where the whole draw has them.
  for (int x = 0; x < 300; ++x) {
    for (int y = 0; y < 3; ++y) ASSERT_EQ(later.At(x, y), whole.At(x + 275, y)) << x;
  }
}

TEST_F(TimeScaleTest, FineSpansCountMillisecondsOutsideClockTime) {
  QuorRational oneTickPerPixel(1, 1);
  pane->SetCompression(oneTickPerPixel, nullptr, false);
  DrawingCanvas band(600, 20);
  DrawLabels(band);
  EXPECT_EQ(Scale().LabelState(), TimeFormatter::kElapsedMode | kLabelsInMilliseconds);
  // The caption stands at the right end of the band.
  DrawingCanvas window(602, 200);
  Scale().Paint(window.Dc(), 0, false);
  const RECT r = Scale().rect;
  EXPECT_FALSE(window.InkedColumns(r.top + 8).empty());
  EXPECT_GT(window.InkedColumns(r.top + 8).front(), r.right - 40);

  View().TimeBase().SetMode(3);
  DrawLabels(band);
  EXPECT_EQ(Scale().LabelState(), DWORD(TimeFormatter::kClockTimeMode));
  DrawingCanvas clockWindow(602, 200);
  Scale().Paint(clockWindow.Dc(), 0, false);
  for (int y = r.top; y < r.bottom; ++y) ASSERT_TRUE(clockWindow.InkedColumns(y).empty()) << y;
}

TEST_F(TimeScaleTest, NumberedMarksAreNumberedAsTheirSpacingAllows) {
  // Marks at pixels 100, 200, 300.
  const std::vector<PendrelHost::MarkPlace> places = {{0, 1000}, {0, 2000}, {0, 3000}};
  const struct {
    LONGLONG total;
    LONG unit;
    std::vector<bool> numbered;
  } cases[] = {
      {5100, 100, {true, true, true}},    // r = 51
      {2600, 100, {false, true, false}},  // r = 26: every second
      {1100, 100, {false, false, false}}, // r = 11: every fifth
      {5100, 0, {false, false, false}},   // no unit: none, and nothing divides by it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.unit == 0 ? -1 : c.total / c.unit);
    View().Marks().Set(places, c.total, c.unit);
    DrawingCanvas surface(600, 20);
    DrawLabels(surface);
    for (std::size_t i = 0; i < places.size(); ++i) {
      const int x = 100 * int(i + 1);
      // Every mark is drawn; a numbered one in a box wider than the bare mark.
      EXPECT_EQ(surface.At(x, 17), kScaleBlack) << i;
      EXPECT_EQ(surface.At(x - 3, 17) == kScaleBlack, c.numbered[i]) << i;
    }
  }
}

TEST_F(TimeScaleTest, HeightAndMarginsComeFromTheLabelFont) {
  // Injected metrics: 15 pixels of text and 5 of room.
  EXPECT_EQ(Scale().ScaleHeight(), 20);
  DWORD flags = 1;
  LONG left = 0, right = 0;
  Labels().GetCapabilities(0, &flags, &left, &right, 0);
  EXPECT_EQ(flags, 0u);
  EXPECT_GT(left, 20);
  EXPECT_EQ(left, Scale().LabelWidth(nullptr) / 2);
  EXPECT_EQ(right, left);
}

TEST_F(TimeScaleTest, LabelFontIsTwelvePointsForChineseAndJapanese) {
  ASSERT_EQ(OWL::GetApplicationObject(), nullptr);
  const auto heightFor = [](LANGID id) {
    OWL::TApplication application(id);
    TestPane local;
    LOGFONTW font = {};
    GetObjectW(local.GetTimeScale().LabelFont(), sizeof font, &font);
    return font.lfHeight;
  };
  EXPECT_EQ(heightFor(0x0409), 13);
  EXPECT_EQ(heightFor(0x0411), 16);
  EXPECT_EQ(heightFor(0x0804), 16);
}

TEST_F(TimeScaleTest, PrintingMakesTheLabelFontForThePrinter) {
  const auto height = [&] {
    LOGFONTW font = {};
    GetObjectW(Scale().LabelFont(), sizeof font, &font);
    return std::abs(font.lfHeight);
  };
  const LONG screen = height();
  const auto printerAt192 = [] {
    DotsPerInchForTest dpi(192);
    return std::make_unique<DrawingCanvas>(10, 10);
  };
  const auto printer = printerAt192();
  pane->BeginPrint(reinterpret_cast<LONG_PTR>(printer->Dc()));
  EXPECT_GE(height(), 2 * screen - 1);
  pane->EndPrint();
  EXPECT_EQ(height(), screen);
}

TEST_F(TimeScaleTest, StoredVersionTwoIsReadAndThreeRefused) {
  std::stringbuf written;
  Quor::BinOStream out(&written);
  Scale().SaveState(out);
  out.Flush();
  EXPECT_EQ(written.str(), std::string("\x02\0\0\0", 4));
  Quor::BinIStream in(&written);
  EXPECT_NO_THROW(Scale().LoadState(in));
  std::stringbuf newer(std::string("\x03\0\0\0", 4));
  Quor::BinIStream newerIn(&newer);
  try {
    Scale().LoadState(newerIn);
    ADD_FAILURE() << "a newer state was read";
  } catch (const XQuor& error) {
    EXPECT_EQ(DWORD(error.Code()), 0xA0048205u);
  }
}

TEST_F(TimeScaleTest, AnEmptiedScaleMakesItsLabelDrawerAgain) {
  Scale().RemoveDrawers(0, LONG(0x80000000), LONG(0xC0000000));
  ASSERT_EQ(Scale().Drawers().size(), 1u);
  DWORD id = 0;
  Scale().Drawers().front()->GetId(&id);
  EXPECT_EQ(id, 1u);
  // A clone belongs to no scale; a null out-pointer is no error.
  EXPECT_EQ(Labels().Clone(0, nullptr), S_OK);
  Quor::ComPtr<IPendrelRecordDrawer> copy;
  ASSERT_EQ(Labels().Clone(0, Quor::ComPtrOut<IPendrelRecordDrawer>::Bind(copy)), S_OK);
  EXPECT_NE(copy.Get(), nullptr);
}

}  // namespace
