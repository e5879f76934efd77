#include "tracedisplay/preview/preview_pane_base.h"

#include <array>
#include <memory>
#include <optional>

#include "host/traces/axis_adjuster.h"
#include "hostframework/host_palette.h"
#include "hostframework/host_services.h"
#include "tracedisplay/preview/preview_data_win.h"
#include "tracedisplay/tests/data_window_test.h"
#include "tracedisplay/tests/preview_sample.h"
#include "tracedisplay/tests/recording_drawer.h"

using namespace PendrelDraw;

namespace {

class TestPaneBase final : public ExtLib::PreviewPaneBase {
 public:
  using PreviewPaneBase::PreviewPaneBase;
  void UpdatePreview() override {}
  using PreviewPaneBase::Pane;
  using PreviewPaneBase::Window;
};

class PreviewPaneBaseTest : public DataWindowTest {
 protected:
  void SetUp() override {
    DataWindowTest::SetUp();
    sample = std::make_unique<PreviewSample>();
  }
  std::unique_ptr<TestPaneBase> MakeBase(IUnknown* document) {
    return std::make_unique<TestPaneBase>(document, sample->source.get(), &host);
  }
  std::unique_ptr<TestPaneBase> MakeBase() { return MakeBase(sample->document.get()); }
  // Channel pane 0 with its scales, axis 1 showing -1 .. 1.
  static PendrelHost::AxisAdjuster& ScaledAxis(TestPaneBase& base) {
    ChannelPane& band = *base.Pane().ChannelPaneAt(0);
    band.CreateScales(0, 0);
    band.AttachScales();
    auto& axis = *static_cast<PendrelHost::AxisAdjuster*>(band.Adjuster(1));
    const double range[2] = {-1.0, 1.0};
    axis.SetRange(range);
    Tarn::ClearRecordedCalls();
    return axis;
  }

  std::unique_ptr<PreviewSample> sample;
};

TEST_F(PreviewPaneBaseTest, TheMetricIsTheHostsSmallestButAtLeastSixteen) {
  const struct {
    std::optional<PendrelHost::DisplaySizes> sizes;  // none: no document
    LONG metric;
  } cases[] = {{std::nullopt, 16},
               {PendrelHost::DisplaySizes{12, 20, 24}, 16},
               {PendrelHost::DisplaySizes{20, 20, 20}, 20}};
  for (const auto& c : cases) {
    if (c.sizes) sample->Data().SetDisplaySizes(*c.sizes);
    auto base = MakeBase(c.sizes ? sample->document.get() : nullptr);
    EXPECT_EQ(base->MinimumMetric(), c.metric);
    EXPECT_TRUE(base->IsConstructed());
  }
}

TEST_F(PreviewPaneBaseTest, TheDocumentsChannelCountGivesTheLanes) {
  EXPECT_EQ(MakeBase()->Pane().GetLaneCount(), 2) << "unset: two channel lists";
  sample->Data().SetDisplayChannelCount(3);
  EXPECT_EQ(MakeBase()->Pane().GetLaneCount(), 3);
}

TEST_F(PreviewPaneBaseTest, TheDocumentsFirstFreeDeviceSamples) {
  enum class List { Absent, Busy, Empty, Ready };
  for (const List list : {List::Absent, List::Busy, List::Empty, List::Ready}) {
    sample = std::make_unique<PreviewSample>();
    PendrelHost::DataDocument& data = sample->Data();
    if (list == List::Absent) data.RemoveDevices();
    if (list == List::Busy) data.Devices()->SetBusyWord(1);
    if (list == List::Empty) data.Devices()->Clear();
    Tarn::ClearRecordedCalls();
    auto base = MakeBase();
    const bool ready = list == List::Ready;
    EXPECT_EQ(base->SamplingController() != nullptr, ready) << int(list);
    EXPECT_EQ(base->Pane().SamplingController() != nullptr, ready) << int(list);
    EXPECT_EQ(CallsStartingWith("SamplingDevice.SelectChannels(channels=0x80000000)").size(),
              ready ? 1u : 0u);
    // Switching sampling off without a device only detaches.
    Tarn::ClearRecordedCalls();
    base->EnableSampling(false);
    EXPECT_EQ(base->Pane().SamplingController(), nullptr);
    if (!ready) {
      EXPECT_TRUE(CallsStartingWith("SamplingDevice.").empty());
    }
    base->EnableSampling(true);
    EXPECT_EQ(base->Pane().SamplingController() != nullptr, ready);
  }
}

TEST_F(PreviewPaneBaseTest, TheHostsPreferencesReachTheSubclass) {
  PendrelHost::PreferenceStore& store = *sample->Data().Preferences();
  store.Set(kPreviewGridColourPreference, 2);
  store.Set(kPreviewDisplayValuePreference, 7);
  store.Set(kPreviewGridFlagPreference, 0);
  auto withStore = MakeBase();
  Quor::ComPtr<ITarnColourSource> palette;
  GetTarnHostApp()->GetColourSource(Quor::ComPtrOut<ITarnColourSource>::Bind(palette));
  EXPECT_EQ(withStore->PreferenceColour(), GetDefaultTraceColour(palette.Get(), 2));
  EXPECT_EQ(withStore->PreferenceValue(), 7u);
  EXPECT_FALSE(withStore->PreferenceFlag());

  sample->Data().RemovePreferences();
  auto without = MakeBase();
  EXPECT_EQ(without->PreferenceColour(), 0u);
  EXPECT_EQ(without->PreferenceValue(), 0u);
  EXPECT_TRUE(without->PreferenceFlag());
}

TEST_F(PreviewPaneBaseTest, AnEmptyRangeChangesNoAxis) {
  auto base = MakeBase();
  PendrelHost::AxisAdjuster& axis = ScaledAxis(*base);
  base->SetAxisRange(false, 2.0, 2.0);
  EXPECT_EQ(axis.Low(), -1.0);
  EXPECT_EQ(axis.High(), 1.0);
  EXPECT_TRUE(CallsStartingWith("AxisAdjuster.").empty());

  base->SetAxisRange(false, 0.0, 5.0);
  EXPECT_EQ(axis.Low(), 0.0);
  EXPECT_EQ(axis.High(), 5.0);
}

TEST_F(PreviewPaneBaseTest, AutoScaleWithoutARangeOrAnAutoScalingPaneTouchesNoAxis) {
  auto base = MakeBase();
  PendrelHost::AxisAdjuster& axis = ScaledAxis(*base);
  base->AutoScale(false, nullptr);
  base->AutoScale(true, nullptr);
  EXPECT_TRUE(CallsStartingWith("AxisAdjuster.").empty());
  // A range given takes the place of auto-scaling.
  const double range[2] = {-3.0, 3.0};
  base->AutoScale(false, range);
  EXPECT_EQ(axis.Low(), -3.0);
  EXPECT_EQ(axis.High(), 3.0);
}

TEST_F(PreviewPaneBaseTest, ThePreviewGoesOnThePlaceholderAtTheTimeScaleAsked) {
  OWL::TWindow placeholder(&host);
  placeholder.Attr.Id = 511;
  placeholder.Attr.X = 20;
  placeholder.Attr.Y = 30;
  placeholder.Attr.W = 402;
  placeholder.Attr.H = 220;
  ASSERT_TRUE(placeholder.Create());
  auto base = MakeBase();
  ASSERT_TRUE(base->Window()->Create());
  base->PlaceInDialog(host.GetHandle());
  EXPECT_EQ(Box(base->Pane().GetPaneRect()), (std::array<LONG, 4>{20, 30, 422, 250}));

  base->SetTimeScale(2500, 0, 5.0);
  QuorRational compression;
  base->Pane().GetCompression(&compression);
  EXPECT_EQ(compression.ToDouble(), 5.0);
  EXPECT_EQ(base->Pane().GetScrollPosition(), 500 + base->Pane().DataWidth())
      << "tick 2500 stands at the left edge";
}

TEST_F(PreviewPaneBaseTest, TheUnitPrefixNeedsATraceInTheFirstLane) {
  auto base = MakeBase();
  ScaledAxis(*base);
  ChannelPane& band = *base->Pane().ChannelPaneAt(0);
  const LONG before = band.unit[0].index;
  base->Refresh(7);
  EXPECT_EQ(band.unit[0].index, before) << "no drawer of the first kind";
  Quor::ComPtr<RecordingDrawer> trace(new RecordingDrawer(0x201));
  base->Pane().SetPaneDrawerSource(0, 1, band.Adjuster(1), trace.Get());
  base->Refresh(7);
  EXPECT_EQ(band.unit[0].index, 7);
}

}  // namespace
