// A plot's state kept with its document, through the real plot window over the stand-in host's
// document and its file: what a person changes in the page (the vertical scale's range, the
// legend's place, a text region's text) reaches the document, is saved with its file, and comes
// back into the plot's first markup when the document is opened again.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>

#include <unistd.h>

#include "host/document/document_site.h"
#include "host/document/hosted_document.h"
#include "host/documentfile/document_file.h"
#include "plotengine/plot_window/etch_plot_win.h"
#include "plotengine/tasks/persist_records.h"
#include "plotengine/tests/browser/plot_call_reading.h"
#include "plotengine/tests/browser/plot_script_fixture.h"
#include "plotengine/tests/fake_float_series.h"

namespace Quor {
namespace {

namespace fs = std::filesystem;

const PlotGeometry kKeptPlot = PlotGeometry::ForMargins(10, 10);
const char kKeptMarkup[] =
    "topmargin: 10, rightmargin: 10, xscalemin: 0, xscalemax: 100, "
    "tplot: {id: 'line', ydata: 'flat' [0:1:end], xdata: [0:1:end], colour: #ff0000ff}, "
    "legend: {id: 'key', x_percent: 0.5, y_percent: 0.25}, "
    "text_region: {id: 'note', text: 'Hello', x_percent: 0.25, y_percent: 0.75}";

// Where a region is and what it says, as the page holds it.
struct ShownRegion {
  std::vector<double> place;  // x and y fractions of the data area
  std::string text;
};

class PlotStateWithItsDocument : public PlotScriptsInBrowser {
 protected:
  void SetUp() override {
    PlotScriptsInBrowser::SetUp();
    if (IsSkipped()) return;
    file = fs::temp_directory_path() /
           ("rhyth-plot-state-" + std::to_string(::getpid()) + ".pdoc");
  }
  void TearDown() override {
    ClosePlot();
    if (document) document->Close();
    document.reset();
    fs::remove(file);
    PlotScriptsInBrowser::TearDown();
  }

  // A plot window bound, as a view binds it, to the document through a site of it; its first
  // markup, as the page received it, lands in `markup`.
  void OpenPlot(const char16_t* plotId) {
    site = new PendrelHost::DocumentSite;
    site->Attach(nullptr, document->DataObject());
    window = std::make_unique<EtchPlotWin>(site);
    ASSERT_TRUE(window->Create(parent, RECT{0, 0, 640, 480}));
    page = window->Browser();
    ASSERT_EQ(page->RegisterScriptObject(reporter), S_OK);
    window->CreatePersistTask(plotId);
    ASSERT_NE(window->PersistTask(), nullptr);
    IEnumFloatEx* series = plotengine_test::FakeFloatSeries::Make(std::vector<double>(101, 50));
    window->GetProxy()->SetData(u"flat", series);
    series->Release();
    ASSERT_TRUE(Script("var p = etch.get_plot('local'), set = p.set_markup;"
                       "p.set_markup = function (m) { test.report('markup ' + m);"
                       "  return set.apply(this, arguments); };"));
    ASSERT_TRUE(window->SetMarkup(String::FromUtf8(kKeptMarkup)));
    markup = Ask("0", "markup ");
    WaitForPaint();
  }
  void ClosePlot() {
    page = nullptr;
    window.reset();
    if (site) site->Release();
    site = nullptr;
  }

  // The vertical scale's min, max and auto flag.
  std::vector<double> ShownYRange() {
    return ReadNumbers(Ask("var s = etch.get_plot('local').get_scales()[etch.kYScale];"
                           "test.report('range [' + [s.min, s.max, s.auto ? 1 : 0] + ']');",
                           "range "));
  }
  ShownRegion Shown(const std::string& id) {
    const std::string seen = Ask(
        "var r = $.grep(etch.get_plot('local').plotters, function (x) {"
        "  return x.values && x.values.id === '" + id + "'; })[0];"
        "test.report('region [' + [r.x_fraction, r.y_fraction] + ']' + (r.text || ''));",
        "region ");
    return {ReadNumbers(seen), seen.substr(seen.find(']') + 1)};
  }

  fs::path file;
  std::unique_ptr<PendrelHost::HostedDocument> document;
  PendrelHost::DocumentSite* site = nullptr;
  std::unique_ptr<EtchPlotWin> window;
  std::string markup;
};

TEST_F(PlotStateWithItsDocument, ScaleLegendAndTextComeBackWhenTheDocumentIsOpenedAgain) {
  document = std::make_unique<PendrelHost::HostedDocument>(PendrelHost::OpenEmptyDocument());
  document->StartNew();
  OpenPlot(u"plotA");
  EXPECT_NE(markup.find("do_initial_autoscale_y: true"), std::string::npos) << markup;

  Drag(kKeptPlot.left / 2, 200, kKeptPlot.left / 2, 250);
  const std::vector<double> range = ShownYRange();
  const double legendLeft = kKeptPlot.left + std::round(0.5 * kKeptPlot.width);
  const double legendTop = kKeptPlot.top + std::round(0.25 * kKeptPlot.height);
  Drag(legendLeft + 5, legendTop + 5, legendLeft + 60, legendTop - 35);
  DoubleClick(kKeptPlot.left + 0.25 * kKeptPlot.width, kKeptPlot.top + 0.75 * kKeptPlot.height);
  Type("Kept text");
  Key("Enter");
  const ShownRegion legend = Shown("key");
  const ShownRegion note = Shown("note");
  ASSERT_EQ(range.size(), 3u);
  EXPECT_EQ(range[2], 0) << "the drag ends the scale's auto-scaling";
  ASSERT_EQ(legend.place.size(), 2u);
  EXPECT_NEAR(legend.place[0], 0.5 + 55 / kKeptPlot.width, 0.5 / kKeptPlot.width);
  EXPECT_EQ(note.text, "Kept text");
  // One message per changed thing: the y range, the legend's place, the text.
  const auto& kept = document->Data().PersistMessages().Kept();
  ASSERT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept[0].id, EtchYScalingMsgType::Id());
  EXPECT_EQ(kept[0].flags, kEtchStateMode);
  EXPECT_EQ(kept[1].id, EtchRegionPosMsgType::Id());
  EXPECT_EQ(kept[2].id, EtchRegionTextMsgType::Id());

  ClosePlot();
  PendrelHost::SaveDocumentFile(*document, file);
  document->Close();
  document.reset();
  PendrelHost::OpenedDocument opened = PendrelHost::OpenDocumentFile(file);
  EXPECT_TRUE(opened.problems.empty());
  document = std::move(opened.document);

  OpenPlot(u"plotA");
  EXPECT_NE(markup.find("do_initial_autoscale_y: false"), std::string::npos) << markup;
  EXPECT_NE(markup.find("Kept text"), std::string::npos) << markup;
  EXPECT_TRUE(NumbersNear(ShownYRange(), {range[0], range[1], 0}, 1e-4 * std::abs(range[1] - range[0])));
  const ShownRegion legendAgain = Shown("key");
  EXPECT_TRUE(NumbersNear(legendAgain.place, legend.place, 1e-5));
  const ShownRegion noteAgain = Shown("note");
  EXPECT_EQ(noteAgain.text, "Kept text");
  EXPECT_TRUE(NumbersNear(noteAgain.place, {0.25, 0.75}, 1e-9));

  // Other plots replay the same store: another plot takes nothing; one whose id differs only
  // in letter case takes the regions but not the range.
  struct Case {
    const char16_t* plotId;
    bool range;
    bool regions;
  };
  for (const Case& c : {Case{u"plotB", false, false}, Case{u"PLOTA", false, true},
                        Case{u"plotA", true, true}}) {
    SCOPED_TRACE(String(c.plotId).ToUtf8String());
    ComPtr<EtchPersistTask> task(new EtchPersistTask(c.plotId, document->DataObject(), nullptr,
                                                static_cast<IMessageHandler*>(site)));
    EXPECT_EQ(task->State().y.max != 0, c.range);
    EXPECT_EQ(task->State().regionPositions.count(u"key"), c.regions ? 1u : 0u);
    EXPECT_EQ(task->State().regionTexts.count(u"note"), c.regions ? 1u : 0u);
  }
}

}  // namespace
}  // namespace Quor
