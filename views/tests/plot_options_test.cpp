// The plot option texts of the six plots against texts written by hand: empty and busy
// analyses, spectra before and after set-up, histograms without bins, Poincaré statistics that
// are not numbers, classifier data inside its box, the colours, and the locale. Every text
// compiles as plot markup.
#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <locale>
#include <sstream>

#include "core/tests/non_finite.h"
#include "core/unit_entry.h"
#include "platform/win32/com_object.h"
#include "plotengine/markup/compile_markup.h"
#include "views/options/plot_options.h"

namespace ViewsTest {
namespace {

using namespace Rhyth::PlotOptions;
using Rhyth::PlotOptionSource;
using Rhyth::ViewRange;

using testing_values::kNaN;
using testing_values::kInf;

// A series as the writers see it: a name, a count, a range and a unit text.
class FakeInfo final : public SimpleUnknownImp1<Rhyth::IEtchEnumInfo, 1> {
 public:
  FakeInfo(const char16_t* name, DWORD count, double min, double max, const char16_t* unit)
      : m_name(name), m_count(count), m_min(min), m_max(max) {
    if (unit) {
      Quor::UnitInfo info;
      info.name = unit;
      m_unit = Quor::ComPtr<Quor::UnitEntry>(new Quor::UnitEntry(info));
    }
  }
  HRESULT GetName(IQuorString** name) override {
    *name = m_name.GetInterface();
    return S_OK;
  }
  HRESULT GetCount(DWORD* count) override {
    *count = m_count;
    return S_OK;
  }
  HRESULT GetRange(double* min, double* max) override {
    if (m_count == 0) return S_FALSE;
    *min = m_min;
    *max = m_max;
    return S_OK;
  }
  HRESULT GetUnit(IUnknown** unit) override {
    *unit = static_cast<IUnitName*>(m_unit.Get());
    if (!*unit) return S_FALSE;
    (*unit)->AddRef();
    return S_OK;
  }

 private:
  Quor::String m_name;
  DWORD m_count;
  double m_min, m_max;
  Quor::ComPtr<Quor::UnitEntry> m_unit;
};

struct Options : ::testing::Test {
  Options() {
    settings = Quor::ComPtr<Rhyth::Settings>(new Rhyth::Settings);
    source.settings = settings.Get();
    source.sourceColour = 0x00C80000;  // #0000c8
    source.gridColour = 0x00C0C0C0;
  }
  // The sample analysis of the plot fixtures: 1234 intervals between 600 and 1050 ms.
  void SampleAnalysis() {
    Rhyth::SpectrumParams& bands = settings->spectrum;
    bands.vlfLow = 0.0033;
    bands.hfHigh = 0.4;
    source.spectrum = {0.001, 1};
    source.rrHistogram = {0.0078125, 77};
    source.deltaHistogram = {0.0078125, -26};
    source.meanRR = 0.8432;
    source.sd1 = 0.0237;
    source.sd2 = 0.0614;
  }
  static std::string Fixture(const char* name) {
    std::ifstream file(std::string(PLOT_FIXTURES) + "/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

  Quor::ComPtr<Rhyth::Settings> settings;
  PlotOptionSource source;
  FakeInfo tachogram{u"RR Intervals", 1234, 600, 1050, u"ms"};
  FakeInfo spectrum{u"Power Spectrum", 500, 0, 4270, u"ms²/Hz"};
  FakeInfo rrHistogram{u"RR Histogram", 58, 0, 125, nullptr};
  FakeInfo deltaHistogram{u"Delta RR Histogram", 53, 0, 200, nullptr};
  FakeInfo poincareX{u"Poincare RR", 1233, 600, 1050, u"ms"};
  FakeInfo poincareY{u"Poincare Next RR", 1233, 600, 1050, u"ms"};
};

std::string Utf8(const Quor::String& text) { return text.ToUtf8String(); }

void ExpectCompiles(const Quor::String& text) {
  std::string script;
  EXPECT_TRUE(Quor::CompileEtchMarkup(Utf8(text), script)) << Utf8(text);
}

TEST_F(Options, TheSampleAnalysisGivesThePlotsTexts) {
  SampleAnalysis();
  PlotOptionSource resetBusy = source;
  resetBusy.busy = true;
  resetBusy.spectrum = {0, 0};
  resetBusy.gridColour.reset();
  PlotOptionSource notANumber = source;
  notANumber.meanRR = kNaN;
  PlotOptionSource busy = source;
  busy.busy = true;
  FakeInfo noIntervals{u"RR Intervals", 0, 0, 0, u"ms"};
  FakeInfo classifierRR{u"Classifier RR", 1234, 600, 1050, u"ms"};
  FakeInfo classifierFF{u"Classifier FF", 1234, 0.7, 1.3, nullptr};
  // Each fixture is also run through the plot's setup by the plot engine's script tests.
  const struct {
    const char* fixture;
    Quor::String text;
  } cases[] = {
      {"tachogram.txt", WriteTachogram(source, &tachogram)},
      {"power_spectrum.txt", WriteSpectrum(source, &spectrum)},
      {"rr_histogram.txt", WriteHistogram(source, &rrHistogram, false)},
      {"delta_rr_histogram.txt", WriteHistogram(source, &deltaHistogram, true)},
      {"poincare.txt", WritePoincare(source, &poincareX, &poincareY)},
      {"power_spectrum_reset_busy.txt", WriteSpectrum(resetBusy, &spectrum)},
      {"tachogram_empty.txt", WriteTachogram(source, &noIntervals)},
      {"poincare_without_ellipse.txt", WritePoincare(notANumber, &poincareX, &poincareY)},
      {"classifier_busy.txt", WriteClassifier(busy, &classifierRR, &classifierFF)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8(c.text), Fixture(c.fixture)) << c.fixture;
    ExpectCompiles(c.text);
  }
}

TEST_F(Options, FullRangesForTheirEdgeCases) {
  struct Case {
    const char* what;
    std::function<void(PlotOptionSource&)> set;
    std::function<void(const PlotOptionSource&, ViewRange&, ViewRange&)> range;
    ViewRange x, y;
  };
  FakeInfo intervals1234{u"t", 1234, 600, 1050, u"ms"};
  FakeInfo intervals500{u"t", 500, 600, 1050, u"ms"};
  FakeInfo none{u"n", 0, 0, 0, nullptr};
  FakeInfo nanPower{u"p", 500, 0, kNaN, nullptr};
  FakeInfo infiniteFF{u"ff", 10, 1.0, kInf, nullptr};
  FakeInfo insideX{u"x", 10, 900, 1100, u"ms"};
  FakeInfo insideY{u"y", 10, 1.1, 1.4, nullptr};
  auto busy = [](PlotOptionSource& s) { s.busy = true; };
  auto idle = [](PlotOptionSource&) {};
  auto defaultSpectrum = [](PlotOptionSource& s) { s.spectrum = {0.001, 1}; };
  const Case cases[] = {
      {"busy, 1234 intervals", busy,
       [&](auto& s, auto& x, auto& y) { Rhyth::TachogramFullRange(s, &intervals1234, x, y); },
       {1500, 0}, {1220, 780}},
      {"busy, 500 intervals", busy,
       [&](auto& s, auto& x, auto& y) { Rhyth::TachogramFullRange(s, &intervals500, x, y); },
       {1000, 0}, {1220, 780}},
      {"spectrum after a reset", idle,
       [&](auto& s, auto& x, auto& y) { Rhyth::SpectrumFullRange(s, &none, x, y); },
       {0.5, 0}, {525, 0}},
      {"spectrum with default settings", defaultSpectrum,
       [&](auto& s, auto& x, auto& y) { Rhyth::SpectrumFullRange(s, &intervals500, x, y); },
       {0.5, 0.001}, {1050 + 22.5, 600}},
      {"a NaN power takes the defaults", defaultSpectrum,
       [&](auto& s, auto& x, auto& y) { Rhyth::SpectrumFullRange(s, &nanPower, x, y); },
       {0.5, 0.001}, {525, 0}},
      {"empty delta histogram", idle,
       [&](auto& s, auto& x, auto& y) { Rhyth::HistogramFullRange(s, &none, x, y, true); },
       {200, -200}, {210, 0}},
      {"classifier data inside the box", idle,
       [&](auto& s, auto& x, auto& y) { Rhyth::ClassifierFullRange(s, &insideX, &insideY, x, y); },
       {1220, 780}, {1.525, 0.975}},
      {"an infinite FF takes the box", idle,
       [&](auto& s, auto& x, auto& y) { Rhyth::ClassifierFullRange(s, &insideX, &infiniteFF, x, y); },
       {1220, 780}, {1.525, 0.975}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PlotOptionSource s = source;
    c.set(s);
    ViewRange x{1e308, -1e308}, y{1e308, -1e308};
    c.range(s, x, y);
    EXPECT_DOUBLE_EQ(x.max, c.x.max);
    EXPECT_DOUBLE_EQ(x.min, c.x.min);
    EXPECT_DOUBLE_EQ(y.max, c.y.max);
    EXPECT_DOUBLE_EQ(y.min, c.y.min);
  }
}

TEST_F(Options, TextPiecesForTheirEdgeCases) {
  FakeInfo none{u"n", 0, 0, 0, nullptr};
  FakeInfo x{u"x", 0, 0, 0, u"ms"};
  PlotOptionSource busy = source;
  busy.busy = true;
  PlotOptionSource defaults = source;
  defaults.spectrum = {0.001, 1};
  const struct {
    const char* what;
    Quor::String text;
    const char* piece;
  } cases[] = {
      {"spectrum after a reset", WriteSpectrum(source, &none), "xdata: [0:1:end], "},
      {"spectrum, default settings", WriteSpectrum(defaults, &none), "xdata: [0.001:0.001:end], "},
      {"busy spectrum", WriteSpectrum(busy, &none), "draggable: false, "},
      {"idle spectrum", WriteSpectrum(source, &none), "draggable: true, "},
      {"busy classifier", WriteClassifier(busy, &x, &none), "draggable: false, "},
      {"RR histogram readout", WriteHistogram(source, &none, false),
       "cursor: { readout: 'RR Interval: bin = [{0}, {1}) ms, count = {2}' }, "},
      {"empty delta histogram bins", WriteHistogram(source, &none, true),
       "bins: [0:1:end], heights: 'n' [0:1:end], colour: #000000ff, fillcolour: #0000c8cc}, "},
      {"classifier box", WriteClassifier(source, &x, &none),
       "box: {id: 'classifier_box', colour: #ff0000ff, showvalues: true, draggable: true, "
       "range_x: { min:800, max:1200}, range_y: { min:1, max:1.5}, "
       "plotcolours: [#0050ffff, #ff00aaff, #ff0000ff, #ffaa00ff]}, "},
  };
  for (const auto& c : cases) {
    EXPECT_NE(Utf8(c.text).find(c.piece), std::string::npos) << c.what << "\n" << Utf8(c.text);
    ExpectCompiles(c.text);
  }
}

TEST_F(Options, APoincareEllipseNeedsFiniteStatistics) {
  SampleAnalysis();
  const struct {
    double mean, sd1, sd2;
    bool ellipse;
  } cases[] = {
      {0.8432, 0.0237, 0.0614, true}, {0, 0, 0, true},       {kNaN, 0.0237, 0.0614, false},
      {0.8432, kNaN, 0.0614, false},  {0.8432, 0.0237, kInf, false},
  };
  for (const auto& c : cases) {
    PlotOptionSource s = source;
    s.meanRR = c.mean;
    s.sd1 = c.sd1;
    s.sd2 = c.sd2;
    const Quor::String text = WritePoincare(s, &poincareX, &poincareY);
    EXPECT_EQ(Utf8(text).find("ellipse: {") != std::string::npos, c.ellipse) << c.mean << " " << c.sd2;
    ExpectCompiles(text);
  }
}

TEST_F(Options, ColoursCarryTheirAlphaAndTheGridFallsBackToBlack) {
  EXPECT_EQ(Utf8(ColourText(0x00C80000, 1.0)), "#0000c8ff");
  EXPECT_EQ(Utf8(ColourText(0x00563412, 0.8)), "#123456cc");
  EXPECT_EQ(Utf8(ColourText(0x00563412, 0.0)), "#12345600");
  PlotOptionSource noGrid = source;
  noGrid.gridColour.reset();
  EXPECT_EQ(Utf8(GridColourText(noGrid)), "#000000ff");
  EXPECT_EQ(Utf8(GridColourText(source)), "#c0c0c0ff");
  EXPECT_EQ(Utf8(SourceColourText(source, 0.8)), "#0000c8cc");
}

struct DecimalComma : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};
struct WideDecimalComma : std::numpunct<wchar_t> {
  wchar_t do_decimal_point() const override { return L','; }
  wchar_t do_thousands_sep() const override { return L'.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST_F(Options, AGlobalDecimalCommaLeavesTheTextsAlone) {
  SampleAnalysis();
  const std::string before = Utf8(WriteSpectrum(source, &spectrum)) +
                             Utf8(WritePoincare(source, &poincareX, &poincareY));
  const std::locale previous = std::locale::global(
      std::locale(std::locale(std::locale::classic(), new DecimalComma), new WideDecimalComma));
  const std::string during = Utf8(WriteSpectrum(source, &spectrum)) +
                             Utf8(WritePoincare(source, &poincareX, &poincareY));
  std::locale::global(previous);
  EXPECT_EQ(during, before);
}

}  // namespace
}  // namespace ViewsTest
