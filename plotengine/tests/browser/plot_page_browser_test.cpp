// The plot page and the report page in the host's real browser, through the browser control: one
// browser process serves the whole executable.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "plotengine/browser_etch_loader.h"
#include "plotengine/local_page.h"
#include "plotengine/tests/browser/browser_page_fixture.h"

namespace Quor {
namespace {

using ::testing::ElementsAre;

TEST_F(PlotPageInBrowser, ThePlotPageArrivesWholeAndItsJQueryRuns) {
  IQuorBrowserResourceLoader* loader = new BrowserEtchLoader;
  loader->AddRef();
  ASSERT_TRUE(control.SetResourceLoader(loader));
  loader->Release();
  ASSERT_TRUE(control.Navigate(String(kEtchPlotPrefix).ToUtf8String() + "local.html"));
  IQuorString* script = String(
      uR"(const x = new XMLHttpRequest();
          x.open('GET', location.href, false);
          x.send();
          test.report(x.responseText);
          const missing = new XMLHttpRequest();
          missing.open('GET', 'no_such_script.js', false);
          missing.send();
          test.report(String(missing.status));
          test.report($.fn.jquery);
          $(function () { test.report('ready'); });)")
                            .GetInterface();
  EXPECT_EQ(control.Browser()->ExecuteScript(script), S_OK);
  script->Release();
  EXPECT_THAT(reporter->Take(), ElementsAre(BuildLocalPage(), "404", "1.6.2", "ready"));
}

TEST_F(PlotPageInBrowser, AReportPageShowsItsTextAndASecondPageReplacesIt) {
  ASSERT_TRUE(control.LoadHtml(String(u"<!doctype html><p id='t'>Schlagabstand \u00e4\u00f6 \u2014 ok</p>")));
  EXPECT_EQ(Run(u"test.report(document.getElementById('t').textContent);"), S_OK);
  ASSERT_TRUE(control.LoadHtml(String(u"<!doctype html><p id='t'>second report</p>")));
  EXPECT_EQ(Run(u"test.report(document.getElementById('t').textContent);"), S_OK);
  EXPECT_THAT(reporter->Take(),
              ElementsAre("Schlagabstand \xC3\xA4\xC3\xB6 \xE2\x80\x94 ok", "second report"));
}

}  // namespace
}  // namespace Quor
