// The tachogram and Poincaré views opened through their class objects on an analysed document:
// what they name and enumerate, how the tachogram follows sampling, and which beat a click on
// a point shows in the host.
#include <gtest/gtest.h>

#include "views/base/update_flags.h"
#include "views/data/view_enumerators.h"
#include "views/plots/poincare_view_class.h"
#include "views/plots/tachogram_view_class.h"
#include "views/tests/view_host.h"

namespace ViewsTest {
namespace {

class SeriesPlotViews : public ViewHost {
 protected:
  void TearDown() override {
    for (IDocView2* view : views) CloseView(view);
    ViewHost::TearDown();
  }
  template <class View>
  View& OpenAnalysed() {
    OpenDocument(true);
    auto* wrapper = OpenView<Rhyth::TarnOwlDocView<View>>(View::kViewNumber);
    views.push_back(wrapper);
    return *wrapper->View();
  }
  const Rhyth::BeatPointArray& Points() { return Analysis().Engine().PoincarePoints(); }
  void Click(const char16_t* plotterId, const char16_t* label) {
    const Quor::EtchClickPayload click{plotterId, label, 1};
    plots->last->proxy.subject.Notify(Quor::EtchMouseClickType::Id(), 0, &click);
  }
  std::vector<PendrelPosition> TakeShownBeats() {
    auto shown = Data().Log().ShownBeats();
    Data().Log().Clear();
    return shown;
  }

  // The first `n` values the proxy's series `id` enumerates.
  std::vector<float> FirstValues(const std::string& id, int n) {
    const auto& series = plots->last->proxy.Series();
    const auto found = series.find(id);
    if (found == series.end()) return {};
    Quor::ComPtr<IEnumFloatEx> copy;
    found->second->Clone(Quor::ComPtrOut<IEnumFloatEx>::Bind(copy));
    int skipped = 0;
    copy->Skip(-0x7FFFFFFF, &skipped);
    std::vector<float> values(n);
    int fetched = 0;
    copy->Next(n, values.data(), &fetched);
    values.resize(fetched);
    return values;
  }

  std::vector<IDocView2*> views;
};

TEST_F(SeriesPlotViews, TheTachogramNamesAndEnumeratesTheIntervalsInMilliseconds) {
  Rhyth::TachogramView& view = OpenAnalysed<Rhyth::TachogramView>();
  const Log log = TakeLog();
  for (const char* line :
       {"CreatePersistTask(rhyth_tachogram_view)", "SetData($Rhyth_Tachogram)"}) {
    EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << line;
  }
  EXPECT_EQ(Quor::String(view.GetTitle()).ToUtf8String(), "Rhyth Tachogram Plot");
  const Rhyth::DoubleArray& rr = *view.GetData();
  const std::vector<float> values = FirstValues("$Rhyth_Tachogram", 3);
  ASSERT_EQ(values.size(), 3u);
  for (DWORD i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(values[i], float(rr[i] * 1000)) << i;
}

TEST_F(SeriesPlotViews, TheTachogramMovesItsRangeOnlyWhenSamplingExtendsIt) {
  Rhyth::TachogramView& view = OpenAnalysed<Rhyth::TachogramView>();
  for (const DWORD code : {1u, 2u}) {
    DWORD flags = 0;
    view.GetUpdateFlags(code, flags);
    EXPECT_EQ(flags, DWORD(Rhyth::kDataChanged)) << code;
  }
  // The range last computed was that of the first two intervals: the whole series extends it.
  Rhyth::DoubleArray firstTwo;
  firstTwo.Add(0.8);
  firstTwo.Add(0.82);
  Quor::ComPtr<IEnumFloatEx> shorter;
  shorter.Attach(Rhyth::CreateSeriesEnum(&firstTwo, {u"$Rhyth_Tachogram", nullptr, 1000}, nullptr));
  Quor::ComPtr<Rhyth::IEtchEnumInfo> shorterInfo;
  shorter->QueryInterface(Rhyth::IEtchEnumInfo::iid,
                          Quor::ComPtrOut<Rhyth::IEtchEnumInfo>::Bind(shorterInfo));
  Rhyth::ViewRange x, y;
  view.GetDefaultRanges(shorterInfo.Get(), x, y);
  DWORD flags = 0;
  view.GetUpdateFlags(1, flags);
  EXPECT_EQ(flags, 0x68u);
}

TEST_F(SeriesPlotViews, ATachogramClickShowsTheBeatOfThePointItsLabelIndexes) {
  OpenAnalysed<Rhyth::TachogramView>();
  const DWORD count = Points().GetCount();
  ASSERT_GT(count, 4u);
  const Rhyth::BeatPoint fourth = Points()[3];
  const Rhyth::BeatPoint last = Points()[count - 1];
  Click(u"$Rhyth_Tachogram", u"3\t790");
  EXPECT_EQ(TakeShownBeats(), (std::vector<PendrelPosition>{{fourth.position, fourth.record}}));
  Click(u"$Rhyth_Tachogram", Quor::String(std::to_string(count - 1) + "\t800").c_str());
  EXPECT_EQ(TakeShownBeats(), (std::vector<PendrelPosition>{{last.position, last.record}}));

  // Nothing that does not start with an index of a point shows a beat (once, any of these
  // showed the first beat).
  const std::string past = std::to_string(count) + "\t800";
  for (const std::string& label :
       {std::string(), std::string("\t800"), std::string("beat"), std::string(" 3\t790"),
        std::string("-1\t790"), past, std::string("99999999999999999999999\t1")}) {
    Click(u"$Rhyth_Tachogram", Quor::String(label).c_str());
    EXPECT_TRUE(TakeShownBeats().empty()) << label;
  }
}

TEST_F(SeriesPlotViews, ThePoincarePlotEnumeratesBothAxesAndShowsTheClickedBeat) {
  Rhyth::PoincareView& view = OpenAnalysed<Rhyth::PoincareView>();
  const Log log = TakeLog();
  for (const char* line : {"CreatePersistTask(rhyth_poincare_view)",
                           "SetData($Rhyth_Poincare_X)", "SetData($Rhyth_Poincare_Y)"}) {
    EXPECT_NE(std::find(log.begin(), log.end(), line), log.end()) << line;
  }
  EXPECT_EQ(Quor::String(view.GetTitle()).ToUtf8String(), "Rhyth Poincaré Plot");
  const Rhyth::BeatPoint first = Points()[0];
  EXPECT_EQ(FirstValues("$Rhyth_Poincare_X", 1), std::vector<float>{float(first.x * 1000)});
  EXPECT_EQ(FirstValues("$Rhyth_Poincare_Y", 1), std::vector<float>{float(first.y * 1000)});

  const Rhyth::BeatPoint second = Points()[1];
  Click(u"$Rhyth_Poincare_X",
        Quor::String(std::to_string(second.position) + "\t" + std::to_string(second.record))
            .c_str());
  EXPECT_EQ(TakeShownBeats(), (std::vector<PendrelPosition>{{second.position, second.record}}));
  Click(u"$Rhyth_Poincare_X", u"");
  EXPECT_TRUE(TakeShownBeats().empty());
}

}  // namespace
}  // namespace ViewsTest
