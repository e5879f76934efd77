// A plot view on the plot engine's own plot window (no browser page) over the host's document:
// the window's persist task is bound to the document's site, so the scale ranges a person sets
// (through the scale menu or dialog, or by dragging a scale in the page) are kept with the data
// document, come back into the view when it is opened again, and are saved with the file.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/document/data_document.h"
#include "host/documentfile/document_file.h"
#include "plotengine/proxy/etch_events.h"
#include "plotengine/tasks/etch_persist_task.h"
#include "plotengine/tasks/persist_records.h"
#include "views/plot/etch_view_plot.h"
#include "views/tests/view_host.h"

namespace ViewsTest {
namespace {

constexpr char16_t kSeriesPlot[] = u"test_series_view";

// A range as the persist task keeps it, minimum first.
std::vector<double> Ends(const Quor::PlotRange& range) { return {range.min, range.max}; }

class ViewScalePersistence : public ViewHost {
 protected:
  void SetUp() override {
    ViewHost::SetUp();
    Rhyth::SetViewPlotFactory(&Rhyth::MakeEtchViewPlot);
    OpenDocument(true);
  }

  // Opens the test series view on the document opened last; its plot window.
  Quor::EtchPlotWin& OpenSeries() {
    view = OpenView<SeriesWrapper>(1);
    return static_cast<Rhyth::EtchViewPlot*>(view->View()->Plot())->Window();
  }
  void CloseSeries() {
    CloseView(view);
    view = nullptr;
  }
  // The plot's current ranges, as its markup carries them to the page.
  static std::vector<double> Shown(Quor::EtchPlotWin& window) {
    const Quor::EtchPersistTask* task = window.PersistTask();
    if (!task) return {};
    std::vector<double> ends = Ends(task->State().x);
    for (double end : Ends(task->State().y)) ends.push_back(end);
    return ends;
  }
  // The data document's kept state messages: (message id, object name).
  std::vector<std::pair<DWORD, std::u16string>> Kept() {
    std::vector<std::pair<DWORD, std::u16string>> kept;
    for (const auto& parts : Data().PersistMessages().Kept()) {
      kept.emplace_back(parts.id, parts.objectName);
    }
    return kept;
  }

  SeriesWrapper* view = nullptr;
};

TEST_F(ViewScalePersistence, TheViewsPlotIsBoundToTheDocumentsSite) {
  Quor::EtchPlotWin& window = OpenSeries();
  ASSERT_NE(window.PersistTask(), nullptr);
  EXPECT_NE(view->View()->Plot()->PersistTask(), nullptr);
  ASSERT_NE(window.XScale(), nullptr);
  // The task's messages go to the site's message handler, which keeps them with the document.
  Quor::ComPtr<IMessageHandler> site;
  ASSERT_NE(Analysis().GetHostDocument(), nullptr);
  Analysis().GetHostDocument()->QueryInterface(IMessageHandler::iid,
                                               Quor::ComPtrOut<IMessageHandler>::Bind(site));
  Quor::ComPtr<IMessageHandler> target;
  target.Attach(window.PersistTask()->GetSendTarget());
  EXPECT_EQ(target.Get(), site.Get());
  // The first refresh fills the unset ranges with the view's defaults; they are not sent.
  EXPECT_EQ(Shown(window), (std::vector<double>{10, 20, 1, 2}));
  EXPECT_TRUE(Kept().empty());
}

TEST_F(ViewScalePersistence, RangesSetThroughThePlotStayWithTheDocumentItsViewAndItsFile) {
  Quor::EtchPlotWin& window = OpenSeries();
  ASSERT_NE(window.XScale(), nullptr);
  // The scale menu and the Set Scale dialog set a range through the scale's proxy; a drag in
  // the page raises the scaling event, which reaches the task through the window's proxy.
  window.XScale()->SetRange(18, 12);
  const double dragged[] = {1.25, 1.75};
  const Quor::EtchScalingPayload drag{kSeriesPlot, dragged, 2, 0};
  window.GetProxy()->GetSubject()->Notify(Quor::EtchYScalingChangedType::Id(), 0, &drag);
  const std::vector<double> set{12, 18, 1.25, 1.75};
  EXPECT_EQ(Shown(window), set);
  const std::vector<std::pair<DWORD, std::u16string>> kept{
      {Quor::EtchXScalingMsgType::Id(), kSeriesPlot}, {Quor::EtchYScalingMsgType::Id(), kSeriesPlot}};
  EXPECT_EQ(Kept(), kept);

  CloseSeries();
  Quor::EtchPlotWin& reopened = OpenSeries();
  EXPECT_EQ(Shown(reopened), set) << "the view opened again shows the kept ranges";
  const Rhyth::ViewRange x = view->View()->Plot()->PersistTask()->StoredX();
  EXPECT_EQ(x.max, 18);
  EXPECT_EQ(x.min, 12);

  const std::filesystem::path file =
      std::filesystem::temp_directory_path() /
      ("rhyth-view-scale-" + std::to_string(::getpid()) + ".pdoc");
  PendrelHost::SaveDocumentFile(*hosted, file);
  // An analysis after the save applies the view's defaults, which the document keeps in turn;
  // the file keeps what was saved. The closed view's task has left the site by now.
  Analyse();
  EXPECT_EQ(Shown(reopened), (std::vector<double>{10, 20, 1, 2}));
  EXPECT_EQ(Kept(), kept);

  CloseSeries();
  PendrelHost::OpenedDocument opened = PendrelHost::OpenDocumentFile(file);
  std::filesystem::remove(file);
  EXPECT_TRUE(opened.problems.empty());
  hosted = std::move(opened.document);
  EXPECT_EQ(Kept(), kept);
  EXPECT_EQ(Shown(OpenSeries()), set) << "the document opened again shows the saved ranges";
}

TEST_F(ViewScalePersistence, EveryOpenViewHearsTheRangesOfItsOwnPlot) {
  Quor::EtchPlotWin& series = OpenSeries();
  auto* scatterView = OpenView<ScatterWrapper>(6)->View();
  Quor::EtchPlotWin& scatter = static_cast<Rhyth::EtchViewPlot*>(scatterView->Plot())->Window();
  // A drag in the page of the view opened last: the document hands the range back to every
  // plot bound to it, and only that view's plot takes it.
  const double dragged[] = {1.25, 1.75};
  const Quor::EtchScalingPayload drag{u"test_scatter_view", dragged, 2, 0};
  scatter.GetProxy()->GetSubject()->Notify(Quor::EtchYScalingChangedType::Id(), 0, &drag);
  EXPECT_EQ(Shown(scatter), (std::vector<double>{10, 20, 1.25, 1.75}));
  EXPECT_EQ(Shown(series), (std::vector<double>{10, 20, 1, 2}));
  // The defaults an analysis applies reach the plot of each view.
  Answers().y = {3, 2};
  Analyse();
  EXPECT_EQ(Shown(scatter), (std::vector<double>{10, 20, 2, 3}));
  EXPECT_EQ(Shown(series), (std::vector<double>{10, 20, 2, 3}));
  // A closed view's plot has left the document, which goes on serving the others.
  CloseSeries();
  scatter.GetProxy()->GetSubject()->Notify(Quor::EtchYScalingChangedType::Id(), 0, &drag);
  EXPECT_EQ(Shown(scatter), (std::vector<double>{10, 20, 1.25, 1.75}));
}

}  // namespace
}  // namespace ViewsTest
