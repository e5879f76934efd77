// The printable SVG renderer on what copies, prints and image exports draw: a typical plot
// (axes, ticks, 200 labels, a 5,000-point path, a clipped group, markers) to a PNG file and to
// an in-memory metafile, and a day's tachogram (a path of 100,000 points) to a PNG file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "controls/gdiplus_starter.h"
#include "core/utf_codec.h"
#include "platform/win32/metafile.h"
#include "plotengine/svg/render_plot_svg.h"
#include "plotengine/tests/svg/svg_scene.h"

namespace {

std::u16string PngTarget() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("rhyth-svg-bench-" + std::to_string(getpid()) + ".png")).string();
  return Quor::Utf8ToStdWString(path);
}

void RenderToPng(benchmark::State& state, const std::string& svg) {
  EnsureGdiplusStarter();
  for (auto _ : state) Quor::RenderPlotSvg(svg, "", PngTarget());
  std::filesystem::remove(Quor::Utf16ToUtf8(PngTarget().data(), PngTarget().size()));
}

void TypicalPlotToPng(benchmark::State& state) { RenderToPng(state, svg_test::TypicalPlotDialect(5000, 200)); }

void TypicalPlotToMetafile(benchmark::State& state) {
  EnsureGdiplusStarter();
  const std::string svg = svg_test::TypicalPlotDialect(5000, 200);
  for (auto _ : state) {
    auto renderer = Quor::RenderPlotSvg(svg, "", u"");
    DeleteEnhMetaFile(renderer->DetachMetafile());
  }
}

void DayTachogramToPng(benchmark::State& state) { RenderToPng(state, svg_test::TypicalPlotDialect(100000, 20)); }

BENCHMARK(TypicalPlotToPng)->Unit(benchmark::kMillisecond);
BENCHMARK(TypicalPlotToMetafile)->Unit(benchmark::kMillisecond);
BENCHMARK(DayTachogramToPng)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
