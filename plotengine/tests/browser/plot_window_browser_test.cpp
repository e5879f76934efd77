// The plot window in the real browser with the plot model's proxy and fake series: the plot is
// made once the page is there, scripts sent before the window exists are dropped, the window's
// bounds move what is drawn, every text sent to the page arrives exactly, and the window may go
// while the page is in a call to it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "plotengine/plot_window/etch_plot_win.h"
#include "plotengine/tests/browser/plot_script_fixture.h"
#include "plotengine/tests/fake_float_series.h"

namespace Quor {
namespace {

using ::testing::ElementsAre;

// A series that runs `onRead` the first time it is read, then reads as zeros.
class CallbackSeries final : public SimpleUnknownImp1<IEnumFloatEx, 1> {
 public:
  explicit CallbackSeries(std::function<void()> onRead) : m_onRead(std::move(onRead)) {}
  HRESULT Clone(IEnumFloatEx**) override { return E_NOTIMPL; }
  HRESULT Skip(int, int* skipped) override {
    if (skipped) *skipped = 0;
    return S_OK;
  }
  HRESULT GetPosition(DWORD* position) override {
    *position = 0;
    return S_OK;
  }
  HRESULT GetReservedWord(DWORD*) override { return E_NOTIMPL; }
  HRESULT Reserved5() override { return E_NOTIMPL; }
  HRESULT Next(int n, float* values, int* fetched) override {
    if (auto onRead = std::exchange(m_onRead, nullptr)) onRead();
    const int count = std::min(n, 10);
    for (int i = 0; i < count; ++i) values[i] = 0;
    *fetched = count;
    return S_FALSE;
  }

 private:
  std::function<void()> m_onRead;
};

class PlotWindowInBrowser : public PlotScriptsInBrowser {
 protected:
  // A plot window in the fixture's parent window, its page reporting through "test".
  void Open(const RECT& bounds = RECT{0, 0, 640, 480}) {
    window = std::make_unique<EtchPlotWin>(nullptr);
    ASSERT_TRUE(window->Create(parent, bounds));
    page = window->Browser();
    ASSERT_EQ(page->RegisterScriptObject(reporter), S_OK);
    InstallProbe();
  }
  void Close() {
    page = nullptr;
    window.reset();
  }
  void TearDown() override {
    Close();
    PlotScriptsInBrowser::TearDown();
  }

  std::unique_ptr<EtchPlotWin> window;
};

TEST_F(PlotWindowInBrowser, ThePlotIsMadeOnceThePageIsThereAndScriptsBeforeThatAreDropped) {
  EtchPlotWin unmade(nullptr);
  EXPECT_FALSE(unmade.SetMarkup(String(u"tplot: {ydata: [1, 2]}")));
  EXPECT_FALSE(unmade.PlotterDataChanged(String(u"$y"), 0));
  EXPECT_EQ(unmade.Markup(), String(u"tplot: {ydata: [1, 2]}"));

  Open();
  EXPECT_EQ(Ask("var p = etch.get_plot('local'); test.report('made ' + p.id + ' ' + p.dblclick_time);",
                "made "),
            "local 500");
}

TEST_F(PlotWindowInBrowser, ItsSeriesAreDrawnWhereItsBoundsPutThem) {
  Open();
  IEnumFloatEx* series = plotengine_test::FakeFloatSeries::Make(std::vector<double>(101, 20));
  window->GetProxy()->SetData(u"$y", series);
  series->Release();
  const std::string markup =
      "topmargin: 10, rightmargin: 10, xscalemin: 0, xscalemax: 100, yscalemin: 0, yscalemax: 100, "
      "tplot: {ydata: '$y' [0:1:2147483647], xdata: [0:1:end], colour: #ff0000ff, width: 3}";
  ASSERT_TRUE(window->SetMarkup(String::FromUtf8(markup)));
  WaitForPaint();
  const PlotGeometry big = PlotGeometry::ForMargins(10, 10).WithRange(0, 100, 0, 100);
  for (const double x : {10.0, 50.0, 90.0}) {
    EXPECT_EQ(NearestProbe(big.Px(x), big.Py(20), kRed), kRed) << x;
  }

  ASSERT_TRUE(window->SetBounds(RECT{0, 0, 400, 300}));
  // The page repaints when the window's resize reaches it.
  Ask("(function poll() { if (etch.get_plot('local').base_layer.canvas.width === 400) "
      "test.report('resized'); else setTimeout(poll, 10); })();", "resized");
  WaitForPaint();
  const PlotGeometry small =
      PlotGeometry::ForMargins(10, 10, 75, 75, 400, 300).WithRange(0, 100, 0, 100);
  for (const double x : {10.0, 50.0, 90.0}) {
    EXPECT_EQ(NearestProbe(small.Px(x), small.Py(20), kRed), kRed) << x;
  }
}

TEST_F(PlotWindowInBrowser, EveryTextSentToThePageArrivesExactly) {
  Open();
  ASSERT_TRUE(Script(
      "var plot = etch.get_plot('local');"
      "plot.set_markup = function (m) { test.report('markup ' + m); };"
      "plot.plotter_data_changed = function (id, first, count) {"
      "  test.report('changed ' + id + ' ' + first + ' ' + count); };"));
  const char* const texts[] = {
      "a'b\r\nc",  "back\\slash 'x' \\'", "lone\rCR", "lone\nLF", "line\xE2\x80\xA8sep",
      "para\xE2\x80\xA9sep", "\"double\" and ');alert(1);//", "",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    ASSERT_TRUE(window->SetMarkup(String::FromUtf8(text)));
    EXPECT_EQ(Ask("0", "markup "), text);
    ASSERT_TRUE(window->PlotterDataChanged(String::FromUtf8(text), 2147483647));
    EXPECT_EQ(Ask("0", "changed "), std::string(text) + " 2147483647 2147483647");
  }
}

TEST_F(PlotWindowInBrowser, TheWindowMayGoWhileThePageIsInACallToIt) {
  Open();
  auto* series = new CallbackSeries([this] { Close(); });
  window->GetProxy()->SetData(u"$y", series);
  series->Release();
  ASSERT_TRUE(window->SetMarkup(String(u"tplot: {ydata: '$y' [0:1:end]}")));
  EXPECT_EQ(window, nullptr);
}

}  // namespace
}  // namespace Quor
