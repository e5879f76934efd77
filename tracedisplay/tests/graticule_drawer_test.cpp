#include <memory>
#include <string>
#include <vector>

#include "host/document/data_document.h"
#include "host/traces/axis_adjuster.h"
#include "host/traces/channel_display_settings.h"
#include "host/traces/trace_data_source.h"
#include "platform/win32/metafile.h"
#include "platform/win32/monitors.h"
#include "tracedisplay/drawers/colour_conversion.h"
#include "tracedisplay/drawers/graticule_drawer.h"
#include "tracedisplay/tests/drawing_canvas.h"
#include "tracedisplay/tests/trace_display_test.h"

using namespace PendrelDraw;

namespace {

constexpr int kGridWidth = 200;
constexpr int kGridHeight = 256;
// Values -4 to 4 fill the lane: row = 128 - 32 v. The scale's labelled values are every 2 (rows
// 0, 64, 128, 192), its minor ones every 0.5 (every 16 rows).
constexpr double kGridScale[2] = {-32.0, -4.0};
constexpr COLORREF kGridColour = RGB(120, 140, 200);
// Minor lines every 10 pixels from 5, a major one every fifth.
constexpr TimeGrid kTimeGrid = {5.0, 5.0, 10.0, 5};

// One record of one channel at 1 kHz.
PendrelHost::Recording GraticuleRecording() {
  PendrelHost::Recording recording(1000.0);
  recording.AddChannel({"Signal", "mV"});
  recording.AddRecord(0.0);
  std::vector<std::vector<float>> channels = {std::vector<float>(5000, 0.0f)};
  recording.AppendSamples(0, std::move(channels));
  recording.CloseRecord(0);
  return recording;
}

class GraticuleDrawerTest : public TraceDisplayTest {
 protected:
  void SetUp() override {
    TraceDisplayTest::SetUp();
    m_document = PendrelHost::OpenDocument(GraticuleRecording());
    m_source.Attach(PendrelHost::CreateTraceDataSource(m_document.get()));
    ASSERT_EQ(m_source->CreateDataView(Quor::ComPtrOut<IPendrelTraceDataView>::Bind(m_view)), S_OK);
    m_scale.Attach(new PendrelHost::AxisAdjuster({}));
    m_scale->AddRef();
    const double range[2] = {-4.0, 4.0};
    m_scale->SetRange(range);
  }

  // A graticule over the whole canvas lane, scaled; `scaled` false leaves it without ticks.
  Quor::ComPtr<GraticuleDrawer> MakeGraticule(DWORD options = 0, bool scaled = true,
                                              const double* scale = kGridScale) {
    Quor::ComPtr<GraticuleDrawer> drawer(new GraticuleDrawer(0, options, kGridColour, 0, 0, 0));
    drawer->SetUnits(&pane);
    drawer->Attach(0, m_view.Get());
    const RECT lane = {0, 0, kGridWidth, kGridHeight};
    drawer->SetExtent(1, &lane);
    drawer->SetTimeRange(1, 0, scale,
                         scaled ? static_cast<IPendrelAxisAdjuster*>(m_scale.Get()) : nullptr);
    return drawer;
  }

  static void DrawAll(GraticuleDrawer* drawer, DrawingCanvas& canvas, const TimeGrid& time = kTimeGrid,
                      LONGLONG origin = 0, DWORD flags = 0) {
    DrawSpan span = {0, kGridWidth, origin, 0, 0, canvas.Rect()};
    span.timeGrid = time;
    EXPECT_EQ(drawer->Draw(canvas.Dc(), &span, flags), S_OK);
  }

  PendrelHost::TraceRecordData& RecordData() {
    return static_cast<PendrelHost::TraceDataSource*>(m_source.Get())->RecordData();
  }

  static COLORREF MinorColour(double amount = 0.15) { return AdjustBrightness(kGridColour, amount); }
  static COLORREF MajorColour(COLORREF minor = MinorColour()) {
    return AdjustBrightness(kGridColour, std::min(HsvColour::FromColour(minor).saturation / 1.6, 0.35));
  }

  TestPane pane;
  Quor::ComPtr<PendrelHost::AxisAdjuster> m_scale;
  Tarn::HeldReference<IUnknown> m_document;
  Quor::ComPtr<IPendrelTraceDataSource> m_source;
  Quor::ComPtr<IPendrelTraceDataView> m_view;
};

TEST_F(GraticuleDrawerTest, RowsAndTimeLinesInTheirPassColours) {
  const auto drawer = MakeGraticule();
  DrawingCanvas canvas(kGridWidth, kGridHeight, RGB(0, 0, 0));
  DrawAll(drawer.Get(), canvas);
  const COLORREF white = RGB(255, 255, 255);
  // Column 2 has no time line: the background, with the scale's rows.
  EXPECT_EQ(canvas.At(2, 10), white);
  EXPECT_EQ(canvas.At(2, 64), MajorColour());
  EXPECT_EQ(canvas.At(2, 128), MajorColour());
  EXPECT_EQ(canvas.At(2, 16), MinorColour());
  EXPECT_EQ(canvas.At(2, 240), MinorColour());
  std::vector<int> rows = canvas.MarkedRows(2, white);
  std::vector<int> expected;
  for (int y = 0; y < kGridHeight; y += 16) expected.push_back(y);
  EXPECT_EQ(rows, expected);
  // Time lines every 10 pixels from 5; every fifth is major.
  for (int x = 0; x < kGridWidth; ++x) {
    const bool line = x % 10 == 5;
    const COLORREF expectedAt10 = !line ? white : x % 50 == 5 ? MajorColour() : MinorColour();
    ASSERT_EQ(canvas.At(x, 10), expectedAt10) << x;
  }
  EXPECT_EQ(canvas.MarkedRows(15, white).size(), std::size_t(kGridHeight));
}

TEST_F(GraticuleDrawerTest, TimeLinesFollowTheSpansPosition) {
  const auto drawer = MakeGraticule();
  DrawingCanvas canvas(kGridWidth, kGridHeight);
  // Data pixels 1003 to 1202 from client column 0: lines at pixels 5 mod 10, major at 5 mod 50.
  DrawSpan span = {1003, 1003 + kGridWidth, 1003, 0, 0, canvas.Rect()};
  span.timeGrid = kTimeGrid;
  drawer->Draw(canvas.Dc(), &span, 0);
  EXPECT_EQ(canvas.At(2, 10), MajorColour());   // pixel 1005
  EXPECT_EQ(canvas.At(12, 10), MinorColour());  // pixel 1015
  EXPECT_EQ(canvas.At(52, 10), MajorColour());  // pixel 1055
  EXPECT_EQ(canvas.At(5, 10), RGB(255, 255, 255));
}

TEST_F(GraticuleDrawerTest, NoGridFillsTheLaneWithTheSystemsLightColour) {
  const auto drawer = MakeGraticule(kGraticuleNoGrid);
  DrawingCanvas canvas(kGridWidth, kGridHeight);
  DrawAll(drawer.Get(), canvas);
  EXPECT_EQ(canvas.MarkedRows(15, GetSysColor(COLOR_3DLIGHT)).size(), 0u);
  EXPECT_EQ(canvas.MarkedRows(100, GetSysColor(COLOR_3DLIGHT)).size(), 0u);
  // A record the host shows without a grid, and a scale without ticks, look the same.
  RecordData().SetGridShown(0, 0, false);
  DrawingCanvas hidden(kGridWidth, kGridHeight);
  DrawAll(MakeGraticule().Get(), hidden);
  EXPECT_EQ(hidden.Pixels(), canvas.Pixels());
  RecordData().SetGridShown(0, 0, true);
  const auto tickless = MakeGraticule();
  tickless->SetTimeRange(1, 0, kGridScale, static_cast<IDrawerDataPane*>(&pane));
  DrawingCanvas withoutTicks(kGridWidth, kGridHeight);
  DrawAll(tickless.Get(), withoutTicks);
  EXPECT_EQ(withoutTicks.Pixels(), canvas.Pixels());
}

TEST_F(GraticuleDrawerTest, BitmapsFollowTheLaneHeight) {
  Quor::ComPtr<GraticuleDrawer> drawer(new GraticuleDrawer(0, 0, kGridColour, 0, 0, 0));
  const RECT flat = {0, 10, kGridWidth, 10};
  drawer->SetExtent(1, &flat);
  EXPECT_FALSE(drawer->HasBitmaps());
  const RECT lane = {0, 10, kGridWidth, 50};
  drawer->SetExtent(1, &lane);
  EXPECT_TRUE(drawer->HasBitmaps());
}

TEST_F(GraticuleDrawerTest, DotsStandAtTheRowsOnTheTimeLines) {
  Quor::ComPtr<PendrelHost::ChannelDisplaySettings> settings(new PendrelHost::ChannelDisplaySettings);
  settings->Channel(0).gridStyle = kGridDots;
  settings->Channel(0).gridColour = kGridColour;
  const auto drawer = MakeGraticule();
  drawer->UpdateFromChannel(static_cast<IPendrelChannelDisplaySettings*>(settings.Get()), nullptr, -1);
  drawer->SetTimeRange(1, 0, kGridScale, static_cast<IPendrelAxisAdjuster*>(m_scale.Get()));
  DrawingCanvas canvas(kGridWidth, kGridHeight);
  DrawAll(drawer.Get(), canvas);
  const COLORREF minor = MinorColour(-0.3);
  // No rows between the lines; dots at the minor rows on the lines.
  EXPECT_TRUE(canvas.MarkedRows(2).empty());
  std::vector<int> dots;
  for (int y = 16; y < kGridHeight; y += 16) {
    if (y % 64 != 0) dots.push_back(y);
  }
  EXPECT_EQ(canvas.MarkedRows(15), dots);
  EXPECT_EQ(canvas.At(15, 16), minor);
  EXPECT_EQ(canvas.At(55, 16), MajorColour(minor));
}

TEST_F(GraticuleDrawerTest, TheLatestRecordAndTheRangeOutsideTheScaleHaveTheirColours) {
  const auto drawer = MakeGraticule();
  drawer->SetChannel(0, VARIANT_FALSE);
  DrawingCanvas canvas(kGridWidth, kGridHeight);
  DrawAll(drawer.Get(), canvas, TimeGrid{});
  EXPECT_EQ(canvas.At(3, 10), kLatestRecordBackground);
  // More data to come: the pane's background.
  drawer->SetChannel(0, VARIANT_TRUE);
  DrawAll(drawer.Get(), canvas, TimeGrid{});
  EXPECT_EQ(canvas.At(3, 10), RGB(255, 255, 255));

  // A scale of -2 to 2 leaves rows above 64 and below 192 outside its range.
  const double narrow[2] = {-2.0, 2.0};
  m_scale->SetRange(narrow);
  drawer->SetTimeRange(1, 0, kGridScale, static_cast<IPendrelAxisAdjuster*>(m_scale.Get()));
  DrawAll(drawer.Get(), canvas, TimeGrid{});
  EXPECT_EQ(canvas.At(3, 10), kOutOfRangeBackground);
  EXPECT_EQ(canvas.At(3, 63), kOutOfRangeBackground);
  EXPECT_EQ(canvas.At(3, 100), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(3, 193), kOutOfRangeBackground);
  EXPECT_EQ(canvas.At(3, 250), kOutOfRangeBackground);
}

TEST_F(GraticuleDrawerTest, AFarLevelClampsAndItsBandCoversTheLane) {
  const auto drawer = MakeGraticule(0, false);
  GraticuleLevels& levels = drawer->Levels();
  EXPECT_EQ(drawer->GetScaleLabels(), &levels);
  levels.level[0] = 1e12;
  levels.flags = kLevel1Set | kLevelLine1 | kLevelFillBelow;
  DrawingCanvas canvas(kGridWidth, kGridHeight);
  DrawAll(drawer.Get(), canvas, TimeGrid{});
  EXPECT_EQ(levels.rows[0], -16000);
  EXPECT_EQ(levels.rows[1], -16000);
  EXPECT_TRUE(canvas.MarkedRows(7, levels.beyondFirst).empty());
  EXPECT_TRUE(canvas.MarkedRows(190, levels.beyondFirst).empty());
}

TEST_F(GraticuleDrawerTest, TwoLevelsFillEveryBandWhicheverWayTheScaleRuns) {
  const COLORREF first = RGB(250, 10, 10), second = RGB(10, 10, 250);
  // Rows grow with the value here: level 1 at row 160, level -1 at row 96.
  const double rising[2] = {32.0, 4.0};
  const double falling[2] = {-32.0, -4.0};
  for (const double* scale : {rising, falling}) {
    SCOPED_TRACE(scale[0]);
    const auto drawer = MakeGraticule(0, false, scale);
    GraticuleLevels& levels = drawer->Levels();
    levels.level[0] = -1.0;
    levels.level[1] = 1.0;
    levels.beyondFirst = first;
    levels.beyondSecond = second;
    levels.flags = 0x7F;
    DrawingCanvas canvas(kGridWidth, kGridHeight);
    DrawAll(drawer.Get(), canvas, TimeGrid{});
    EXPECT_EQ(levels.rows[0], 96);
    EXPECT_EQ(levels.rows[1], 160);
    // The band beyond the upper value is above when values rise upwards, below otherwise.
    const bool upward = scale[0] < 0;
    EXPECT_EQ(canvas.At(3, 50), upward ? second : first);
    EXPECT_EQ(canvas.At(3, 95), upward ? second : first);
    EXPECT_EQ(canvas.At(3, 96), levels.lineColour[0]);
    EXPECT_EQ(canvas.At(3, 97), levels.between);
    EXPECT_EQ(canvas.At(3, 159), levels.between);
    EXPECT_EQ(canvas.At(3, 160), levels.lineColour[1]);
    EXPECT_EQ(canvas.At(3, 200), upward ? first : second);
  }
}

TEST_F(GraticuleDrawerTest, ARecordStartIsMarked) {
  const auto drawer = MakeGraticule(0, false);
  DrawingCanvas canvas(kGridWidth, kGridHeight);
  // The record starts at client column 50: a start line two pixels wide three to its left.
  DrawAll(drawer.Get(), canvas, TimeGrid{}, -50);
  const COLORREF black = RGB(0, 0, 0);
  EXPECT_EQ(canvas.At(47, 10), black);
  EXPECT_EQ(canvas.At(48, 10), black);
  EXPECT_NE(canvas.At(46, 10), black);
  EXPECT_NE(canvas.At(49, 10), black);
  EXPECT_NE(canvas.At(47, 1), black);
  EXPECT_NE(canvas.At(47, kGridHeight - 2), black);
  // The paint may ask for none.
  DrawingCanvas plain(kGridWidth, kGridHeight);
  DrawAll(drawer.Get(), plain, TimeGrid{}, -50, kDrawNoRecordStartLine);
  EXPECT_TRUE(plain.MarkedRows(47).empty());

  // A flagged channel of a lane with a pane value is marked instead, one pixel two to the left.
  RecordData().SetChannelFlagged(0, 0, true);
  drawer->SetOwner(3);
  DrawingCanvas flagged(kGridWidth, kGridHeight);
  DrawAll(drawer.Get(), flagged, TimeGrid{}, -50);
  EXPECT_EQ(flagged.MarkedRows(48).size(), std::size_t(kGridHeight));
  EXPECT_TRUE(flagged.MarkedRows(47).empty());
  EXPECT_TRUE(flagged.MarkedRows(49).empty());
}

TEST_F(GraticuleDrawerTest, CopiesKeepTheSettingsAndMayDrawLines) {
  const auto drawer = MakeGraticule(kGraticuleNoRows);
  IPendrelRecordDrawer* copy = nullptr;
  EXPECT_EQ(drawer->Clone(0, nullptr), S_OK);
  ASSERT_EQ(drawer->Clone(kCloneAsMetafileGraticule, &copy), S_OK);
  Quor::ComPtr<IPendrelRecordDrawer> held;
  held.Attach(copy);
  auto* lines = static_cast<GraticuleDrawer*>(copy);
  EXPECT_EQ(lines->Options(), kGraticuleNoRows | kGraticuleMetafile);
  EXPECT_EQ(lines->GridColour(), kGridColour);
  EXPECT_FALSE(lines->HasBitmaps());
}

// The hatch alone, drawn over a lane's columns at a data position.
std::vector<COLORREF> GraticuleHatchReference(LONG width, LONG height, LONGLONG position) {
  DrawPreTriggerBackground hatch;
  hatch.Build(nullptr, height);
  DrawingCanvas surface(width, height);
  hatch.Draw(surface.Dc(), position, 0, width);
  return surface.Pixels();
}

TEST_F(GraticuleDrawerTest, ThePreTriggerHatchLiesInTheLaneOfTheRecordBeingSampled) {
  Quor::ComPtr<GraticuleDrawer> drawer(new GraticuleDrawer(0, kGraticuleNoGrid, kGridColour, 0, 0, 0));
  drawer->SetUnits(&pane);
  drawer->Attach(0, m_view.Get());
  const LONG top = 30;
  const auto draw = [&](DrawingCanvas& canvas, LONG height, LONG record, LONGLONG position) {
    const RECT lane = {0, top, kGridWidth, top + height};
    drawer->SetExtent(1, &lane);
    DrawSpan span = {position, position + kGridWidth, 0, record, 0, canvas.Rect()};
    EXPECT_EQ(drawer->Draw(canvas.Dc(), &span, 0), S_OK);
  };
  const auto hatched = [](const DrawingCanvas& canvas) {
    std::size_t count = 0;
    for (COLORREF pixel : canvas.Pixels()) count += pixel == kPreTriggerColour;
    return count;
  };
  // Bit 31 of the sampled record asks for the hatch; without a prepared background there is none.
  drawer->SetChannel(0x80000000, VARIANT_FALSE);
  DrawingCanvas unprepared(kGridWidth, 100, RGB(0, 0, 0));
  draw(unprepared, 50, 0, 1007);
  EXPECT_EQ(hatched(unprepared), 0u);

  EXPECT_EQ(drawer->PrepareBackground(&pane), S_OK);
  // A taller lane rebuilds the hatch for its height.
  for (const LONG height : {50, 70}) {
    SCOPED_TRACE(height);
    DrawingCanvas canvas(kGridWidth, 120, RGB(0, 0, 0));
    draw(canvas, height, 0, 1007);
    const std::vector<COLORREF> reference = GraticuleHatchReference(kGridWidth, height, 1007);
    for (int y = 0; y < canvas.Height(); ++y) {
      for (int x = 0; x < kGridWidth; ++x) {
        const bool inLane = y >= top && y < top + height;
        const COLORREF expected = !inLane ? RGB(0, 0, 0)
                                  : reference[std::size_t((y - top) * kGridWidth + x)] == kPreTriggerColour
                                      ? kPreTriggerColour
                                      : GetSysColor(COLOR_3DLIGHT);
        ASSERT_EQ(canvas.At(x, y), expected) << x << "," << y;
      }
    }
  }
  // Another record, or a sampled record without the bit, shows no hatch.
  DrawingCanvas older(kGridWidth, 100);
  draw(older, 50, 1, 1007);
  EXPECT_EQ(hatched(older), 0u);
  drawer->SetChannel(0, VARIANT_FALSE);
  DrawingCanvas plain(kGridWidth, 100);
  draw(plain, 50, 0, 1007);
  EXPECT_EQ(hatched(plain), 0u);
}

}  // namespace

namespace {

// A pane that prints at 10 pixels per millimetre.
class GraticulePrintingPane final : public TestPane {
 public:
  HRESULT GetResolutionX(DWORD, HDC, double* resolution) override {
    *resolution = 10.0;
    return S_OK;
  }
  HRESULT GetResolutionY(DWORD, HDC, double* resolution) override {
    *resolution = 10.0;
    return S_OK;
  }
};

std::string GraticuleCommandOutput(const std::string& command) {
  std::string output;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
  pclose(pipe);
  return output;
}

TEST_F(GraticuleDrawerTest, TheMetafileGridHasOneLinePerGridLine) {
  if (GraticuleCommandOutput("command -v emf2svg-conv").empty() || GraticuleCommandOutput("command -v xmllint").empty()) {
    GTEST_SKIP() << "emf2svg-conv (emf2svg) and xmllint (libxml2-utils) are not installed";
  }
  GraticulePrintingPane printing;
  IPendrelRecordDrawer* copy = nullptr;
  ASSERT_EQ(MakeGraticule()->Clone(kCloneAsMetafileGraticule, &copy), S_OK);
  Quor::ComPtr<IPendrelRecordDrawer> lines;
  lines.Attach(copy);
  lines->SetUnits(&printing);
  const RECT lane = {0, 0, kGridWidth, kGridHeight};
  lines->SetExtent(1, &lane);
  lines->SetTimeRange(1, 0, kGridScale, static_cast<IPendrelAxisAdjuster*>(m_scale.Get()));

  const std::string emf = testing::TempDir() + "graticule.emf";
  const std::string svg = testing::TempDir() + "graticule.svg";
  const std::u16string path(emf.begin(), emf.end());
  const RECT frame = {0, 0, kGridWidth * 100 / 4, kGridHeight * 100 / 4};
  const HDC dc = CreateEnhMetaFileW(nullptr, reinterpret_cast<LPCWSTR>(path.c_str()), &frame, nullptr);
  ASSERT_NE(dc, nullptr);
  DrawSpan span = {0, kGridWidth, 0, 0, 0, lane};
  span.timeGrid = kTimeGrid;
  EXPECT_EQ(lines->Draw(dc, &span, 0), S_OK);
  DeleteEnhMetaFile(CloseEnhMetaFile(dc));
  GraticuleCommandOutput("emf2svg-conv -i '" + emf + "' -o '" + svg + "'");

  // 0.3 mm at 10 pixels per millimetre is 3 pixels, 0.2 mm 2.
  const auto count = [&](int width) {
    const std::string xpath = "count(//*[local-name()='path' and contains(@stroke-width, '" +
                              std::to_string(width) + "')])";
    return GraticuleCommandOutput("xmllint --xpath \"" + xpath + "\" '" + svg + "'");
  };
  // Rows: 4 major, 12 minor. Time lines every 10 pixels from 5: the minor pass draws all 20,
  // the major pass every fifth over them.
  EXPECT_EQ(count(3), "8\n");
  EXPECT_EQ(count(2), "32\n");
}

}  // namespace
