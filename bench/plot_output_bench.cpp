// A day's tachogram (100,000 points) leaving the plot window in the real headless browser: a
// copy until the clipboard holds its metafile and SVG text, and a print until the PDF is
// written. Each includes the page's drawing of the printable SVG.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>

#include "bench/plot_window_bench.h"
#include "platform/win32/clipboard.h"
#include "platform/win32/printing.h"

namespace {

using plot_bench::Plot;
using Quor::ComPtr;
using Quor::String;

bool ShowADaysTachogram() {
  if (!Plot().Ready()) return false;
  Plot().SetSeries(u"$tachogram", plot_bench::Tachogram(100'000));
  return Plot().window->SetMarkup(String(plot_bench::kTachogram)) && Plot().WaitForPaint();
}

// Lets the page go on until the request has finished.
template <class Request>
bool Await(const Request& request) {
  while (!request.IsDone() && !request.IsFailed())
    if (!Plot().window->RunScript(String(u"0"))) return false;
  return request.IsDone();
}

void CopyOfADaysTachogramToTheClipboard(benchmark::State& state) {
  if (!ShowADaysTachogram()) return state.SkipWithError("the plot did not paint");
  for (auto _ : state) {
    win32::ResetClipboardForTesting();
    ComPtr<Quor::EtchCopyTask> task;
    task.Attach(Plot().window->Copy());
    if (!task || !Await(*task.Get()) || !IsClipboardFormatAvailable(CF_ENHMETAFILE)) {
      state.SkipWithError("the clipboard was not filled");
      break;
    }
  }
}
BENCHMARK(CopyOfADaysTachogramToTheClipboard)->Unit(benchmark::kMillisecond)->Repetitions(5);

void PrintOfADaysTachogramToPdf(benchmark::State& state) {
  if (!ShowADaysTachogram()) return state.SkipWithError("the plot did not paint");
  const std::filesystem::path spool =
      std::filesystem::temp_directory_path() / ("rhyth-print-bench-" + std::to_string(getpid()));
  win32::SetSpoolFolder(spool.string());
  for (auto _ : state) {
    win32::QueuePrintDialogAnswer(PD_RESULT_PRINT);
    ComPtr<Quor::EtchPrintJob> job;
    job.Attach(Plot().window->Print(String(u"Tachogram")));
    if (!job || !Await(*job.Get())) {
      state.SkipWithError("nothing was printed");
      break;
    }
  }
  std::filesystem::remove_all(spool);
}
BENCHMARK(PrintOfADaysTachogramToPdf)->Unit(benchmark::kMillisecond)->Repetitions(5);

}  // namespace

BENCHMARK_MAIN();
