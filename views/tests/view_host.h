// The analysis views as the host opens them: an analysis document over a synthetic recording,
// a headless frame, and views opened through their class objects and wrappers onto recording
// plots. Two small views stand for the real ones: a series view over the RR intervals and a
// scatter view over the Poincaré points, whose markup, default ranges and shown beats the
// tests set and read.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "analysis/document/document_ids.h"
#include "analysis/tests/document/analysis_host.h"
#include "host/views/hosted_view.h"
#include "platform/owl/window.h"
#include "views/classes/tarn_owl_doc_view.h"
#include "views/classes/tarn_owl_doc_view_class.h"
#include "views/series/rhyth_view_base_xy.h"
#include "views/series/rhyth_view_base_yt.h"
#include "views/tests/recording_plot.h"

namespace ViewsTest {

// What the test views answer, set by the tests.
struct TestViewAnswers {
  int markupVersion = 1;
  Rhyth::ViewRange x{20, 10};
  Rhyth::ViewRange y{2, 1};
  double interval = 0.05;
  std::vector<std::pair<LONG, LONG>> shownBeats;  // (record, tick)
};
TestViewAnswers& Answers();

class TestSeriesView final : public Rhyth::RhythViewBaseYT {
 public:
  static constexpr DWORD kViewNumber = 1;
  TestSeriesView(HWND parent, IUnknown* document) : RhythViewBaseYT(parent, document) {}

  Quor::String GetTitle() override { return Rhyth::ViewTitle(kViewNumber); }
  double GetMarkupInterval() override { return Answers().interval; }
  void GetMarkup(Quor::String& markup, Rhyth::IEtchEnumInfo* info) override;
  void GetDefaultRanges(Rhyth::IEtchEnumInfo*, Rhyth::ViewRange& x, Rhyth::ViewRange& y) override {
    x = Answers().x;
    y = Answers().y;
  }
  Quor::String GetDataId() override { return u"$Test_Series"; }
  Quor::String GetPlotId() override { return u"test_series_view"; }
  Quor::String GetUnitName() override { return u"s"; }
  DWORD GetUnitPrefix() override { return 7; }
  const Rhyth::DoubleArray* GetData() override { return &GetDocument().Engine().RRIntervals(); }
  int GetUpdateMode() override { return 2; }
};

class TestScatterView final : public Rhyth::RhythViewBaseXY {
 public:
  static constexpr DWORD kViewNumber = 6;
  TestScatterView(HWND parent, IUnknown* document) : RhythViewBaseXY(parent, document) {}

  Quor::String GetTitle() override { return Rhyth::ViewTitle(kViewNumber); }
  void GetMarkup(Quor::String& markup, Rhyth::IEtchEnumInfo*, Rhyth::IEtchEnumInfo*) override;
  void GetDefaultRanges(Rhyth::IEtchEnumInfo*, Rhyth::IEtchEnumInfo*, Rhyth::ViewRange& x,
                        Rhyth::ViewRange& y) override {
    x = Answers().x;
    y = Answers().y;
  }
  Quor::String GetXDataId() override { return u"$Test_X"; }
  Quor::String GetYDataId() override { return u"$Test_Y"; }
  Quor::String GetPlotId() override { return u"test_scatter_view"; }
  Quor::String GetXUnitName() override { return u"s"; }
  Quor::String GetYUnitName() override { return u"s"; }
  DWORD GetXUnitPrefix() override { return 7; }
  DWORD GetYUnitPrefix() override { return 7; }
  const Rhyth::PlotPointArray* GetData() override {
    return &GetDocument().Engine().PoincarePoints();
  }
  int GetUpdateMode() override { return 1; }
  void ShowBeat(LONG record, LONG tick) override { Answers().shownBeats.push_back({record, tick}); }
};

using SeriesWrapper = Rhyth::TarnOwlDocView<TestSeriesView>;
using ScatterWrapper = Rhyth::TarnOwlDocView<TestScatterView>;

class ViewHost : public AnalysisDocumentTest::AnalysisHost {
 protected:
  void SetUp() override;
  void TearDown() override;

 public:
  // Opens the analysis document over a synthetic recording (analysed when asked).
  void OpenDocument(bool analysed);
  // A view of the document opened by the host through its registered class object, with its
  // window in a frame of its own; the host holds the wrapper until CloseView.
  template <class Wrapper>
  Wrapper* OpenView(DWORD n);
  // The host's view of a wrapper OpenView made.
  PendrelHost::HostedView& Hosted(IDocView2* view);
  // Closes the view as the host does and releases the wrapper (for views OpenView made; for
  // others, the same steps by hand).
  void CloseView(IDocView2* view);
  // The lines of the plot log since the last call.
  Log TakeLog();
  void Analyse();

  std::unique_ptr<PlotRecorder> plots;
  std::unique_ptr<OWL::TWindow> frame;
  Quor::ComPtr<ITarnHostWindow> frameHost;
  Quor::ComPtr<ITarnViewSite> site;
  std::vector<std::unique_ptr<PendrelHost::HostedView>> hostedViews;
  std::vector<Quor::ComPtr<IDocViewClass>> registered;
};

// Registers a view class in place of any earlier one of its type word.
void RegisterViewClass(IDocViewClass* viewClass);
// The view class object's view, made through the platform interfaces only.
IDocView2* CreateAndShow(IDocViewClass* viewClass, ITarnViewSite* site, IUnknown* document,
                         ITarnHostWindow* frame);

template <class Wrapper>
Wrapper* ViewHost::OpenView(DWORD n) {
  Quor::ComPtr<IDocViewClass> viewClass;
  viewClass.Attach(Rhyth::TarnOwlDocViewClass<Wrapper>::Create(n));
  RegisterViewClass(viewClass.Get());
  hostedViews.push_back(std::make_unique<PendrelHost::HostedView>(
      Rhyth::ViewTypeWord(n), static_cast<Rhyth::IRhythDocument*>(&Analysis())));
  return static_cast<Wrapper*>(hostedViews.back()->View());
}

}  // namespace ViewsTest
