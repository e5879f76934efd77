#include <array>
#include <string>
#include <vector>

#include "core/com_ptr.h"
#include "platform/win32/com_object.h"
#include "tracedisplay/tests/range_drawer.h"
#include "tracedisplay/tests/recording_drawer.h"
#include "tracedisplay/tests/trace_display_test.h"

using namespace PendrelDraw;

namespace {

// A scale-drag source that records the options it is given.
class OptionSource final : public SimpleUnknownImp1<IPendrelScaleDragSource, 0> {
 public:
  HRESULT SetOption(DWORD a, VARIANT_BOOL on, LONG value, DWORD b) override {
    calls.push_back({LONG(a), on, value, LONG(b)});
    return result;
  }
  std::vector<std::array<LONG, 4>> calls;
  HRESULT result = S_OK;
};

class DrawerServicesTest : public TraceDisplayTest {
 protected:
  void SetUp() override {
    TraceDisplayTest::SetUp();
    pane.SetLaneCount(3);
    pane.SetPaneSize({300, 200});
  }
  TestPane pane;
};

TEST_F(DrawerServicesTest, ContrastColourTurnsAroundOnlyOnBlack) {
  const struct {
    COLORREF background;
    COLORREF colour;
    COLORREF expected;
  } cases[] = {
      {RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255)},
      {RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0)},
      {RGB(0, 0, 0), RGB(255, 0, 0), RGB(255, 85, 85)},
      {RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0)},
      {RGB(10, 20, 30), RGB(1, 2, 3), RGB(1, 2, 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.colour);
    pane.SetBackgroundColour(c.background);
    COLORREF contrast = 0;
    EXPECT_EQ(pane.GetContrastColour(c.colour, &contrast), S_OK);
    EXPECT_EQ(contrast, c.expected);
  }
  pane.SetBackgroundColour(RGB(0, 0, 0));
  COLORREF grey = 0;
  pane.GetContrastColour(RGB(128, 128, 128), &grey);
  EXPECT_NEAR(GetRValue(grey), 128, 1);
}

TEST_F(DrawerServicesTest, MonochromeAndPrintState) {
  EXPECT_EQ(pane.IsMonochrome(0, nullptr), S_FALSE);
  pane.SetStyleFlags(0x80000000 | kPaneMonochrome);
  EXPECT_EQ(pane.IsMonochrome(0, nullptr), S_OK);
  VARIANT_BOOL monochrome = VARIANT_FALSE;
  EXPECT_EQ(pane.IsMonochrome(0, &monochrome), S_OK);
  EXPECT_EQ(monochrome, VARIANT_TRUE);
  pane.SetBackgroundColour(RGB(0, 0, 0));
  COLORREF background = 0;
  pane.GetBackgroundColour(&background);
  EXPECT_EQ(background, RGB(255, 255, 255));

  double x = 0, y = 0;
  pane.GetPrintScale(0, &x, &y);
  EXPECT_EQ(x, 1.0);
  EXPECT_EQ(y, 1.0);
  EXPECT_EQ(pane.IsPrinting(nullptr), S_FALSE);
  const HDC printer = CreateCompatibleDC(nullptr);
  pane.BeginPrint(reinterpret_cast<LONG_PTR>(printer));
  EXPECT_EQ(pane.IsPrinting(nullptr), S_OK);
  pane.GetPrintScale(0, &x, &y);
  EXPECT_EQ(x, 1.0);
  EXPECT_EQ(y, 1.0);
  HDC dc = nullptr;
  pane.GetPrintDC(&dc);
  EXPECT_EQ(dc, printer);
  pane.EndPrint();
  VARIANT_BOOL printing = VARIANT_TRUE;
  EXPECT_EQ(pane.IsPrinting(&printing), S_FALSE);
  EXPECT_EQ(printing, 0);
  DeleteDC(printer);
}

TEST_F(DrawerServicesTest, DataRectOfTheLastTallEnoughPane) {
  RECT rect = {};
  EXPECT_EQ(pane.GetDataRect(0, &rect), S_OK);
  EXPECT_EQ(rect.left, 1);
  EXPECT_EQ(rect.right, 299);
  EXPECT_EQ(rect.bottom, 200);
  EXPECT_EQ(pane.GetDataRect(-1, &rect), S_OK);
  EXPECT_EQ(rect.bottom, pane.ChannelPaneAt(2)->rect.bottom);

  pane.OnRectsDragged({1, 20, 40}, {12, 12, 30});  // the last lane takes the rest
  EXPECT_EQ(pane.GetDataRect(-1, &rect), S_OK);
  EXPECT_EQ(rect.bottom, 200 - (20 + 2) - 1);
  pane.OnRectsDragged({1, 20, 40}, {12, 12, 0});
  EXPECT_EQ(pane.GetDataRect(-1, &rect), E_FAIL);
}

TEST_F(DrawerServicesTest, LaneCodesAddressEightLanes) {
  const struct {
    LONG code;
    int lane;  // -1: ignored
  } cases[] = {{0, 0}, {255, 0}, {256, 1}, {2047, 7}, {2048, -1}, {-1, 0}, {-256, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    TestPane local;
    local.SetLaneCount(1);
    const double range[2] = {-3.0, 7.0};
    EXPECT_EQ(local.SetLaneRange(0, c.code, range), c.lane < 0 ? S_FALSE : S_OK);
    EXPECT_EQ(local.SetLaneColour(0, c.code, RGB(1, 2, 3)), c.lane < 0 ? S_FALSE : S_OK);
    for (int lane = 0; lane < 8; ++lane) {
      const LaneRecord& record = local.ChannelPaneAt(0)->LaneAt(lane);
      const bool hit = lane == c.lane;
      EXPECT_EQ(record.range[1], hit ? 7.0 : 0.0);
      EXPECT_EQ(record.colour, hit ? RGB(1, 2, 3) : 0u);
      EXPECT_EQ(bool(record.flags & kLaneColourUnset), !hit);
    }
  }
  EXPECT_EQ(pane.SetLaneColour(0, 0, 255), S_OK);
  EXPECT_TRUE(pane.ChannelPaneAt(0)->LaneAt(0).flags & kLaneColourUnset);
}

TEST_F(DrawerServicesTest, ABadPaneIndexWritesNoLane) {
  const double range[2] = {1.0, 2.0};
  for (LONG index : {-1, 3, 100}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(pane.SetLaneRange(index, 0, range), E_INVALIDARG);
    EXPECT_EQ(pane.SetLaneColour(index, 0, RGB(9, 9, 9)), E_INVALIDARG);
  }
  for (LONG index = 0; index < 3; ++index) {
    EXPECT_EQ(pane.ChannelPaneAt(index)->LaneAt(0).range[1], 0.0);
    EXPECT_TRUE(pane.ChannelPaneAt(index)->LaneAt(0).flags & kLaneColourUnset);
  }
}

TEST_F(DrawerServicesTest, PerPaneQueriesRefuseBadIndices) {
  LONG pair[2] = {};
  EXPECT_EQ(pane.GetPaneChannel(3, pair), E_INVALIDARG);
  pane.ChannelPaneAt(1)->channel = 4;
  EXPECT_EQ(pane.GetPaneChannel(1, pair), S_OK);
  EXPECT_EQ(pair[0], 4);
  EXPECT_EQ(DWORD(pair[1]), 0xC0000000u);
  pane.ChannelPaneAt(1)->channel = -1;  // no channel: the pane's first position pair
  EXPECT_EQ(pane.GetPaneChannel(1, pair), S_OK);
  EXPECT_EQ(DWORD(pair[0]), 0x80000000u);
  IUnknown* source = nullptr;
  EXPECT_EQ(pane.GetPaneSource(-1, 1, &source), E_INVALIDARG);
  DWORD value = 7;
  EXPECT_EQ(pane.GetChannelPaneValue(5, &value), E_INVALIDARG);
  EXPECT_EQ(pane.GetChannelPaneValue(0, &value), S_OK);
  EXPECT_EQ(value, 0u);
  EXPECT_EQ(pane.IsSampling(), S_FALSE);
  pane.SetOnline(true);
  EXPECT_EQ(pane.IsSampling(), S_OK);
  EXPECT_EQ(pane.IsFollowingOnline(), S_OK);
}

TEST(DrawerBase, AnswersWhatNoParticularDrawerChanges) {
  auto* drawer = new RecordingDrawer(0x201, 4, 2);
  drawer->AddRef();
  LONG pair[2] = {};
  drawer->GetScale(pair);
  EXPECT_EQ(pair[0], 4);
  EXPECT_EQ(pair[1], 2);
  drawer->secondChannel[0] = 9;
  drawer->secondChannel[1] = 1;
  drawer->GetScale(pair);
  EXPECT_EQ(pair[0], 9);

  EXPECT_EQ(drawer->SetChannel(12, VARIANT_TRUE), S_OK);
  EXPECT_EQ(drawer->onlineRecord, 12u);
  EXPECT_TRUE(drawer->moreData);
  EXPECT_TRUE(drawer->attached);
  EXPECT_EQ(drawer->refreshes, std::vector<DWORD>{0xFF000000});
  drawer->Invalidate(0, 0);
  EXPECT_FALSE(drawer->attached);

  EXPECT_EQ(drawer->AddressWord(true), 0x1002u);
  drawer->SetOwner(5);
  EXPECT_EQ(drawer->AddressWord(true), 0x0002u);
  EXPECT_EQ(drawer->AddressWord(false), 0x1002u);

  EXPECT_EQ(drawer->Clone(0, nullptr), E_INVALIDARG);
  IPendrelRecordDrawer* copy = nullptr;
  ASSERT_EQ(drawer->Clone(0, &copy), S_OK);
  DWORD id = 0;
  copy->GetId(&id);
  EXPECT_EQ(id, 0x201u);
  copy->GetScale(pair);
  EXPECT_EQ(pair[0], 9);
  EXPECT_EQ(copy->Release(), 0u);

  EXPECT_EQ(drawer->PrintScale(), 1.0);
  EXPECT_EQ(drawer->GetChannel(nullptr), E_NOTIMPL);
  EXPECT_EQ(drawer->Release(), 0u);
}

TEST_F(DrawerServicesTest, PaneDrawerOfEachKind) {
  const Quor::ComPtr<RangeDrawer> first(new RangeDrawer(0, 1));
  pane.SetPaneDrawerSource(1, 1, nullptr, first.Get());
  const struct {
    LONG pane;
    LONG kind;
    HRESULT result;
    bool found;
  } cases[] = {{1, 1, S_OK, true}, {1, 2, S_OK, false}, {0, 1, S_OK, false},
               {1, 0, E_INVALIDARG, false}, {1, 3, E_INVALIDARG, false},
               {3, 1, E_INVALIDARG, false}, {-1, 1, E_INVALIDARG, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.pane) + "/" + std::to_string(c.kind));
    Quor::ComPtr<IPendrelRecordDrawer> drawer;
    EXPECT_EQ(pane.GetPaneDrawer(c.pane, 0, c.kind,
                                 Quor::ComPtrOut<IPendrelRecordDrawer>::Bind(drawer)),
              c.result);
    EXPECT_EQ(drawer.Get(), c.found ? first.Get() : nullptr);
  }
  EXPECT_EQ(pane.GetPaneDrawer(1, 0, 1, nullptr), E_POINTER);
  // Shrinking the pane lets go of its drawer.
  pane.SetLaneCount(1);
  EXPECT_EQ(first->AddRef(), 2u);
  first->Release();
}

TEST_F(DrawerServicesTest, DrawerDataRangeIsInTheAxisPrefixedUnit) {
  const Quor::ComPtr<RangeDrawer> drawer(new RangeDrawer(-2.0, 6.0));
  pane.SetPaneDrawerSource(0, 2, nullptr, drawer.Get());
  const struct {
    LONG code;
    double divisor;
  } cases[] = {{0, 1.0}, {1, 1.0}, {2, 1e18}, {7, 1000.0}, {8, 1.0}, {14, 1e-18}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    pane.ChannelPaneAt(0)->unit[1].index = c.code;
    double low = 0, high = 0;
    EXPECT_EQ(pane.GetDrawerDataRange(0, 2, &low, &high), S_OK);
    EXPECT_DOUBLE_EQ(low, -2.0 / c.divisor);
    EXPECT_DOUBLE_EQ(high, 6.0 / c.divisor);
  }
  EXPECT_EQ(drawer->axesAsked.back(), 2);
  // No drawer of the kind: the range stays empty, low above high.
  double low = 0, high = 0;
  EXPECT_EQ(pane.GetDrawerDataRange(0, 1, &low, &high), S_FALSE);
  EXPECT_GT(low, high);
  EXPECT_EQ(pane.GetDrawerDataRange(0, 5, &low, &high), E_INVALIDARG);
}

TEST_F(DrawerServicesTest, SourceOptionGoesToTheFirstPaneSourceOfTheKind) {
  const Quor::ComPtr<OptionSource> source(new OptionSource);
  const Quor::ComPtr<RecordingDrawer> plain(new RecordingDrawer(1));
  pane.SetPaneDrawerSource(0, 2, source.Get());
  pane.SetPaneDrawerSource(0, 1, plain.Get());
  pane.SetPaneDrawerSource(1, 2, plain.Get());

  EXPECT_EQ(pane.SetSourceOption(true, 2, 7), S_OK);
  EXPECT_EQ(source->calls, (std::vector<std::array<LONG, 4>>{{0, VARIANT_TRUE, 7, 0}}));
  source->result = S_FALSE;
  EXPECT_EQ(pane.SetSourceOption(false, 2, -1), S_FALSE);
  EXPECT_EQ(source->calls.back(), (std::array<LONG, 4>{0, VARIANT_FALSE, -1, 0}));
  // A source without the option face, a kind other than 1 or 2, no source, no channel pane.
  EXPECT_EQ(pane.SetSourceOption(true, 1, 0), E_FAIL);
  EXPECT_EQ(pane.SetSourceOption(true, 3, 0), E_FAIL);
  EXPECT_EQ(pane.SetSourceOption(true, 0, 0), E_FAIL);
  pane.SetPaneDrawerSource(0, 2, nullptr);
  EXPECT_EQ(pane.SetSourceOption(true, 2, 0), E_FAIL);
  pane.SetPaneDrawerSource(0, 2, source.Get());
  pane.SetLaneCount(0);
  EXPECT_EQ(pane.SetSourceOption(true, 2, 0), E_FAIL);
  EXPECT_EQ(source->calls.size(), 2u);
}

}  // namespace
