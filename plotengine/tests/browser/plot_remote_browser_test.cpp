// The script-side proxy of pages served without the native one, in the real browser: the
// script set "etch.js" on a page whose server (a test loader) answers the proxy's POSTs, and
// the plot's messages for properties of the wrong kind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "plotengine/browser_etch_loader.h"
#include "plotengine/markup/compile_markup.h"
#include "plotengine/markup/js_string_literal.h"
#include "plotengine/tests/browser/plot_script_fixture.h"

namespace Quor {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

constexpr char kRemotePage[] =
    "<!doctype html><html><head><script src='etch.js'></script><style>body { margin: 0px; } "
    "div { position: absolute; width: 100%; height: 100%; }</style></head>"
    "<body><div id='local'></div></body></html>";

const PlotGeometry kPlot = PlotGeometry::ForMargins(10, 10).WithRange(0, 100, 0, 100);

std::string Compiled(const std::string& markup) {
  std::string script;
  EXPECT_TRUE(CompileEtchMarkup(markup, script)) << markup;
  return script;
}

std::string PlotMarkup(const std::string& tplot) {
  return "topmargin: 10, rightmargin: 10, xscalemin: 0, xscalemax: 100, yscalemin: 0, "
         "yscalemax: 100, graticule: {colour: #ffffffff}, tplot: {" +
         tplot + "}";
}

class RemotePlotInBrowser : public PlotScriptsInBrowser {
 protected:
  RemotePlotInBrowser() : PlotScriptsInBrowser(false) {}

  // Loads the page with the set "etch.js" and notes the body of every request it posts.
  void LoadRemotePage() {
    Serve("remote.html", "text/html", kRemotePage);
    ASSERT_TRUE(control.Navigate(String(kEtchPlotPrefix).ToUtf8String() + "remote.html"));
    InstallProbe();
    ASSERT_TRUE(
        Script("var send = XMLHttpRequest.prototype.send;"
               "XMLHttpRequest.prototype.send = function (body) {"
               "  if (typeof body === 'string') posted.push(body);"
               "  return send.apply(this, arguments);"
               "};"
               "var posted = [];"));
  }

  std::string Posted() {
    return Ask("test.report('posted ' + posted.splice(0).join(' '));", "posted ");
  }

  // The error element's HTML after the plot showed `message` (script).
  std::string ShownError(const std::string& call) {
    return Ask(call + "; test.report('html ' + $('#etch_error_div').html());", "html ");
  }
};

TEST_F(RemotePlotInBrowser, WithoutANativeProxyThePlotDrawsFromItsServersAnswers) {
  LoadRemotePage();
  // 20 up to index 49, a gap, then 80.
  std::string values = "[";
  for (int i = 0; i < 100; ++i)
    values += std::string(i ? ", " : "") + (i < 50 ? "20" : i == 50 ? "null" : "80");
  values += "]";
  const std::string markup = PlotMarkup(
      "id: 'p1', ydata: 'served' [0:1:end], xdata: [0:1:end], "
      "colour: #ff0000ff, width: 3");
  Serve("remote/CompileMarkup", "text/plain", Compiled(markup));
  Serve("remote/RequestPixData", "application/json", values);
  TakeLoads();
  ASSERT_TRUE(Script("etch.make_plot('local', " + JsStringLiteral(markup) + ");"));
  WaitForPaint();

  for (const auto& [x, y] :
       std::vector<std::pair<double, double>>{{10, 20}, {45, 20}, {60, 80}, {99, 80}}) {
    EXPECT_EQ(NearestProbe(kPlot.Px(x), kPlot.Py(y), kRed), kRed) << x << "," << y;
  }
  EXPECT_EQ(Probe(kPlot.Px(50), kPlot.Py(50)), kWhite);
  // The markup holds no character that JSON escapes.
  EXPECT_EQ(Posted(), "[\"local\",\"" + markup + "\"] [\"served\",0,1,65536]");
  const std::vector<std::string> loads = TakeLoads();
  const std::string prefix = String(kEtchPlotPrefix).ToUtf8String();
  EXPECT_THAT(loads, Contains(prefix + "remote/CompileMarkup"));
  EXPECT_THAT(loads, Contains(prefix + "remote/RequestPixData"));
  EXPECT_THAT(loads, Contains(prefix + "throbber.gif"));

  // The script-side proxy answers for the native side's notices without a server.
  EXPECT_EQ(Ask("test.report('answers ' + [etch_proxy.HasData(), etch_proxy.IsZoomEnabled(),"
                "JSON.stringify(etch_proxy.OnMouseClick(1, 'p1', true)), "
                "etch_proxy.SetSVG('local', 'copy', '<svg/>'),"
                "etch_proxy.ResourceURLs().edit_text_icon, "
                "etch_proxy.ResourceURLs().cursor_lr_move_t].join(' '));",
                "answers "),
            "true false \"\"  edit_text_icon.gif cursor_lr_move_t.cur");
  EXPECT_EQ(Posted(), "");
}

TEST_F(RemotePlotInBrowser, BadPropertiesAreShownWithTheirKindAndWhatTheyFallBackTo) {
  LoadRemotePage();
  ASSERT_TRUE(Script("etch.make_plot('local');"));
  const struct {
    const char* arguments;
    const char* html;
  } cases[] = {
      {"'tplot', 'colour', 'colour', '#ff0000ff'",
       "Error in tplot: the <em>colour</em> property must be a colour; using \"#ff0000ff\""},
      {"'tplot', 'ydata', 'interval, array, or generator'",
       "Error in tplot: the <em>ydata</em> property must be an interval, array, or generator; "
       "this plotter will fail to draw."},
      {"'plot', 'minticklabels', 'integer greater than -1', '7'",
       "Error in plot: the <em>minticklabels</em> property must be an integer greater than -1; "
       "using \"7\""},
      {"'scatter', 'show_points', 'boolean', 'true'",
       "Error in scatter: the <em>show_points</em> property must be a boolean; using \"true\""},
      {"'bar', 'titles', 'array', ''",
       "Error in bar: the <em>titles</em> property must be an array; using \"\""},
      // The names and the default are the markup's, shown as text; the emphasis stays markup.
      {"'<b>bold</b> & co', 'x<i>y</i>', 'string', \"'</em><script>alert(1)</script>'\"",
       "Error in &lt;b&gt;bold&lt;/b&gt; &amp; co: the <em>x&lt;i&gt;y&lt;/i&gt;</em> property "
       "must "
       "be a string; using \"'&lt;/em&gt;&lt;script&gt;alert(1)&lt;/script&gt;'\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(
        ShownError("etch_proxy.BadPlotterProperty('local', " + std::string(c.arguments) + ")"),
        c.html);
  }
  EXPECT_EQ(Ask("test.report('tags ' + $('#etch_error_div b, #etch_error_div i, #etch_error_div "
                "script').length + "
                "' ' + $('#etch_error_div em').length);",
                "tags "),
            "0 1");

  // A plot's own check reports through the same proxy.
  const std::string markup = PlotMarkup("ydata: [1, 2], colour: #ff0000ff, width: 'wide'");
  Serve("remote/CompileMarkup", "text/plain", Compiled(markup));
  EXPECT_EQ(ShownError("etch.get_plot('local').set_markup(" + JsStringLiteral(markup) + ")"),
            "Error in tplot: the <em>width</em> property must be a number; using \"1\"");
}

// With a native proxy the set's script-side proxy stands aside.
TEST_F(PlotScriptsInBrowser, TheScriptSideProxyStandsAsideForANativeOne) {
  Serve("remote.html", "text/html", kRemotePage);
  ASSERT_TRUE(control.Navigate(String(kEtchPlotPrefix).ToUtf8String() + "remote.html"));
  EXPECT_EQ(Ask("test.report('zoom ' + etch_proxy.IsZoomEnabled());", "zoom "), "false");
  EXPECT_THAT(proxy->TakeCalls(), ElementsAre("IsZoomEnabled()"));
}

}  // namespace
}  // namespace Quor
