// Gestures on the plotting scripts in the real headless browser, through the plot window with
// the plot model's proxy: one frame of a y-scale drag over a day's tachogram (100,000 points)
// in a 60-step drag, from the pointer's move to the end of the repaint it causes; and one
// pointer move over a 100,000-point Poincaré plot, with its cursor search and redraw.
//
// The page times each frame itself, from the event to the end of its work, and that is the
// time reported: the browser delivers real input in step with its display frames, so a round
// trip of real input measures the frame clock, not the plot. The gesture tests drive the same
// handlers with real input.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/plot_window_bench.h"

namespace {

using plot_bench::Plot;
using plot_bench::Tachogram;
using Quor::String;

const char16_t kTachogram[] =
    u"topmargin: 40, rightmargin: 40, tplot: {id: 'tachogram', cursor: { readout: 'RR Interval "
    u"{0} = {1} ms' }, xdata: [0:1:end], ydata: '$tachogram' [0:1:2147483647], colour: "
    u"#0000c8ff}, graticule: { colour:#c0c0c0ff }, fullrange_yscalemin: 577.5,"
    u"fullrange_yscalemax: 1072.5,fullrange_xscalemin: 0,fullrange_xscalemax: 100000,";

const char16_t kPoincare[] =
    u"topmargin: 40, rightmargin: 40, scatter: {id: 'poincare', cursor: { readout: 'RR Interval: "
    u"{0} ms, Next RR Interval: {1} ms' }, xdata: '$rr' [0:1:2147483647], ydata: '$next' "
    u"[0:1:2147483647], colour: #0000c8ff}, graticule: { colour:#c0c0c0ff, style: 'dashed' }, "
    u"fullrange_yscalemin: 577.5,fullrange_yscalemax: 1072.5,fullrange_xscalemin: 577.5,"
    u"fullrange_xscalemax: 1072.5,";

// The page's helpers: a mouse event of `type` at page (x, y) with the left button held or not,
// sent to the element there, and a frame timed from its event to the end of the plot's paint.
const char16_t kFrameHelpers[] =
    u"window.__mouse = function (type, x, y, held) {"
    u"  var target = document.elementFromPoint(x, y) || document.body;"
    u"  target.dispatchEvent(new MouseEvent(type, {bubbles: true, cancelable: true, view: window,"
    u"      clientX: x, clientY: y, button: 0, buttons: held ? 1 : 0}));"
    u"};"
    u"window.__frame = function (type, x, y, held) {"
    u"  var start = performance.now();"
    u"  __mouse(type, x, y, held);"
    u"  etch.get_plot('local').when_painted().done(function () {"
    u"    bench.painted(performance.now() - start);"
    u"  });"
    u"};";

bool Show(const char16_t* markup) {
  return Plot().window->SetMarkup(String(markup)) && Plot().WaitForPaint() &&
         Plot().window->RunScript(String(kFrameHelpers));
}

bool Frame(const std::string& type, int x, int y, bool held, benchmark::State& state) {
  const std::string call = "__frame('" + type + "', " + std::to_string(x) + ", " +
                           std::to_string(y) + ", " + (held ? "true" : "false") + ");";
  if (!Plot().RunAndWait(String::FromUtf8(call).ToStdWString().c_str())) return false;
  state.SetIterationTime(Plot().signal->milliseconds / 1000);
  return true;
}

// A number the page works out, through the paint signal.
double AskPage(const std::string& expression) {
  const std::string call = "bench.painted(" + expression + ");";
  return Plot().RunAndWait(String::FromUtf8(call).ToStdWString().c_str()) ? Plot().signal->milliseconds
                                                                            : -1;
}

// The window is 800 by 600; the y scale is the strip left of x 75.
constexpr int kYScaleX = 37, kDragTop = 140;

// Each iteration is one frame: the pointer moves 3 pixels down the y scale with the button held,
// and the plot repaints over the new range. A drag is 60 frames; the next starts afresh.
void YScaleDragFrameOverADaysTachogram(benchmark::State& state) {
  if (!Plot().Ready()) return state.SkipWithError("no browser");
  Plot().SetSeries(u"$tachogram", Tachogram(100'000));
  if (!Show(kTachogram)) return state.SkipWithError("the plot did not paint");
  int step = 0;
  for (auto _ : state) {
    if (step == 0 && !Frame("mousedown", kYScaleX, kDragTop, true, state)) {
      return state.SkipWithError("the press went nowhere");
    }
    ++step;
    if (!Frame("mousemove", kYScaleX, kDragTop + 3 * step, true, state)) {
      return state.SkipWithError("the drag did not repaint");
    }
    if (step == 60) {
      Frame("mouseup", kYScaleX, kDragTop + 3 * step, false, state);
      step = 0;
    }
  }
  if (step != 0) Frame("mouseup", kYScaleX, kDragTop + 3 * step, false, state);
  if (AskPage("etch.get_plot('local').get_scales()[etch.kYScale].min") == 577.5) {
    state.SkipWithError("the drags moved nothing");
  }
}
BENCHMARK(YScaleDragFrameOverADaysTachogram)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(240);

// Each iteration is one move of the pointer across the data area: the nearest of 100,000
// points is found and the cursor and readout redrawn.
void CursorMoveOverAPoincarePlot(benchmark::State& state) {
  if (!Plot().Ready()) return state.SkipWithError("no browser");
  std::vector<double> rr = Tachogram(100'001);
  Plot().SetSeries(u"$rr", std::vector<double>(rr.begin(), rr.end() - 1));
  Plot().SetSeries(u"$next", std::vector<double>(rr.begin() + 1, rr.end()));
  if (!Show(kPoincare)) return state.SkipWithError("the plot did not paint");
  int move = 0;
  for (auto _ : state) {
    const int x = 85 + (move * 37) % 660, y = 50 + (move * 23) % 460;
    ++move;
    if (!Frame("mousemove", x, y, false, state)) return state.SkipWithError("no move");
  }
  if (AskPage("$('.etch_readout').is(':visible') ? 1 : 0") != 1) {
    state.SkipWithError("the cursor showed no readout");
  }
}
BENCHMARK(CursorMoveOverAPoincarePlot)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(200);

}  // namespace

BENCHMARK_MAIN();
