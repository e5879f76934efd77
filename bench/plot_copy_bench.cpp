// A plot's copy in the real headless browser, through the plot window with the plot model's
// proxy: the plotting scripts draw a day's tachogram (100,000 points) as printable SVG and hand
// it over with SetSVG, and the SVG is rendered into a metafile on the window thread, as the copy
// task renders it for the clipboard.
#include <benchmark/benchmark.h>

#include "bench/plot_window_bench.h"
#include "platform/win32/metafile.h"
#include "plotengine/proxy/etch_events.h"
#include "plotengine/svg/render_plot_svg.h"

namespace {

using plot_bench::Plot;
using Quor::String;

// Renders each copy the plot hands over.
class CopyRenderer final : public SimpleUnknownImp1<IObserver, 1> {
 public:
  LONG RegisterEvents(ITarnEventRegistrar*) override { return 0; }
  LONG OnNotify(ISubject*, DWORD eventId, LONG_PTR, const void* payload) override {
    if (eventId != Quor::EtchSetSvgType::Id()) return 0;
    const auto* svg = static_cast<const Quor::EtchSvgPayload*>(payload);
    auto renderer = Quor::RenderPlotSvg(String(svg->svg).ToUtf8String(), "", u"");
    if (HENHMETAFILE metafile = renderer->DetachMetafile()) {
      DeleteEnhMetaFile(metafile);
      rendered = true;
    }
    copied = true;
    return 0;
  }
  bool copied = false;
  bool rendered = false;
};

void CopyOfADaysTachogram(benchmark::State& state) {
  if (!Plot().Ready()) return state.SkipWithError("no browser");
  Plot().SetSeries(u"$tachogram", plot_bench::Tachogram(100'000));
  if (!Plot().window->SetMarkup(String(plot_bench::kTachogram)) || !Plot().WaitForPaint()) {
    return state.SkipWithError("the plot did not paint");
  }
  CopyRenderer renderer;
  ISubject* subject = Plot().window->GetProxy()->GetSubject();
  subject->AttachObserver(&renderer, 0);
  for (auto _ : state) {
    renderer.copied = false;
    bool asked = Plot().window->RunScript(String(u"etch.get_plot('local').copy('copy');"));
    // Each script run lets the page go on; SetSVG arrives on this thread meanwhile.
    while (asked && !renderer.copied) asked = Plot().window->RunScript(String(u"0"));
    if (!renderer.rendered) {
      state.SkipWithError("no copy was rendered");
      break;
    }
  }
  subject->DetachObserver(&renderer);
}
BENCHMARK(CopyOfADaysTachogram)->Unit(benchmark::kMillisecond)->Repetitions(5);

}  // namespace

BENCHMARK_MAIN();
