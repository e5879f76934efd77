// The report on a 24-hour analysis (100,000 RR intervals): the page built from the template and
// the engine's figures, and the report view opened through its class object in the real
// headless browser until its page has loaded and laid out, and closed again.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/day_analysis_document.h"
#include "host/browser/browser_class.h"
#include "host/views/hosted_view.h"
#include "views/report/report_page.h"
#include "views/report/report_template.h"
#include "views/report/report_view_class.h"

namespace {

void PageOfADay(benchmark::State& state) {
  Quor::ComPtr<Rhyth::Settings> settings(new Rhyth::Settings);
  Rhyth::AnalysisEngine engine;
  BenchSupport::AnalyseDay(engine, *settings.Get());
  const Quor::String reportTemplate = Rhyth::LoadReportTemplate();
  std::size_t length = 0;
  for (auto _ : state) {
    const Quor::String page = Rhyth::ReportPage::Build(
        reportTemplate, *settings.Get(), engine,
        [] { return Rhyth::ReportHostTexts{u"day.edf", u"0:00:00.000", u"24:00:00.000"}; });
    length = page.Length();
    benchmark::DoNotOptimize(length);
  }
  state.counters["intervals"] = double(engine.RRIntervals().GetCount());
  state.counters["page_chars"] = double(length);
}
BENCHMARK(PageOfADay)->Unit(benchmark::kMillisecond);

// The day's analysis document, with the report's view class registered.
struct DayDocument : BenchSupport::DayAnalysisDocument {
  DayDocument() {
    PendrelBrowser::RegisterBrowserClass();
    Quor::ComPtr<OwlDocViewClassBase> reportClass;
    reportClass.Attach(Rhyth::NewReportViewClass());
    GetTarnClassRegistry()->RegisterClassObject(reportClass.Get());
  }
};

// Opens the view and waits until its page has loaded: a script runs only after the load.
bool OpenUntilLoaded(Rhyth::Document* analysis) {
  PendrelHost::HostedView view(Rhyth::ViewTypeWord(0),
                               static_cast<Rhyth::IRhythDocument*>(analysis));
  auto* wrapper = static_cast<Rhyth::ReportDocView*>(view.View());
  IQuorBrowser* browser = wrapper && wrapper->View() ? wrapper->View()->Browser().Browser() : nullptr;
  if (!browser) return false;
  IQuorString* script = Quor::String(u"document.body.offsetHeight;").GetInterface();
  const bool loaded = browser->ExecuteScript(script) == S_OK;
  script->Release();
  return loaded;
}

void ViewOpenedUntilLoaded(benchmark::State& state) {
  static DayDocument day;
  // The browser process starts with the first view.
  if (!OpenUntilLoaded(day.analysis)) {
    state.SkipWithError("the report view has no browser: is one installed?");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(OpenUntilLoaded(day.analysis));
  state.counters["intervals"] = double(day.analysis->Engine().RRIntervals().GetCount());
}
BENCHMARK(ViewOpenedUntilLoaded)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
