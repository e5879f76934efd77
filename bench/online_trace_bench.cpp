// A trace display following an acquisition: an hour of two channels at 1 kHz replayed by the
// host's simulated device in blocks of 100 ms into a document that a 1000 x 400 data pane
// follows, one trace in each of its two lanes. Each measured step takes one block in (the
// pane's online notices, as the device sends them) and paints the new strip, as the pane's
// window does on its next paint. Reports the median step beside the mean; the target is a
// median under 1 ms.
//
//   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/release --target online_trace_bench && build/release/bin/online_trace_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <vector>

#include "core/com_ptr.h"
#include "host/app/host_start.h"
#include "host/document/data_document.h"
#include "host/sampling/sampling_simulator.h"
#include "host/traces/scale_factory.h"
#include "host/traces/trace_data_source.h"
#include "platform/win32/gdi.h"
#include "tracedisplay/datapane/data_pane.h"
#include "tracedisplay/drawers/polyline_trace_drawer.h"

namespace {

constexpr double kRate = 1000.0;
constexpr LONG kHourTicks = 3600 * 1000;
constexpr LONG kBlockTicks = 100;
constexpr SIZE kPaneSize = {1000, 400};
constexpr COLORREF kColours[2] = {RGB(0, 0, 160), RGB(160, 0, 0)};

// An ECG-like channel (a sine with a spike every second) and a slow breathing-like one.
std::shared_ptr<PendrelHost::Recording> HourOfTwoChannels() {
  auto recording = std::make_shared<PendrelHost::Recording>(kRate);
  recording->AddChannel({"ECG", "mV"});
  recording->AddChannel({"Resp", "V"});
  recording->AddRecord(0.0);
  std::vector<std::vector<float>> channels(2, std::vector<float>(std::size_t(kHourTicks)));
  for (LONG t = 0; t < kHourTicks; ++t) {
    channels[0][std::size_t(t)] = float(0.3 * std::sin(t * 0.0063) + (t % 1000 == 0 ? 1.5 : 0.0));
    channels[1][std::size_t(t)] = float(std::sin(t * 0.0016));
  }
  recording->AppendSamples(0, std::move(channels));
  recording->CloseRecord(0);
  return recording;
}

// Whether both traces reach the newest columns of the painted pane: the strips were drawn.
bool NewestColumnsShowBothTraces(HDC dc) {
  bool found[2] = {false, false};
  for (int x = kPaneSize.cx - 30; x < kPaneSize.cx; ++x) {
    for (int y = 0; y < kPaneSize.cy; ++y) {
      const COLORREF pixel = GetPixel(dc, x, y);
      for (int lane = 0; lane < 2; ++lane) found[lane] = found[lane] || pixel == kColours[lane];
    }
  }
  return found[0] && found[1];
}

void FollowingOneBlock(benchmark::State& state) {
  PendrelHost::StartHost();
  PendrelHost::AddTraceObjectMakers();
  const std::shared_ptr<PendrelHost::Recording> recorded = HourOfTwoChannels();
  const std::shared_ptr<PendrelHost::Recording> target = PendrelHost::EmptyRecordingLike(*recorded);
  Tarn::HeldReference<IUnknown> document = PendrelHost::OpenDocument(target);
  Tarn::HeldReference<IPendrelTraceDataSource> source(
      PendrelHost::CreateTraceDataSource(document.get()));
  PendrelDraw::DataPane pane(source.get());
  pane.SetLaneCount(2);
  pane.AttachWindow(nullptr, nullptr);
  pane.SetPaneSize(kPaneSize);
  std::vector<Quor::ComPtr<PendrelDraw::PolyLineTraceDrawer>> traces;
  for (LONG lane = 0; lane < 2; ++lane) {
    PendrelDraw::TraceDrawerInit init;
    init.laneKind = 1;
    init.colour = &kColours[lane];
    init.channelIndex = lane;
    traces.emplace_back(new PendrelDraw::PolyLineTraceDrawer(init));
    pane.AddDrawerToPane(0, traces.back().Get(), lane);
  }
  pane.FlushPendingUpdates();
  const HDC dc = CreateCompatibleDC(nullptr);
  const HBITMAP bitmap = CreateCompatibleBitmap(nullptr, kPaneSize.cx, kPaneSize.cy);
  const HGDIOBJ previous = SelectObject(dc, bitmap);
  const RECT all = {0, 0, kPaneSize.cx, kPaneSize.cy};

  PendrelHost::SamplingSimulator device(*recorded, target, *PendrelHost::AsDataDocument(document.get()));
  device.Open(kBlockTicks);
  std::vector<double> steps;
  steps.reserve(std::size_t(kHourTicks / kBlockTicks));
  for (auto _ : state) {
    const auto begun = std::chrono::steady_clock::now();
    if (device.Advance(kBlockTicks) == 0) {
      state.SkipWithError("the recorded hour ran out");
      break;
    }
    pane.FlushPendingUpdates();
    pane.Paint(dc, all, 0);
    const std::chrono::duration<double, std::milli> step = std::chrono::steady_clock::now() - begun;
    steps.push_back(step.count());
  }
  // 1 when the pane still followed the newest data at the end, as it should throughout, and
  // when the last paint showed both traces in the newest columns.
  state.counters["following"] = pane.IsFollowing() ? 1 : 0;
  state.counters["drawn"] = NewestColumnsShowBothTraces(dc) ? 1 : 0;
  device.Close();

  if (!steps.empty()) {
    std::nth_element(steps.begin(), steps.begin() + std::ptrdiff_t(steps.size() / 2), steps.end());
    state.counters["median_ms"] = steps[steps.size() / 2];
  }
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

BENCHMARK(FollowingOneBlock)->Iterations(kHourTicks / kBlockTicks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
