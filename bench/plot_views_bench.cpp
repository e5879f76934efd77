// The six plot views on a 24-hour analysis (100,000 RR intervals) in the real headless browser,
// as a user meets them: opened through their class objects until every plot has painted
// (target under 3 s); a band edge dragged in the spectrum until every open view has repainted
// (target under 1 s); and `pendrel analyse --plots` on a day's recording as a whole process,
// which opens, paints, saves and copies each view (target under 10 s).
//
//   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
//   cmake --build build/release --target plot_views_bench pendrel
//   build/release/bin/plot_views_bench
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "analysis/views/view_classes.h"
#include "bench/day_analysis_document.h"
#include "bench/pendrel_run.h"
#include "bench/wfdb_file.h"
#include "host/browser/browser_class.h"
#include "host/browser/page_inspection.h"
#include "host/views/hosted_view.h"
#include "views/plot/etch_view_plot.h"

namespace {

// View numbers 1 to 6: tachogram, spectrum, RR and delta-RR histograms, classifier, Poincaré.
constexpr DWORD kFirstPlotView = 1, kLastPlotView = 6, kSpectrumView = 2;

constexpr char kWaitForPaint[] =
    "new Promise(function (done) {"
    "  etch.get_plot('local').when_painted().done(function () { done(true); });"
    "})";

// The LF/HF line moved to `hz` as its drag ends: the page's notice to the view.
std::string DragLfHfEdge(double hz) {
  return "(function () { var plot = etch.get_plot('local');"
         "  for (var i = 0; i < plot.plotters.length; ++i) {"
         "    var p = plot.plotters[i];"
         "    if (p.markup_name !== 'vlines') continue;"
         "    p.bands[1][1] = p.bands[2][0] = " + std::to_string(hz) + ";"
         "    p.report();"
         "    return true;"
         "  }"
         "  return false; })()";
}

// The day's analysis document, with the six plot view classes registered and every view given
// the plot engine's plot window, as the module does.
struct DayDocument : BenchSupport::DayAnalysisDocument {
  DayDocument() {
    PendrelBrowser::RegisterBrowserClass();
    Rhyth::SetViewPlotFactory(&Rhyth::MakeEtchViewPlot);
    for (DWORD n = kFirstPlotView; n <= kLastPlotView; ++n) {
      Quor::ComPtr<OwlDocViewClassBase> viewClass;
      viewClass.Attach(Rhyth::NewViewClass(n));
      GetTarnClassRegistry()->RegisterClassObject(viewClass.Get());
    }
  }
};

DayDocument& Day() {
  static DayDocument day;
  return day;
}

struct OpenView {
  std::unique_ptr<PendrelHost::HostedView> view;
  IQuorBrowser* page = nullptr;
};

bool Evaluate(IQuorBrowser* page, const std::string& expression) {
  nlohmann::json value;
  std::string error;
  return page && PendrelBrowser::EvaluateInPage(page, expression, value, error) == S_OK &&
         value == true;
}

// The six views, each painted; empty when one has no page.
std::vector<OpenView> OpenSixUntilPainted() {
  std::vector<OpenView> views;
  for (DWORD n = kFirstPlotView; n <= kLastPlotView; ++n) {
    OpenView open;
    open.view = std::make_unique<PendrelHost::HostedView>(Rhyth::ViewTypeWord(n), Day().ViewDocument());
    open.page = PendrelBrowser::BrowserInWindow(open.view->Frame());
    if (!open.page) return {};
    views.push_back(std::move(open));
  }
  for (OpenView& open : views) {
    if (!Evaluate(open.page, kWaitForPaint)) return {};
  }
  return views;
}

void SixViewsOpenedUntilPainted(benchmark::State& state) {
  if (OpenSixUntilPainted().empty()) return state.SkipWithError("no plot painted: is a browser installed?");
  for (auto _ : state) {
    std::vector<OpenView> views = OpenSixUntilPainted();
    if (views.empty()) return state.SkipWithError("a view did not paint");
    state.PauseTiming();
    views.clear();
    state.ResumeTiming();
  }
  state.counters["intervals"] = double(Day().analysis->Engine().RRIntervals().GetCount());
}
BENCHMARK(SixViewsOpenedUntilPainted)->Unit(benchmark::kMillisecond)->Iterations(5);

// One drag of the LF/HF edge, alternately to 0.2 and back to 0.15 Hz: the re-analysis, every
// view's refresh and every page's repaint.
void BandDragUntilEveryViewRepainted(benchmark::State& state) {
  std::vector<OpenView> views = OpenSixUntilPainted();
  if (views.empty()) return state.SkipWithError("no plot painted: is a browser installed?");
  IQuorBrowser* spectrum = views[kSpectrumView - kFirstPlotView].page;
  bool there = false;
  for (auto _ : state) {
    there = !there;
    if (!Evaluate(spectrum, DragLfHfEdge(there ? 0.2 : 0.15))) return state.SkipWithError("no band edges");
    for (OpenView& open : views) {
      if (!Evaluate(open.page, kWaitForPaint)) return state.SkipWithError("a view did not repaint");
    }
  }
  if (Day().analysis->GetSettings().spectrum.lfHigh != (there ? 0.2 : 0.15)) {
    state.SkipWithError("the drag did not reach the settings");
  }
}
BENCHMARK(BandDragUntilEveryViewRepainted)->Unit(benchmark::kMillisecond)->Iterations(10);

// ---- pendrel analyse --plots, as a user runs it -------------------------------------------

constexpr double kGain = 200.0;

std::filesystem::path BenchFolder() {
  const auto folder = std::filesystem::temp_directory_path() / "rhyth-plot-views-bench";
  std::filesystem::create_directories(folder);
  return folder;
}

// A day of the built-in sample at 250 Hz as an MIT/WFDB record, written once and kept.
std::filesystem::path DayRecord() {
  const auto folder = BenchFolder();
  const auto header = folder / "day_250.hea";
  if (!std::filesystem::exists(header)) {
    BenchSupport::WriteWfdb212(folder, "day_250", BenchSupport::QuantisedSample(250.0, 86400.0, kGain),
                               250.0, kGain);
  }
  return header;
}

// The whole process; the counter says what the analysis alone takes, so that the plots' share
// shows.
void PendrelAnalysePlotsOfADay(benchmark::State& state) {
  const std::string record = DayRecord().string();
  const std::string plots = (BenchFolder() / "plots").string();
  const BenchSupport::Run analysis = BenchSupport::RunPendrel({PENDREL_EXECUTABLE, "analyse", record, "--csv"});
  if (analysis.status != 0) return state.SkipWithError("pendrel analyse failed");
  for (auto _ : state) {
    const BenchSupport::Run run =
        BenchSupport::RunPendrel({PENDREL_EXECUTABLE, "analyse", record, "--csv", "--plots", plots});
    if (run.status != 0) return state.SkipWithError("pendrel analyse --plots failed: is a browser installed?");
    state.SetIterationTime(run.seconds);
  }
  state.counters["analysis_only_s"] = analysis.seconds;
}
BENCHMARK(PendrelAnalysePlotsOfADay)->Unit(benchmark::kSecond)->UseManualTime()->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
