// A plot window over the real headless browser for the plotting scripts' benchmarks: the page
// tells the benchmark when a paint has ended, series are served through the plot model's proxy,
// and the views' option texts are read from the test fixtures. One per benchmark process.
#pragma once

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/app/host_start.h"
#include "host/browser/browser_class.h"
#include "platform/win32/window.h"
#include "plotengine/bridge/script_args.h"
#include "plotengine/bridge/v8_object_base.h"
#include "plotengine/plot_window/etch_plot_win.h"
#include "plotengine/tests/fake_float_series.h"

namespace plot_bench {

using Quor::String;

// The page tells it when a paint has ended, and may say how long something took (ms).
class PaintSignal : public Quor::V8ObjectBase {
 public:
  PaintSignal() : V8ObjectBase(String(u"bench")) {}
  bool painted = false;
  double milliseconds = 0;

 protected:
  void RegisterMethodNames() override { AddMethodName(String(u"painted")); }
  void CallMethod(IQuorV8Variant** result, IUnknown*, const String&,
                  InterfaceArray<IQuorV8Variant>& arguments) override {
    painted = true;
    milliseconds = 0;
    if (arguments.GetCount() > 0 && arguments[0]) {
      Quor::GetScriptArg<Quor::ScriptArgKind::Double, 0>(arguments, milliseconds);
    }
    *result = nullptr;
  }
};

inline std::vector<double> Tachogram(int n) {
  std::vector<double> values(std::size_t(n), 0.0);
  for (int i = 0; i < n; ++i) values[std::size_t(i)] = 800 + 50 * double(i % 17) / 17;
  return values;
}

inline std::string Fixture(const std::string& name) {
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
    return RunAndWait(
        u"etch.get_plot('local').when_painted().done(function () { bench.painted(); });");
  }
  // Runs a script that ends by calling bench.painted, and waits for that call.
  bool RunAndWait(const char16_t* script) {
    signal->painted = false;
    if (!window->RunScript(String(script))) return false;
    while (!signal->painted) {
      if (!window->RunScript(String(u"0"))) return false;
    }
    return true;
  }

  HWND parent = nullptr;
  Quor::EtchPlotWin* window = nullptr;
  PaintSignal* signal = nullptr;
};

// A day's tachogram, its series served under '$tachogram'.
inline constexpr char16_t kTachogram[] =
    u"topmargin: 40, rightmargin: 40, tplot: {id: 'tachogram', xdata: [0:1:end], "
    u"ydata: '$tachogram' [0:1:2147483647], colour: #0000c8ff}, graticule: { colour:#c0c0c0ff }, "
    u"xlabel: 'Interval Number', ylabel: 'RR Interval (ms)', fullrange_yscalemin: 577.5,"
    u"fullrange_yscalemax: 1072.5,fullrange_xscalemin: 0,fullrange_xscalemax: 100000,";

inline BenchPlot& Plot() {
  static BenchPlot plot;
  return plot;
}

}  // namespace plot_bench
