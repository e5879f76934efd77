#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "host/document/data_document.h"
#include "host/traces/channel_display_settings.h"
#include "host/traces/trace_data_source.h"
#include "tracedisplay/drawers/custom_units_trace_drawer.h"
#include "tracedisplay/tests/drawing_canvas.h"
#include "tracedisplay/tests/trace_display_test.h"

using namespace PendrelDraw;

namespace {

constexpr int kTraceWidth = 300;
constexpr int kTraceHeight = 200;
constexpr LONG kTraceTicks = 200000;
constexpr LONG kTraceLane = 1;
// Values -2.5 to 2.5 fill the lane: row = floor((v - 2.5) x -40).
constexpr double kTraceScale[2] = {-40.0, -2.5};
constexpr COLORREF kTraceColour = RGB(200, 0, 40);

enum class Signal { Ramp, Sine, Spike };

std::vector<float> SignalSamples(Signal signal) {
  std::vector<float> samples(kTraceTicks);
  for (LONG t = 0; t < kTraceTicks; ++t) {
    switch (signal) {
      case Signal::Ramp: samples[std::size_t(t)] = float(-2.0 + 4.0 * t / kTraceTicks); break;
      case Signal::Sine: samples[std::size_t(t)] = float(2.0 * std::sin(2.0 * M_PI * t / 400.0)); break;
      case Signal::Spike: samples[std::size_t(t)] = t == 1234 ? 2.0f : t == 20000 ? -2.0f : 0.0f; break;
    }
  }
  return samples;
}

// One closed record of the three signals at 1 kHz, channels 0 to 2 in mV, mV and µV.
PendrelHost::Recording ThreeSignals() {
  PendrelHost::Recording recording(1000.0);
  recording.AddChannel({"Ramp", "mV"});
  recording.AddChannel({"Sine", "mV"});
  recording.AddChannel({"Spike", "\xC2\xB5V"});
  recording.AddRecord(0.0);
  std::vector<std::vector<float>> channels;
  for (Signal signal : {Signal::Ramp, Signal::Sine, Signal::Spike}) {
    channels.push_back(SignalSamples(signal));
  }
  recording.AppendSamples(0, std::move(channels));
  recording.CloseRecord(0);
  return recording;
}

// What numpy says a column must show (trace_reference.py).
struct ColumnRule {
  std::string kind;  // "exact", "hull" or "none"
  int top = 0;
  int bottom = 0;
  int own = -1;  // a hull's row that must be lit; -1 for none
};

std::vector<ColumnRule> NumpyColumns(Signal signal, LONGLONG ticks, LONGLONG pixels,
                                     LONGLONG first, int count) {
  const std::vector<float> samples = SignalSamples(signal);
  const std::string path = testing::TempDir() + "trace_samples_" + std::to_string(int(signal)) + ".f32";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(samples.data()), std::streamsize(samples.size() * sizeof(float)));
  std::ostringstream command;
  command.precision(17);
  command << "/usr/bin/python3 trace_reference.py " << path << " " << ticks << " " << pixels << " "
          << kTraceScale[0] << " " << kTraceScale[1] << " " << first << " " << count;
  std::vector<ColumnRule> rules;
  std::FILE* pipe = popen(command.str().c_str(), "r");
  if (!pipe) return rules;
  char line[200];
  while (std::fgets(line, sizeof line, pipe)) {
    std::istringstream fields(line);
    long long column = 0;
    ColumnRule rule;
    std::string own;
    fields >> column >> rule.kind;
    if (rule.kind != "none") fields >> rule.top >> rule.bottom;
    if (rule.kind == "hull" && fields >> own && own != "-") rule.own = std::stoi(own);
    rules.push_back(rule);
  }
  pclose(pipe);
  return rules;
}

// Checks every column of a drawn window against the rules; the first failure is reported.
void ExpectColumnsFollow(const DrawingCanvas& canvas, const std::vector<ColumnRule>& rules,
                         int firstX = 0) {
  ASSERT_FALSE(rules.empty()) << "python3 with numpy is needed";
  for (std::size_t i = 0; i < rules.size(); ++i) {
    const int x = firstX + int(i);
    const ColumnRule& rule = rules[i];
    const std::vector<int> rows = canvas.MarkedRows(x);
    if (rule.kind == "none") {
      ASSERT_TRUE(rows.empty()) << "column " << x;
    } else if (rule.kind == "exact") {
      std::vector<int> expected;
      for (int y = std::max(rule.top, 0); y <= std::min(rule.bottom, kTraceHeight - 1); ++y) expected.push_back(y);
      ASSERT_EQ(rows, expected) << "column " << x;
    } else {
      ASSERT_FALSE(rows.empty()) << "column " << x;
      ASSERT_GE(rows.front(), rule.top) << "column " << x;
      ASSERT_LE(rows.back(), rule.bottom) << "column " << x;
      if (rule.own >= 0) {
        ASSERT_NE(std::find(rows.begin(), rows.end(), rule.own), rows.end()) << "column " << x;
      }
    }
  }
}

class TraceDrawerTest : public TraceDisplayTest {
 protected:
  void SetUp() override {
    TraceDisplayTest::SetUp();
    m_document = PendrelHost::OpenDocument(ThreeSignals());
    source.Attach(PendrelHost::CreateTraceDataSource(m_document.get()));
    ASSERT_TRUE(source);
    ASSERT_EQ(source->CreateDataView(Quor::ComPtrOut<IPendrelTraceDataView>::Bind(view)), S_OK);
  }

  PendrelHost::TraceRecordData& RecordData() {
    return static_cast<PendrelHost::TraceDataSource*>(source.Get())->RecordData();
  }

  // A trace drawer of a channel on lane kind 1, attached to the view and scaled to the lane.
  template <class Drawer = PolyLineTraceDrawer, class... More>
  Quor::ComPtr<Drawer> MakeDrawer(LONG channel, More&&... more) {
    TraceDrawerInit init;
    init.laneKind = kTraceLane;
    init.colour = &kTraceColour;
    init.channelIndex = channel;
    Quor::ComPtr<Drawer> drawer(new Drawer(init, std::forward<More>(more)...));
    drawer->SetUnits(&pane);
    drawer->Attach(0, view.Get());
    drawer->SetTimeRange(kTraceLane, 0, kTraceScale, nullptr);
    return drawer;
  }

  void SetCompression(LONGLONG ticks, LONGLONG pixels) { view->SetCompression(ticks, pixels); }

  // Draws record pixels [first, first + columns) of record 0 (which starts at pixel 0) from
  // client column `left`.
  static void DrawWindow(IPendrelRecordDrawer* drawer, const DrawingCanvas& canvas, LONGLONG first,
                         LONGLONG columns, LONG left = 0, DWORD flags = 0) {
    const DrawSpan span = {first, first + columns, first, 0, left, canvas.Rect()};
    EXPECT_EQ(drawer->Draw(canvas.Dc(), &span, flags), S_OK);
  }

  size_t PointSourcesMade() { return CallsStartingWith("TraceRecordData.CreatePointSource").size(); }

  TestPane pane;
  Quor::ComPtr<IPendrelTraceDataSource> source;
  Quor::ComPtr<IPendrelTraceDataView> view;

 private:
  Tarn::HeldReference<IUnknown> m_document;
};

TEST_F(TraceDrawerTest, EveryColumnCoversTheRowsOfItsSamples) {
  struct Compression {
    LONGLONG ticks, pixels;
  };
  const Compression compressions[] = {{1, 2}, {1, 1}, {10, 1}, {1000, 1}};
  for (Signal signal : {Signal::Ramp, Signal::Sine, Signal::Spike}) {
    for (const Compression& c : compressions) {
      // A window from the record's start, and one where the first column joins the one before.
      for (LONGLONG first : {LONGLONG(0), LONGLONG(37)}) {
        const std::vector<ColumnRule> rules = NumpyColumns(signal, c.ticks, c.pixels, first, kTraceWidth);
        for (int dpi : {96, 192}) {
          SCOPED_TRACE(testing::Message() << "signal " << int(signal) << ", " << c.ticks << "/" << c.pixels
                                          << " ticks per pixel, first " << first << ", " << dpi << " dpi");
          const DotsPerInchForTest resolution(dpi);
          DrawingCanvas canvas(kTraceWidth, kTraceHeight);
          SetCompression(c.ticks, c.pixels);
          const auto drawer = MakeDrawer(LONG(signal));
          DrawWindow(drawer.Get(), canvas, first, kTraceWidth);
          ExpectColumnsFollow(canvas, rules);
          const std::vector<int> rows = canvas.MarkedRows(0);
          if (!rows.empty()) {
            EXPECT_EQ(canvas.At(0, rows.front()), kTraceColour);
          }
        }
      }
    }
  }
}

TEST_F(TraceDrawerTest, PenWidthWidensOnlyMonochromeTraces) {
  Quor::ComPtr<PendrelHost::ChannelDisplaySettings> settings(new PendrelHost::ChannelDisplaySettings);
  settings->Channel(1).penWidth = 3;
  settings->Channel(1).colour = RGB(0, 0, 0);
  SetCompression(10, 1);
  const std::vector<ColumnRule> rules = NumpyColumns(Signal::Sine, 10, 1, 0, kTraceWidth);

  const auto drawer = MakeDrawer(1);
  drawer->UpdateFromChannel(static_cast<IPendrelChannelDisplaySettings*>(settings.Get()), nullptr, -1);
  EXPECT_EQ(drawer->PenWidth(), 3);
  DrawingCanvas screen(kTraceWidth, kTraceHeight);
  DrawWindow(drawer.Get(), screen, 0, kTraceWidth);
  ExpectColumnsFollow(screen, rules);

  // Monochrome: each column's segment is three pixels wide, with flat ends.
  pane.SetStyleFlags(kPaneMonochrome);
  DrawingCanvas printed(kTraceWidth, kTraceHeight);
  DrawWindow(drawer.Get(), printed, 0, kTraceWidth);
  for (int x = 1; x + 1 < kTraceWidth; ++x) {
    std::vector<bool> lit(kTraceHeight, false);
    for (int q = x - 1; q <= x + 1; ++q) {
      for (int y = rules[std::size_t(q)].top; y <= rules[std::size_t(q)].bottom; ++y) lit[std::size_t(y)] = true;
    }
    std::vector<int> expected;
    for (int y = 0; y < kTraceHeight; ++y) {
      if (lit[std::size_t(y)]) expected.push_back(y);
    }
    ASSERT_EQ(printed.MarkedRows(x), expected) << "column " << x;
  }
}

TEST_F(TraceDrawerTest, AKeptPointSourceContinuesAsAFreshPaintWould) {
  SetCompression(10, 1);
  DrawingCanvas fresh(kTraceWidth, kTraceHeight);
  DrawWindow(MakeDrawer(1).Get(), fresh, 0, kTraceWidth);

  struct Continuation {
    const char* name;
    LONGLONG secondFirst;  // where the second paint starts
  };
  for (const Continuation& c : {Continuation{"d = 0", 100}, Continuation{"d = -1", 99},
                                Continuation{"a skip", 160}}) {
    SCOPED_TRACE(c.name);
    Tarn::ClearRecordedCalls();
    const auto drawer = MakeDrawer(1);
    DrawingCanvas continued(kTraceWidth, kTraceHeight);
    DrawWindow(drawer.Get(), continued, 0, 100, 0, kDrawKeepPointSource);
    DrawWindow(drawer.Get(), continued, c.secondFirst, kTraceWidth - c.secondFirst, LONG(c.secondFirst),
               kDrawKeepPointSource);
    EXPECT_EQ(PointSourcesMade(), 1u);
    // The skipped columns stay blank; every other column is the fresh paint's.
    for (int x = 0; x < kTraceWidth; ++x) {
      if (x >= 100 && x < c.secondFirst) {
        ASSERT_TRUE(continued.MarkedRows(x).empty()) << x;
      } else {
        ASSERT_EQ(continued.MarkedRows(x), fresh.MarkedRows(x)) << x;
      }
    }
  }
}

TEST_F(TraceDrawerTest, OnlyTheKeepFlagKeepsThePointSource) {
  SetCompression(10, 1);
  DrawingCanvas canvas(kTraceWidth, kTraceHeight);
  const auto drawer = MakeDrawer(0);
  DrawWindow(drawer.Get(), canvas, 0, 50, 0, kDrawKeepPointSource);
  EXPECT_TRUE(drawer->HasPointSource());
  LONGLONG reach = 0;
  EXPECT_EQ(drawer->GetDataRange(0, 0, &reach), S_OK);
  EXPECT_EQ(reach, 50);
  DrawWindow(drawer.Get(), canvas, 50, 50, 50);
  EXPECT_FALSE(drawer->HasPointSource());
  EXPECT_EQ(drawer->GetDataRange(0, 0, &reach), S_FALSE);
  DrawWindow(drawer.Get(), canvas, 100, 50, 100);
  EXPECT_EQ(PointSourcesMade(), 2u);
  // A scale change, and a paint that asks for a fresh source, drop the kept one.
  DrawWindow(drawer.Get(), canvas, 150, 50, 150, kDrawKeepPointSource);
  drawer->SetTimeRange(kTraceLane, 0, kTraceScale, nullptr);
  EXPECT_FALSE(drawer->HasPointSource());
  DrawWindow(drawer.Get(), canvas, 200, 50, 200, kDrawKeepPointSource | kDrawFreshPointSource);
  EXPECT_EQ(PointSourcesMade(), 4u);
}

TEST_F(TraceDrawerTest, ARecordStartingInsideTheSpanIsDrawnFromItsColumn) {
  SetCompression(10, 1);
  DrawingCanvas expected(kTraceWidth, kTraceHeight);
  DrawWindow(MakeDrawer(2).Get(), expected, 0, kTraceWidth - 20, 20);

  const auto drawer = MakeDrawer(2);
  DrawingCanvas canvas(kTraceWidth, kTraceHeight);
  const DrawSpan inside = {-20, kTraceWidth - 20, -20, 0, 0, canvas.Rect()};
  EXPECT_EQ(drawer->Draw(canvas.Dc(), &inside, 0), S_OK);
  EXPECT_EQ(canvas.Pixels(), expected.Pixels());

  // A span wholly before the record draws nothing.
  DrawingCanvas before(kTraceWidth, kTraceHeight);
  const DrawSpan early = {-300, -100, -300, 0, 0, before.Rect()};
  EXPECT_EQ(drawer->Draw(before.Dc(), &early, 0), S_OK);
  EXPECT_EQ(before.MarkedRows(0).size() + before.MarkedRows(150).size(), 0u);
  EXPECT_EQ(PointSourcesMade(), 2u);
}

TEST_F(TraceDrawerTest, RowsCountFromTheLanesTop) {
  SetCompression(10, 1);
  DrawingCanvas atTop(kTraceWidth, kTraceHeight);
  DrawWindow(MakeDrawer(1).Get(), atTop, 0, kTraceWidth);
  const auto drawer = MakeDrawer(1);
  const RECT lane = {0, 30, kTraceWidth, 30 + kTraceHeight};
  drawer->SetExtent(1, &lane);
  DrawingCanvas lower(kTraceWidth, kTraceHeight + 30);
  DrawWindow(drawer.Get(), lower, 0, kTraceWidth);
  for (int x = 0; x < kTraceWidth; x += 7) {
    std::vector<int> shifted = atTop.MarkedRows(x);
    for (int& y : shifted) y += 30;
    ASSERT_EQ(lower.MarkedRows(x), shifted) << x;
  }
}

TEST_F(TraceDrawerTest, APaneValueDropsTheAddressBitsOfThePointSource) {
  SetCompression(10, 1);
  DrawingCanvas canvas(kTraceWidth, kTraceHeight);
  const auto drawer = MakeDrawer(0);
  DrawWindow(drawer.Get(), canvas, 0, 10);
  drawer->SetOwner(7);
  DrawWindow(drawer.Get(), canvas, 0, 10);
  const std::vector<std::string> made = CallsStartingWith("TraceRecordData.CreatePointSource");
  ASSERT_EQ(made.size(), 2u);
  EXPECT_NE(made[0].find("address=0x02001000, channel=0"), std::string::npos) << made[0];
  EXPECT_NE(made[1].find("address=0x02000000, channel=0"), std::string::npos) << made[1];
}

TEST_F(TraceDrawerTest, UnitTextsFlagsAndMappings) {
  const auto plain = MakeDrawer(0);
  Quor::String text;
  VARIANT_BOOL flag = VARIANT_TRUE;
  IQuorString* out = nullptr;
  EXPECT_EQ(plain->GetValueAt(kTraceLane, 0, &out, &flag), S_OK);
  text.Attach(out);
  EXPECT_EQ(text, u"mV");
  EXPECT_EQ(flag, VARIANT_FALSE);
  RecordData().SetUnitFlag(0, true);
  plain->GetValueAt(kTraceLane, 0, &out, &flag);
  text.Attach(out);
  EXPECT_EQ(flag, VARIANT_BOOL(0xFFFF));
  // Another lane kind is not the drawer's.
  EXPECT_EQ(plain->GetValueAt(kTraceLane + 1, 0, &out, &flag), S_FALSE);
  EXPECT_EQ(out, nullptr);

  RecordData().SetValueMapping(0, 0.001, 0.5);
  double range[2] = {}, second[2] = {}, value = 0.0;
  EXPECT_EQ(plain->HitTest(kTraceLane, 0, &out, &flag, range, second, &value), S_OK);
  text.Attach(out);
  EXPECT_EQ(text, u"mV");
  EXPECT_EQ(range[0], 0.001);
  EXPECT_EQ(range[1], 0.5);
  EXPECT_EQ(value, 0.001);
  EXPECT_EQ(second[0], 0.001);
  EXPECT_FALSE(CallsStartingWith("TraceRecordData.GetUnitText(address=0x00002000, channel=0").empty());
}

TEST_F(TraceDrawerTest, CustomUnitsShowTheirMappersText) {
  const auto normalised = MakeDrawer<CustomUnitsPolyLineTraceDrawer>(
      1, std::make_shared<Rhyth::PPUNMapper>(2));
  const auto source = MakeDrawer<CustomUnitsPolyLineTraceDrawer>(
      1, std::make_shared<Rhyth::SourceUnitMapper>(2));
  IQuorString* out = nullptr;
  VARIANT_BOOL flag = VARIANT_TRUE;
  Quor::String text;
  EXPECT_EQ(normalised->GetValueAt(kTraceLane, 0, &out, &flag), S_FALSE);
  text.Attach(out);
  EXPECT_EQ(text, u"S.D.");
  EXPECT_EQ(flag, VARIANT_FALSE);
  source->GetValueAt(kTraceLane, 0, &out, &flag);
  text.Attach(out);
  EXPECT_EQ(text, u"\u00B5V");
  // The mapper's channel is asked with its own address flags.
  EXPECT_EQ(CallsStartingWith("TraceRecordData.GetUnitText(address=0x40001000, channel=2").size(), 1u);
  EXPECT_EQ(CallsStartingWith("TraceRecordData.GetUnitText(address=0x00001001, channel=2").size(), 1u);

  // A hit test gives the factor of the mapped prefix (µ of the source channel).
  double range[2] = {}, value = 0.0;
  EXPECT_EQ(source->HitTest(kTraceLane, 0, &out, &flag, range, nullptr, &value), S_OK);
  text.Attach(out);
  EXPECT_EQ(text, u"\u00B5V");
  EXPECT_EQ(range[0], 1e6);
  EXPECT_EQ(value, 1e6);

  // A copy keeps the mapper.
  IPendrelRecordDrawer* copy = nullptr;
  ASSERT_EQ(normalised->Clone(0, &copy), S_OK);
  Quor::ComPtr<IPendrelRecordDrawer> heldCopy;
  heldCopy.Attach(copy);
  copy->Attach(0, view.Get());
  copy->GetValueAt(kTraceLane, 0, &out, nullptr);
  text.Attach(out);
  EXPECT_EQ(text, u"S.D.");
}

}  // namespace

namespace {

// A point source that hands out a full block every time and never moves on.
class StuckPointSource final : public SimpleUnknownImp1<IPendrelPointSource, 0> {
 public:
  HRESULT NextPoints(LONG left, LONG, LONG capacity, POINT* points, LONG* count, LONG* consumed) override {
    ++calls;
    for (LONG i = 0; i < capacity; ++i) points[i] = {left, LONG(i % 2)};
    *count = capacity;
    *consumed = 0;
    return S_OK;
  }
  HRESULT Skip(LONGLONG, LONGLONG* skipped) override {
    if (skipped) *skipped = 0;
    return S_FALSE;
  }
  HRESULT GetPosition(LONGLONG* position) override {
    *position = 0;
    return S_OK;
  }
  HRESULT Seek(LONGLONG) override { return S_OK; }

  int calls = 0;
};

// Record data that hands out the stuck source, in front of a real data view.
class StuckRecordData final
    : public SimpleUnknownImp2<IPendrelTraceRecordSource, IPendrelTraceRecordData, 1> {
 public:
  StuckRecordData(IPendrelTraceDataView* view, StuckPointSource* points) : m_view(view), m_points(points) {}

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (iid == IPendrelTraceDataView::iid) return m_view->QueryInterface(iid, object);
    return SimpleUnknownImp2::QueryInterface(iid, object);
  }
  HRESULT GetRecordData(IUnknown** data) override {
    *data = static_cast<IPendrelTraceRecordData*>(this);
    AddRef();
    return S_OK;
  }
  HRESULT CreatePointSource(DWORD, LONG, const PendrelPixelMapping*, LONGLONG, LONG, LONG, LONG,
                            double, double, DWORD, IPendrelPointSource** source) override {
    *source = m_points;
    m_points->AddRef();
    return S_OK;
  }
  HRESULT GetUnitText(DWORD, LONG, LONG, IQuorString**) override { return E_NOTIMPL; }
  HRESULT GetUnitFlag(DWORD, LONG, VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT GetChannelObject(DWORD, LONG, LONG, IUnknown**) override { return E_NOTIMPL; }
  HRESULT GetValueExtremes(DWORD, LONG, LONG, LONG, LONG, double*, double*) override { return E_NOTIMPL; }
  HRESULT ShowsGrid(DWORD, LONG, LONG) override { return E_NOTIMPL; }
  HRESULT GetFlaggedChannels(LONG, IQuorBitset**) override { return E_NOTIMPL; }
  HRESULT NotifyDataChanged(DWORD, LONG, const LONG*, LONG) override { return E_NOTIMPL; }

 private:
  IPendrelTraceDataView* m_view;
  StuckPointSource* m_points;
};

TEST_F(TraceDrawerTest, APointSourceThatConsumesNoColumnEndsTheRun) {
  Quor::ComPtr<StuckPointSource> stuck(new StuckPointSource);
  StuckRecordData data(view.Get(), stuck.Get());
  const auto drawer = MakeDrawer(0);
  drawer->Attach(0, static_cast<IPendrelTraceRecordSource*>(&data));
  DrawingCanvas canvas(kTraceWidth, kTraceHeight);
  DrawWindow(drawer.Get(), canvas, 0, kTraceWidth);
  EXPECT_EQ(stuck->calls, 1);
  drawer->Attach(0, nullptr);
}

}  // namespace

namespace {

// A sweeping view: the overlay of a real data view, which answers everything else.
class SweepOverlay final : public SimpleUnknownImp1<IPendrelSweepOverlay, 1> {
 public:
  explicit SweepOverlay(IPendrelTraceDataView* view) : m_view(view) {}

  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (iid == IPendrelSweepOverlay::iid) return SimpleUnknownImp1::QueryInterface(iid, object);
    return m_view->QueryInterface(iid, object);
  }
  HRESULT GetSegmentKind(LONG, LONG* out) override {
    *out = kind;
    return S_OK;
  }
  HRESULT GetSegment(LONG, LONGLONG* start, LONGLONG* position) override {
    *start = segmentStart;
    *position = segmentStart;
    return S_OK;
  }
  HRESULT GetTickRange(LONG, LONGLONG, LONGLONG, LONG*, LONG*) override { return E_NOTIMPL; }

  LONG kind = 1;
  LONGLONG segmentStart = 40;

 private:
  IPendrelTraceDataView* m_view;
};

TEST_F(TraceDrawerTest, ASweepSegmentIsDrawnFromItsStartInItsKindsColour) {
  SetCompression(10, 1);
  DrawingCanvas plain(kTraceWidth, kTraceHeight);
  DrawWindow(MakeDrawer(1).Get(), plain, 0, kTraceWidth);

  SweepOverlay overlay(view.Get());
  const auto drawer = MakeDrawer(1);
  drawer->Attach(0, &overlay);
  drawer->SetTimeRange(kTraceLane, 0, kTraceScale, nullptr);
  DrawingCanvas swept(kTraceWidth, kTraceHeight);
  DrawWindow(drawer.Get(), swept, 0, kTraceWidth);
  for (int x = 0; x < kTraceWidth; ++x) {
    ASSERT_EQ(swept.MarkedRows(x), x < 40 ? std::vector<int>{} : plain.MarkedRows(x)) << x;
  }

  // Old data (kind 2) is drawn in black, or pulled towards grey in trace mode 1; a split
  // segment is not drawn at all.
  overlay.kind = 2;
  DrawingCanvas old(kTraceWidth, kTraceHeight);
  DrawWindow(drawer.Get(), old, 0, kTraceWidth);
  EXPECT_EQ(old.At(100, old.MarkedRows(100).front()), RGB(0, 0, 0));
  overlay.kind = kSweepSegmentSplit;
  DrawingCanvas split(kTraceWidth, kTraceHeight);
  DrawWindow(drawer.Get(), split, 0, kTraceWidth);
  EXPECT_TRUE(split.MarkedRows(100).empty());
  drawer->Attach(0, nullptr);
}

}  // namespace
