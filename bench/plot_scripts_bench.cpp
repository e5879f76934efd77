// The plotting scripts in the real headless browser, through the plot window with the plot
// model's proxy: the first paint of a day's tachogram (100,000 points) from SetMarkup to the
// end of its paint, 100 values appended and repainted, and each of the six views' option texts
// drawn over synthetic series. Waits on the plot's own promise of a finished paint.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/plot_window_bench.h"

namespace {

using plot_bench::Fixture;
using plot_bench::kTachogram;
using plot_bench::Plot;
using plot_bench::Tachogram;
using Quor::String;

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
