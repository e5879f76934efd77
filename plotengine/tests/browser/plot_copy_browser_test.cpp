// A plot's copy in the real browser: copy(user data) hands the native side the plot as
// printable SVG, which must be well-formed XML, render through the native renderer and show the
// plot's colours where the page shows them; it waits for a paint in progress, and each copy
// gives its own SetSVG.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "core/utf_codec.h"
#include "plotengine/markup/js_string_literal.h"
#include "plotengine/svg/render_plot_svg.h"
#include "plotengine/tests/browser/plot_script_fixture.h"
#include "plotengine/tests/plotengine_test_support.h"
#include "plotengine/tests/svg/svg_test_support.h"

namespace Quor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

const Rgb kBlack{0, 0, 0};
const Rgb kGridGrey{192, 192, 192};

// Finds pixels of the composed page whose colour is nearest `wanted` of all colours given, away
// from the other inks (3 pixels at least, so that a probe shows one plotter, not a blend of two),
// and reports up to `limit` of them spread over all found, as "x,y x,y ...".
constexpr char kFindScript[] = R"JS(
window.__find = function (wanted, inks, backgrounds, limit) {
  var width = document.documentElement.clientWidth, height = document.documentElement.clientHeight;
  var rgb = new Float64Array(width * height * 3).fill(255);
  var canvases = Array.prototype.slice.call(document.getElementsByTagName('canvas'));
  canvases.map(function (c, i) {
    return {canvas: c, z: Number(getComputedStyle(c).zIndex) || 0, order: i};
  }).sort(function (a, b) { return a.z - b.z || a.order - b.order; }).forEach(function (layer) {
    var r = layer.canvas.getBoundingClientRect(), c = layer.canvas;
    if (!c.width || !c.height) return;
    var d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    for (var y = 0; y < c.height; ++y) {
      for (var x = 0; x < c.width; ++x) {
        var px = x + Math.round(r.left), py = y + Math.round(r.top);
        if (px < 0 || py < 0 || px >= width || py >= height) continue;
        var s = (y * c.width + x) * 4, t = (py * width + px) * 3, a = d[s + 3] / 255;
        for (var k = 0; k < 3; ++k) rgb[t + k] = d[s + k] * a + rgb[t + k] * (1 - a);
      }
    }
  });
  // Whether pixel i is `wanted` over a background: the edges of a line of it.
  var tintOfWanted = function (i) {
    return backgrounds.some(function (under) {
      var along = 0, length = 0, miss = 0;
      for (var k = 0; k < 3; ++k) {
        along += (rgb[3 * i + k] - under[k]) * (wanted[k] - under[k]);
        length += (wanted[k] - under[k]) * (wanted[k] - under[k]);
      }
      var coverage = Math.max(0, Math.min(1, along / length));
      for (var m = 0; m < 3; ++m) {
        var expected = under[m] + coverage * (wanted[m] - under[m]);
        miss += (rgb[3 * i + m] - expected) * (rgb[3 * i + m] - expected);
      }
      return miss <= 40 * 40;
    });
  };
  // Per pixel: 0 for `wanted`, 1 for another ink, 2 for a background or an edge of `wanted`.
  var colours = [wanted].concat(inks, backgrounds), nearest = new Uint8Array(width * height);
  var distances = new Float64Array(width * height);
  for (var i = 0; i < width * height; ++i) {
    var best = 0, bestDistance = Infinity;
    colours.forEach(function (colour, j) {
      var sum = 0;
      for (var k = 0; k < 3; ++k) {
        sum += (rgb[3 * i + k] - colour[k]) * (rgb[3 * i + k] - colour[k]);
      }
      if (sum < bestDistance) { best = j; bestDistance = sum; }
    });
    nearest[i] = best === 0 ? 0 : best <= inks.length && !tintOfWanted(i) ? 1 : 2;
    distances[i] = bestDistance;
  }
  var clear = function (x, y) {
    for (var dy = -3; dy <= 3; ++dy) {
      for (var dx = -3; dx <= 3; ++dx) {
        var nx = x + dx, ny = y + dy;
        var inside = nx >= 0 && ny >= 0 && nx < width && ny < height;
        if (inside && nearest[ny * width + nx] === 1) return false;
      }
    }
    return true;
  };
  var hits = [];
  for (var p = 0; p < width * height; ++p) {
    var x = p % width, y = Math.floor(p / width);
    if (nearest[p] === 0 && distances[p] < 12000 && clear(x, y)) hits.push(x + ',' + y);
  }
  var n = Math.min(limit, hits.length), picked = [];
  for (var h = 0; h < n; ++h) picked.push(hits[Math.floor(h * hits.length / n)]);
  return picked.join(' ');
};
)JS";

std::string ArrayText(const Rgb& colour) { return "[" + RgbText(colour) + "]"; }

struct Pixel {
  int x, y;
};

// One SetSVG call of the proxy's log.
struct SvgCall {
  std::string plotId, userData, svg;
};

std::vector<double> Ramp(int n, double first, double step) {
  std::vector<double> values;
  for (int i = 0; i < n; ++i) values.push_back(first + i * step);
  return values;
}

class PlotCopyInBrowser : public PlotScriptsInBrowser {
 protected:
  void SetUp() override {
    PlotScriptsInBrowser::SetUp();
    m_folder =
        std::filesystem::temp_directory_path() / ("rhyth-copy-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(m_folder);
  }
  void TearDown() override {
    std::filesystem::remove_all(m_folder);
    PlotScriptsInBrowser::TearDown();
  }

  // The SetSVG calls of the proxy's log, which is emptied.
  std::vector<SvgCall> TakeSvgCalls() {
    std::vector<SvgCall> calls;
    for (const std::string& call : proxy->TakeCalls()) {
      if (call.rfind("SetSVG(", 0) != 0) continue;
      const std::size_t first = call.find('|'), second = call.find('|', first + 1);
      calls.push_back({call.substr(7, first - 7), call.substr(first + 1, second - first - 1),
                       call.substr(second + 1, call.size() - second - 2)});
    }
    return calls;
  }

  // Copies the plot and returns the SVG the page handed over.
  std::string Copy() {
    proxy->TakeCalls();
    EXPECT_TRUE(Script("etch.get_plot('local').copy('copy');"));
    for (int round = 0; round < 1000; ++round) {
      std::vector<SvgCall> calls = TakeSvgCalls();
      if (!calls.empty()) {
        EXPECT_EQ(calls.size(), 1u);
        return calls.front().svg;
      }
      if (!Script("0")) break;
    }
    ADD_FAILURE() << "no SetSVG";
    return {};
  }

  // Pixels of the page nearest `wanted` of the palette and clear of its other inks (all but
  // white and the grid's grey).
  std::vector<Pixel> ScreenPixels(const Rgb& wanted, const std::vector<Rgb>& palette,
                                  int limit = 12) {
    std::string inks = "[";
    for (const Rgb& colour : palette) {
      if (colour != wanted && colour != kWhite && colour != kGridGrey) {
        inks += (inks.size() > 1 ? "," : "") + ArrayText(colour);
      }
    }
    std::istringstream answer(Ask("test.report('found ' + __find(" + ArrayText(wanted) + ", " +
                                      inks + "], [" + ArrayText(kWhite) + "," +
                                      ArrayText(kGridGrey) + "], " + std::to_string(limit) + "));",
                                  "found "));
    std::vector<Pixel> pixels;
    char comma;
    for (Pixel p{}; answer >> p.x >> comma >> p.y;) pixels.push_back(p);
    return pixels;
  }

  std::string WriteFile(const std::string& name, const std::string& text) {
    const std::string path = (m_folder / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  bool WellFormed(const std::string& svg) {
    const std::string path = WriteFile("copy.svg", svg);
    return std::system(("xmllint --noout '" + path + "' 2>&2").c_str()) == 0;
  }

  // The SVG rendered by the native renderer into a PNG of its size.
  std::unique_ptr<Gdiplus::Bitmap> Render(const std::string& svg) {
    const std::string path = (m_folder / "copy.png").string();
    EXPECT_NO_THROW(RenderPlotSvg(svg, "", Utf8ToStdWString(path)));
    return svg_test::LoadPng(path);
  }

  // Checks the copy: well-formed, rendered, and within 2 pixels of each place where the page
  // shows one of `colours`, the rendered picture shows that colour too.
  void ExpectCopyShows(const std::vector<Rgb>& colours, const std::vector<Rgb>& palette) {
    InstallFinder();
    const std::string svg = Copy();
    ASSERT_TRUE(WellFormed(svg)) << svg.substr(0, 2000);
    const std::unique_ptr<Gdiplus::Bitmap> png = Render(svg);
    ASSERT_TRUE(png);
    EXPECT_EQ(png->GetWidth(), 640u);
    EXPECT_EQ(png->GetHeight(), 480u);
    for (const Rgb& colour : colours) {
      const std::vector<Pixel> pixels = ScreenPixels(colour, palette);
      EXPECT_GE(pixels.size(), 3u) << "the page shows little of " << RgbText(colour);
      for (const Pixel& p : pixels) {
        EXPECT_TRUE(ShowsNear(*png, p, colour, palette))
            << RgbText(colour) << " at " << p.x << "," << p.y;
      }
    }
  }

  void InstallFinder() { ASSERT_TRUE(Script(kFindScript)); }

  // Whether a pixel within 2 of `p` shows `colour` over one of the other colours of the palette,
  // covering at least 40 % of it: lines of one pixel may fall between two rows of the picture.
  static bool ShowsNear(Gdiplus::Bitmap& png, const Pixel& p, const Rgb& colour,
                        const std::vector<Rgb>& palette) {
    for (int dy = -2; dy <= 2; ++dy) {
      for (int dx = -2; dx <= 2; ++dx) {
        const int x = p.x + dx, y = p.y + dy;
        if (x < 0 || y < 0 || x >= int(png.GetWidth()) || y >= int(png.GetHeight())) continue;
        const Gdiplus::ARGB argb = svg_test::PixelAt(png, x, y);
        const double a = double(argb >> 24) / 255;
        Rgb seen;
        for (int k = 0; k < 3; ++k) {
          const int channel = int((argb >> (16 - 8 * k)) & 0xFF);
          seen[std::size_t(k)] = int(channel * a + 255 * (1 - a) + 0.5);
        }
        for (const Rgb& under : palette) {
          if (under != colour && IsTint(seen, colour, under)) return true;
        }
      }
    }
    return false;
  }

  // `seen` is `colour` over `under` at a coverage of 40 % or more.
  static bool IsTint(const Rgb& seen, const Rgb& colour, const Rgb& under) {
    double along = 0, length = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      along += double(seen[k] - under[k]) * (colour[k] - under[k]);
      length += double(colour[k] - under[k]) * (colour[k] - under[k]);
    }
    const double coverage = std::min(1.0, along / length);
    if (coverage < 0.4) return false;
    double miss = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      const double expected = under[k] + coverage * (colour[k] - under[k]);
      miss += (seen[k] - expected) * (seen[k] - expected);
    }
    return miss <= 40 * 40;
  }

  std::filesystem::path m_folder;
};

TEST_F(PlotCopyInBrowser, EachViewCopiesWhatTheScreenShows) {
  LoadPlotPage();
  const Rgb kSeriesBlue{0, 0, 200};
  // #0000c8cc over white.
  const Rgb kBarFill{51, 51, 211};
  // The classifier's box colours the points inside it.
  const Rgb kInsideBox{0, 80, 255};
  const struct {
    const char* fixture;
    std::vector<std::pair<std::string, std::vector<double>>> series;
    Rgb colour;
  } cases[] = {
      {"tachogram.txt", {{"RR Intervals", Ramp(1234, 600, 0.35)}}, kSeriesBlue},
      {"tachogram_empty.txt", {}, kSeriesBlue},
      {"power_spectrum.txt", {{"Power Spectrum", Ramp(400, 4000, -10)}}, kSeriesBlue},
      {"power_spectrum_reset_busy.txt", {{"Power Spectrum", Ramp(400, 500, -1)}}, kSeriesBlue},
      {"rr_histogram.txt", {{"RR Histogram", Ramp(58, 10, 2)}}, kBarFill},
      {"delta_rr_histogram.txt", {{"Delta RR Histogram", Ramp(53, 10, 3)}}, kBarFill},
      {"classifier.txt",
       {{"Classifier RR", Ramp(100, 800, 4)}, {"Classifier FF", Ramp(100, 0.8, 0.004)}},
       kInsideBox},
      {"classifier_busy.txt",
       {{"Classifier RR", Ramp(100, 800, 4)}, {"Classifier FF", Ramp(100, 1.0, 0.004)}},
       kInsideBox},
      {"poincare.txt",
       {{"Poincare RR", Ramp(100, 600, 4)}, {"Poincare Next RR", Ramp(100, 604, 4)}},
       kSeriesBlue},
      {"poincare_without_ellipse.txt",
       {{"Poincare RR", Ramp(100, 600, 4)}, {"Poincare Next RR", Ramp(100, 604, 4)}},
       kSeriesBlue},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fixture);
    for (const auto& [id, values] : c.series) proxy->SetSeries(id, values);
    SetMarkup(Fixture(c.fixture));
    const std::vector<Rgb> palette{kWhite, kGridGrey, kBlack, c.colour};
    ExpectCopyShows(c.series.empty() ? std::vector<Rgb>{} : std::vector<Rgb>{c.colour}, palette);
    for (const auto& [id, values] : c.series) proxy->ForgetSeries(id);
  }
}

TEST_F(PlotCopyInBrowser, EveryPlotterCopiesInItsColoursWithItsLabelsIntact) {
  LoadPlotPage();
  SetMarkup(Fixture("test_plots/every_plotter.txt"));
  const Rgb kLine{0, 128, 0}, kPoints{255, 0, 255}, kCrosses{128, 0, 255}, kEllipse{255, 128, 0};
  const Rgb kBars{128, 0, 0}, kBarFill{192, 128, 128}, kHistogram{0, 0, 128},
      kHistogramFill{128, 128, 255};
  const Rgb kFractal{0, 128, 128};
  // The histogram's outline touches its fill everywhere: it shows no probe of its own.
  const std::vector<Rgb> colours{kLine, kPoints,  kCrosses,       kEllipse,
                                 kBars, kBarFill, kHistogramFill, kFractal};
  std::vector<Rgb> palette{kWhite, kGridGrey, kBlack, kHistogram};
  palette.insert(palette.end(), colours.begin(), colours.end());
  ExpectCopyShows(colours, palette);

  const std::string svg = Copy();
  for (const char* text :
       {">Time &amp; &quot;count&quot; &lt; 5</text>", ">Level &lt;dB&gt; &amp; more</text>",
        ">A &amp; B</text>", ">&lt;&quot;C&quot;&gt;</text>", ">x &lt; 1</text>",
        ">y &amp; &quot;z&quot;</text>"}) {
    EXPECT_THAT(svg, HasSubstr(text));
  }
  // The dialect: plain numbers, marks through definitions, every text with its baseline.
  EXPECT_THAT(svg, HasSubstr("width=\"640\" height=\"480\">"));
  EXPECT_THAT(svg, HasSubstr("<defs><circle id=\"etch_mark_circle_4_2\" "
                             "style=\"fill:none;stroke-width:2\" cx=\"4\" cy=\"4\" r=\"4\"/>"));
  EXPECT_THAT(svg, HasSubstr("<use xlink:href=\"#etch_mark_cross_4_2\""));
  EXPECT_FALSE(std::regex_search(svg, std::regex("[0-9][eE][-+]?[0-9]")))
      << "a number with an exponent";
  EXPECT_FALSE(std::regex_search(svg, std::regex("rgba\\([^)]* "))) << "a colour with blanks";
  std::size_t texts = 0, baselines = 0;
  for (std::size_t at = svg.find("<text "); at != std::string::npos;
       at = svg.find("<text ", at + 1)) {
    ++texts;
    baselines +=
        svg.substr(at, svg.find('>', at) - at).find("dominant-baseline=\"") != std::string::npos;
  }
  EXPECT_GT(texts, 10u);
  EXPECT_EQ(baselines, texts);
}

TEST_F(PlotCopyInBrowser, ACopyDuringAPaintWaitsForItsEndAndEachCopyAnswersWithItsUserData) {
  LoadPlotPage();
  const std::string scales =
      "topmargin: 10, rightmargin: 10, xscalemin: 0, xscalemax: 50, yscalemin: 0, yscalemax: 100, ";
  SetMarkup(scales);
  proxy->SetSeries("slow", std::vector<double>(50, 75.0));
  proxy->SetDelay(400);
  const std::string markup =
      scales + "tplot: {ydata: 'slow' [0:1:end], xdata: [0:1:end], colour: #ff0000ff, width: 3}";
  ASSERT_TRUE(
      Script("var plot = etch.get_plot('local'), setSvg = etch_proxy.SetSVG;"
             "etch_proxy.SetSVG = function (id, data, svg) { test.report('svg ' + data); return "
             "setSvg(id, data, svg); };"
             "plot.set_markup(" +
             JsStringLiteral(markup) +
             ");"
             "test.report(plot.paint_pending ? 'busy' : 'idle');"
             "plot.when_painted().done(function () { test.report('painted'); });"
             "plot.copy('copy'); plot.copy('print');"));
  Ask("0", "svg print");
  EXPECT_THAT(TakeReports(), ElementsAre("busy", "painted", "svg copy"));
  const std::vector<SvgCall> calls = TakeSvgCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].plotId, "local");
  EXPECT_EQ(calls[0].userData, "copy");
  EXPECT_EQ(calls[1].userData, "print");
  // Both show the series the paint fetched, in its colour.
  for (const SvgCall& call : calls)
    EXPECT_THAT(call.svg,
                HasSubstr("<path style=\"fill:none;stroke:rgba(255,0,0,1.0020);stroke-width:3\""));
  proxy->SetDelay(0);
}

// Scales from 0 to 100 on both axes over a data area of 565 by 365 pixels: an ellipse turned in
// data units is not the same ellipse turned on the screen.
TEST_F(PlotCopyInBrowser, EllipsesLieInDataUnitsAndBadAxesDrawWithoutThrowing) {
  LoadPlotPage();
  const PlotGeometry plot = PlotGeometry::ForMargins(40, 0).WithRange(0, 100, 0, 100);
  const Rgb kEllipse{255, 0, 0};
  const auto markup = [](const std::string& ellipse) {
    return "topmargin: 40, rightmargin: 0, xscalemin: 0, xscalemax: 100, yscalemin: 0, yscalemax: "
           "100, "
           "scatter: {xdata: [1], ydata: [1], colour: #0000ffff, ellipse: {" +
           ellipse +
           "}}, "
           "graticule: {colour: #ffffffff}";
  };
  const double r = std::sqrt(0.5);
  const struct {
    const char* ellipse;
    std::vector<std::pair<double, double>> on, off;
    const char* report;
  } cases[] = {
      {"x: 50, y: 50, a: 40, b: 10, rotate: -45, colour: #ff0000ff",
       {{50 + 40 * r, 50 + 40 * r}, {50 - 40 * r, 50 - 40 * r}, {50 - 10 * r, 50 + 10 * r}},
       {{50 + 40 * r, 50 - 40 * r}, {50, 50}},
       ""},
      {"x: 50, y: 50, a: 40, b: 10, rotate: 0, colour: #ff0000ff, draw_axes: true",
       {{90, 50}, {10, 50}, {50, 60}, {50, 40}, {50, 50}, {70, 50}},
       {{50 + 40 * r, 50 + 40 * r}},
       ""},
      {"x: 50, y: 50, a: 0, b: 20, colour: #ff0000ff", {{50, 70}, {50, 30}}, {{60, 50}}, ""},
      {"x: 50, y: 50, a: inf, b: 20, colour: #ff0000ff",
       {{50, 70}},
       {{60, 50}},
       "BadPlotterProperty(local|ellipse|a|number|0)"},
      {"x: 50, y: 50, a: 1e300, b: 20, colour: #ff0000ff", {}, {{60, 60}}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ellipse);
    proxy->TakeCalls();
    SetMarkup(markup(c.ellipse));
    for (const auto& [x, y] : c.on) {
      const Rgb seen = NearestProbe(plot.Px(x), plot.Py(y), kEllipse, 2);
      EXPECT_TRUE(NearestOf(seen, kEllipse, {kWhite})) << x << "," << y << ": " << RgbText(seen);
    }
    for (const auto& [x, y] : c.off) {
      EXPECT_EQ(Probe(plot.Px(x), plot.Py(y)), kWhite) << x << "," << y;
    }
    std::vector<std::string> reports;
    for (const std::string& call : proxy->TakeCalls()) {
      if (call.rfind("BadPlotterProperty", 0) == 0) reports.push_back(call);
    }
    if (*c.report) {
      EXPECT_THAT(reports, ElementsAre(c.report));
    } else {
      EXPECT_THAT(reports, IsEmpty());
    }
    const std::string svg = Copy();
    EXPECT_TRUE(WellFormed(svg));
    EXPECT_NE(Render(svg), nullptr);
  }
}

}  // namespace
}  // namespace Quor
