// The trace drawer over the stand-in host's point source, on a full-screen lane 1920 pixels
// wide: a day of one channel at 1 kHz drawn whole (45,000 ticks per pixel) from no point source,
// a 10-pixel scroll at that compression (the new columns drawn from a fresh source), and one
// screen of an hour at 10 ticks per pixel.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

#include "core/com_ptr.h"
#include "host/app/host_start.h"
#include "host/document/data_document.h"
#include "host/framework/call_log.h"
#include "host/traces/trace_data_source.h"
#include "platform/win32/gdi.h"
#include "tracedisplay/drawers/polyline_trace_drawer.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 200;
constexpr LONG kDayTicks = 24 * 3600 * 1000;
constexpr COLORREF kColour = RGB(0, 0, 160);
constexpr double kScale[2] = {-40.0, -2.5};

// A day of an ECG-like signal: a sine with a spike every second.
std::shared_ptr<PendrelHost::Recording> DayRecording() {
  auto recording = std::make_shared<PendrelHost::Recording>(1000.0);
  recording->AddChannel({"ECG", "mV"});
  recording->AddRecord(0.0);
  std::vector<std::vector<float>> channels(1, std::vector<float>(std::size_t(kDayTicks)));
  for (LONG t = 0; t < kDayTicks; ++t) {
    channels[0][std::size_t(t)] = float(0.3 * std::sin(t * 0.0063) + (t % 1000 == 0 ? 1.5 : 0.0));
  }
  recording->AppendSamples(0, std::move(channels));
  recording->CloseRecord(0);
  return recording;
}

// The document, its view and a lane to draw on, made once for every benchmark.
struct DayDisplay {
  DayDisplay() {
    PendrelHost::StartHost();
    document = PendrelHost::OpenDocument(DayRecording());
    source.Attach(PendrelHost::CreateTraceDataSource(document.get()));
    source->CreateDataView(Quor::ComPtrOut<IPendrelTraceDataView>::Bind(view));
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateCompatibleBitmap(nullptr, kWidth, kHeight);
    SelectObject(dc, bitmap);
  }

  Quor::ComPtr<PendrelDraw::PolyLineTraceDrawer> Drawer() {
    PendrelDraw::TraceDrawerInit init;
    init.laneKind = 1;
    init.colour = &kColour;
    Quor::ComPtr<PendrelDraw::PolyLineTraceDrawer> drawer(new PendrelDraw::PolyLineTraceDrawer(init));
    drawer->Attach(0, view.Get());
    drawer->SetTimeRange(1, 0, kScale, nullptr);
    return drawer;
  }

  void Draw(PendrelDraw::PolyLineTraceDrawer* drawer, LONGLONG first, LONG columns, LONG left) {
    PatBlt(dc, left, 0, columns, kHeight, WHITENESS);
    const PendrelDraw::DrawSpan span = {first, first + columns, first, 0, left, {0, 0, kWidth, kHeight}};
    drawer->Draw(dc, &span, 0);
    // The host's call log is not what is measured.
    Tarn::ClearRecordedCalls();
  }

  Tarn::HeldReference<IUnknown> document;
  Quor::ComPtr<IPendrelTraceDataSource> source;
  Quor::ComPtr<IPendrelTraceDataView> view;
  HDC dc;
  HBITMAP bitmap;
};

DayDisplay& Display() {
  static DayDisplay display;
  return display;
}

void DayAcrossTheScreen(benchmark::State& state) {
  DayDisplay& display = Display();
  display.view->SetCompression(45000, 1);
  const auto drawer = display.Drawer();
  for (auto _ : state) display.Draw(drawer.Get(), 0, kWidth, 0);
}
BENCHMARK(DayAcrossTheScreen)->Unit(benchmark::kMillisecond);

void TenPixelScrollOfTheDay(benchmark::State& state) {
  DayDisplay& display = Display();
  display.view->SetCompression(45000, 1);
  const auto drawer = display.Drawer();
  LONGLONG first = 0;
  for (auto _ : state) {
    display.Draw(drawer.Get(), first, 10, kWidth - 10);
    first = (first + 10) % (kWidth - 10);
  }
}
BENCHMARK(TenPixelScrollOfTheDay)->Unit(benchmark::kMillisecond);

void ScreenOfAnHourAtTenTicksPerPixel(benchmark::State& state) {
  DayDisplay& display = Display();
  display.view->SetCompression(10, 1);
  const auto drawer = display.Drawer();
  LONGLONG first = 0;
  for (auto _ : state) {
    display.Draw(drawer.Get(), first, kWidth, 0);
    first = (first + kWidth) % (360000 - kWidth);
  }
}
BENCHMARK(ScreenOfAnHourAtTenTicksPerPixel)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
