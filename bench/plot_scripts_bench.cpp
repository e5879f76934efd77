// The plotting scripts in the real headless browser, through the plot window with the plot
// model's proxy: the first paint of a day's tachogram (100,000 points) from SetMarkup to the
// end of its paint, 100 values appended and repainted, and each of the six views' option texts
// drawn over synthetic series. Waits on the plot's own promise of a finished paint.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/app/host_start.h"
#include "host/browser/browser_class.h"
#include "platform/win32/window.h"
#include "plotengine/bridge/v8_object_base.h"
#include "plotengine/plot_window/etch_plot_win.h"
#include "plotengine/tests/fake_float_series.h"

namespace {

using Quor::String;

// The page tells it when a paint has ended.
class PaintSignal : public Quor::V8ObjectBase {
 public:
  PaintSignal() : V8ObjectBase(String(u"bench")) {}
  bool painted = false;

 protected:
  void RegisterMethodNames() override { AddMethodName(String(u"painted")); }
  void CallMethod(IQuorV8Variant** result, IUnknown*, const String&,
                  InterfaceArray<IQuorV8Variant>&) override {
    painted = true;
    *result = nullptr;
  }
};

std::vector<double> Tachogram(int n) {
  std::vector<double> values(std::size_t(n), 0.0);
  for (int i = 0; i < n; ++i) values[std::size_t(i)] = 800 + 50 * double(i % 17) / 17;
  return values;
}

std::string Fixture(const std::string& name) {
  std::ifstream file(std::string(PLOTENGINE_FIXTURES) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

struct BenchPlot {
  BenchPlot() {
    PendrelHost::StartHost();
    PendrelBrowser::RegisterBrowserClass();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = u"PlotScriptsBenchParent";
    RegisterClassExW(&windowClass);
    parent = CreateWindowExW(0, u"PlotScriptsBenchParent", nullptr, 0, 0, 0, 800, 600, nullptr,
                             nullptr, nullptr, nullptr);
    window = new Quor::EtchPlotWin(nullptr);
    signal = new PaintSignal;
    signal->AddRef();
    if (!window->Create(parent, RECT{0, 0, 800, 600}) || !window->Browser()) return;
    window->Browser()->RegisterScriptObject(signal);
  }
  bool Ready() { return window->Browser() != nullptr; }
  void SetSeries(const char16_t* id, std::vector<double> values) {
    IEnumFloatEx* series = plotengine_test::FakeFloatSeries::Make(std::move(values));
    window->GetProxy()->SetData(String(id), series);
    series->Release();
  }
  // Waits for the end of the plot's paint; each script run lets the page go on.
  bool WaitForPaint() {
    signal->painted = false;
    if (!window->RunScript(String(
            u"etch.get_plot('local').when_painted().done(function () { bench.painted(); });"))) {
      return false;
    }
    while (!signal->painted) {
      if (!window->RunScript(String(u"0"))) return false;
    }
    return true;
  }

  HWND parent = nullptr;
  Quor::EtchPlotWin* window = nullptr;
  PaintSignal* signal = nullptr;
};

BenchPlot& Plot() {
  static BenchPlot plot;
  return plot;
}

const char16_t kTachogram[] =
    u"topmargin: 40, rightmargin: 40, tplot: {id: 'tachogram', xdata: [0:1:end], "
    u"ydata: '$tachogram' [0:1:2147483647], colour: #0000c8ff}, graticule: { colour:#c0c0c0ff }, "
    u"xlabel: 'Interval Number', ylabel: 'RR Interval (ms)', fullrange_yscalemin: 577.5,"
    u"fullrange_yscalemax: 1072.5,fullrange_xscalemin: 0,fullrange_xscalemax: 100000,";

void FirstPaintOfADaysTachogram(benchmark::State& state) {
  if (!Plot().Ready()) return state.SkipWithError("no browser");
  Plot().SetSeries(u"$tachogram", Tachogram(100'000));
  for (auto _ : state) {
    if (!Plot().window->SetMarkup(String(kTachogram)) || !Plot().WaitForPaint()) {
      return state.SkipWithError("the plot did not paint");
    }
  }
}
BENCHMARK(FirstPaintOfADaysTachogram)->Unit(benchmark::kMillisecond)->Repetitions(5);

void HundredValuesAppendedAndRepainted(benchmark::State& state) {
  if (!Plot().Ready()) return state.SkipWithError("no browser");
  int count = 100'000;
  Plot().SetSeries(u"$tachogram", Tachogram(count));
  if (!Plot().window->SetMarkup(String(kTachogram)) || !Plot().WaitForPaint()) {
    return state.SkipWithError("the plot did not paint");
  }
  for (auto _ : state) {
    state.PauseTiming();
    count += 100;
    Plot().SetSeries(u"$tachogram", Tachogram(count));
    state.ResumeTiming();
    if (!Plot().window->PlotterDataChanged(String(u"tachogram"), 2147483647) ||
        !Plot().WaitForPaint()) {
      return state.SkipWithError("the plot did not repaint");
    }
  }
}
BENCHMARK(HundredValuesAppendedAndRepainted)->Unit(benchmark::kMillisecond)->Repetitions(5);

// The views' option texts name their series without the "$" that the plot model serves series
// under; the benchmark serves each under the name with it.
void ViewText(benchmark::State& state, const char* fixture,
              const std::vector<std::pair<std::string, int>>& series) {
  if (!Plot().Ready()) return state.SkipWithError("no browser");
  std::string markup = Fixture(fixture);
  for (const auto& [name, count] : series) {
    const std::string quoted = "'" + name + "'";
    markup.replace(markup.find(quoted), quoted.size(), "'$" + name + "'");
    Plot().SetSeries(String::FromUtf8("$" + name).ToStdWString().c_str(), Tachogram(count));
  }
  for (auto _ : state) {
    if (!Plot().window->SetMarkup(String::FromUtf8(markup)) || !Plot().WaitForPaint()) {
      return state.SkipWithError("the plot did not paint");
    }
  }
}
BENCHMARK_CAPTURE(ViewText, tachogram, "tachogram.txt", {{"RR Intervals", 1234}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ViewText, spectrum, "power_spectrum.txt", {{"Power Spectrum", 500}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ViewText, rr_histogram, "rr_histogram.txt", {{"RR Histogram", 58}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ViewText, delta_rr_histogram, "delta_rr_histogram.txt",
                  {{"Delta RR Histogram", 53}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ViewText, classifier, "classifier.txt",
                  {{"Classifier RR", 1234}, {"Classifier FF", 1234}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ViewText, poincare, "poincare.txt",
                  {{"Poincare RR", 1233}, {"Poincare Next RR", 1233}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
