#include <array>
#include <cstring>
#include <sstream>

#include "core/com_ptr.h"
#include "core/xquor.h"
#include "platform/pendrel/trace_settings.h"
#include "platform/win32/com_object.h"
#include "tracedisplay/tests/recording_drawer.h"
#include "tracedisplay/tests/test_objects.h"
#include "tracedisplay/tests/trace_display_test.h"

using namespace PendrelDraw;

namespace {

constexpr LONG kOutside = LONG(0x80000000);

struct LayoutCase {
  LONG lanes;
  SIZE size;
  std::vector<std::array<LONG, 2>> lanesTopBottom;
  std::array<LONG, 2> scaleTopBottom;
};

class DataPaneTest : public TraceDisplayTest {};

// The host's settings for a trace display: channel c's value is 10 c + 1.
class TestSettings final
    : public SimpleUnknownImp2<IPendrelTraceSettings, IPendrelTraceDisplaySettings, 0> {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (iid == IPendrelTraceDisplaySettings::iid && !hasDisplay) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    return SimpleUnknownImp2::QueryInterface(iid, object);
  }
  HRESULT GetChannelValue(LONG channel, DWORD* value) override {
    *value = DWORD(10 * channel + 1);
    return S_OK;
  }
  HRESULT GetBackgroundColour(COLORREF* colour) override {
    *colour = RGB(0, 0, 64);
    return S_OK;
  }
  bool hasDisplay = true;
};

// A drawer that notes which settings reached it, for which channel.
class SettingsDrawer final : public RecordingDrawer {
 public:
  using RecordingDrawer::RecordingDrawer;
  HRESULT UpdateFromChannel(IUnknown* settings, IUnknown*, LONG channel) override {
    updates.push_back({settings, channel});
    return S_OK;
  }
  std::vector<std::pair<IUnknown*, LONG>> updates;
};


TEST_F(DataPaneTest, DividesItsHeightAmongTheLanes) {
  // Lanes of fractional height: 172/3, 87.5 and 164/7 pixels; a time scale of 20 pixels.
  const LayoutCase cases[] = {
      {1, {300, 200}, {{1, 177}}, {178, 199}},
      {2, {300, 201}, {{1, 89}, {90, 178}}, {179, 200}},
      {3, {300, 200}, {{1, 58}, {60, 117}, {119, 177}}, {178, 199}},
      {7, {300, 200},
       {{1, 24}, {26, 49}, {51, 74}, {76, 99}, {101, 124}, {126, 149}, {151, 177}},
       {178, 199}},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.lanes);
    TestPane pane;
    pane.SetLaneCount(c.lanes);
    pane.SetPaneSize(c.size);
    for (LONG i = 0; i < c.lanes; ++i) {
      const auto& expected = c.lanesTopBottom[std::size_t(i)];
      EXPECT_EQ(Box(pane.ChannelPaneAt(i)->rect),
                (std::array<LONG, 4>{1, expected[0], c.size.cx - 1, expected[1]}))
          << "lane " << i;
    }
    const RECT scale = pane.GetTimeScale().rect;
    EXPECT_EQ(Box(scale), (std::array<LONG, 4>{1, c.scaleTopBottom[0], c.size.cx - 1,
                                               c.scaleTopBottom[1]}));
    EXPECT_EQ(pane.ChannelPaneAt(c.lanes - 1)->rect.bottom, scale.top - pane.LaneGap());
    EXPECT_TRUE(pane.ChannelPaneAt(0)->paneId & 0x80000000);
  }
  TestPane empty;
  empty.SetPaneSize({300, 200});
  EXPECT_TRUE(IsRectEmpty(&empty.GetTimeScale().rect));
  for (LONG y : {0, 50, 150, 199}) EXPECT_EQ(empty.HitTestPane({10, y}), kOutside);
}

TEST_F(DataPaneTest, DraggedLaneTopsApplyOnlyToTheirCount) {
  TestPane pane;
  pane.SetLaneCount(2);
  pane.SetPaneSize({300, 200});
  pane.OnRectsDragged({1, 100}, {90, 0});
  EXPECT_EQ(Box(pane.ChannelPaneAt(0)->rect), (std::array<LONG, 4>{1, 1, 299, 91}));
  EXPECT_EQ(Box(pane.ChannelPaneAt(1)->rect), (std::array<LONG, 4>{1, 100, 299, 100}));
  EXPECT_EQ(pane.GetTimeScale().rect.top, 101);
  EXPECT_EQ(pane.GetTimeScale().rect.bottom, 199);
  EXPECT_TRUE(pane.InvalidationMask() & kRedrawLayout);
  EXPECT_EQ(pane.redrawRequests, 1);

  pane.OnRectsDragged({1, 100}, {90, 50});
  EXPECT_EQ(pane.ChannelPaneAt(1)->rect.bottom, 200 - 22 - 1);
  pane.LayoutPanes();  // the stored division still fits
  EXPECT_EQ(pane.ChannelPaneAt(0)->rect.bottom, 91);
  pane.SetLaneCount(3);  // three lanes: the two stored tops are ignored
  EXPECT_EQ(pane.ChannelPaneAt(0)->rect.bottom, 58);
  EXPECT_EQ(pane.ChannelPaneAt(2)->rect.bottom, 177);
}

TEST_F(DataPaneTest, HitTestsBordersGapsLanesAndTheTimeScale) {
  TestPane pane;
  pane.SetLaneCount(2);
  pane.SetPaneSize({300, 201});
  const struct {
    POINT point;
    LONG expected;
  } cases[] = {{{0, 10}, kOutside},  {{299, 10}, kOutside}, {{298, 10}, 0},
               {{1, 1}, 0},          {{1, 0}, kOutside},    {{5, 88}, 0},
               {{5, 89}, kOutside},  {{5, 90}, 1},          {{5, 178}, kOutside},
               {{5, 179}, -1},       {{5, 199}, -1},        {{5, 200}, kOutside},
               {{5, 201}, kOutside}, {{5, -1}, kOutside}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y);
    EXPECT_EQ(pane.HitTestPane(c.point), c.expected);
  }
}

TEST_F(DataPaneTest, LaneCountChangesAddAndReleasePanes) {
  TestPane pane;
  pane.SetLaneCount(2);
  pane.SetPaneSize({300, 400});
  ChannelPane* first = pane.ChannelPaneAt(0);
  first->CreateScales(0, 0);
  const DWORD mask = pane.InvalidationMask();
  Tarn::ClearRecordedCalls();
  pane.SetLaneCount(2);
  EXPECT_EQ(pane.ChannelPaneAt(0), first);
  EXPECT_EQ(pane.InvalidationMask(), mask);
  EXPECT_TRUE(Tarn::RecordedCallTexts().empty());

  pane.SetLaneCount(0);
  EXPECT_EQ(pane.GetLaneCount(), 0);
  EXPECT_EQ(CallsStartingWith("AxisAdjuster.SetObserver").size(), 2u);

  pane.SetLaneCount(9);
  ASSERT_EQ(pane.GetLaneCount(), 9);
  for (LONG i = 0; i < 9; ++i) {
    EXPECT_EQ(pane.ChannelPaneAt(i)->Lane(), i);
    EXPECT_GT(pane.ChannelPaneAt(i)->Height(), 0);
  }
  EXPECT_EQ(pane.ChannelPaneAt(8)->rect.bottom, pane.GetTimeScale().rect.top - 1);
  EXPECT_EQ(pane.InvalidationMask() & kRedrawEverything, kRedrawEverything);
}

TEST_F(DataPaneTest, AttachingAWindowMakesALaneAndTheControls) {
  TestPane pane;
  pane.AttachWindow(nullptr, nullptr);
  EXPECT_EQ(pane.GetLaneCount(), 1);
  EXPECT_NE(pane.Bar(), nullptr);
  EXPECT_NE(pane.Zoomer(), nullptr);
  EXPECT_DOUBLE_EQ(pane.Zoomer()->compression, 10.0);

  TestPane bare;
  bare.SetStyleFlags(0x80000000 | kPaneNoControls);
  bare.AttachWindow(nullptr, nullptr);
  EXPECT_EQ(bare.Bar(), nullptr);
  EXPECT_TRUE(bare.GetTimeScale().IsHidden());
}

std::string Bytes(const std::stringbuf& buffer) { return buffer.str(); }

std::string Words(std::initializer_list<DWORD> words) {
  std::string bytes;
  for (DWORD w : words) {
    for (int i = 0; i < 4; ++i) bytes.push_back(char((w >> (8 * i)) & 0xFF));
  }
  return bytes;
}

std::string Double(double value) {
  std::string bytes(8, '\0');
  std::memcpy(bytes.data(), &value, 8);
  return bytes;
}

TEST_F(DataPaneTest, SavesItsDisplayStateAsVersionTwo) {
  std::vector<std::string> log;
  TestPane pane;
  pane.SetLaneCount(2);
  pane.AddObject(new TestObject("marker", log), 4);
  std::stringbuf buffer;
  Quor::BinOStream out(&buffer);
  pane.SaveDisplayState(out);
  EXPECT_EQ(Bytes(buffer), Words({2, 0x0B1EC7, 3, 3}));
}

TEST_F(DataPaneTest, ReadsOlderStatesAndRefusesNewerOnes) {
  std::vector<std::string> log;
  TestPane pane;
  pane.SetLaneCount(2);
  auto* object = new TestObject("marker", log);
  pane.AddObject(object, 1);
  const double range[2] = {1.0, 2.0};
  pane.ChannelPaneAt(0)->CreateScales(0, 0);
  pane.ChannelPaneAt(0)->SetScaleRange(1, range);

  // Pane 0 stored at version 2 with a range for axis 1 and none for axis 2.
  std::stringbuf older(Words({2, 77, 2}) + std::string(1, '\1') + Double(-5.0) + Double(5.0) +
                       std::string(1, '\0') + Words({3}));
  Quor::BinIStream in(&older);
  pane.LoadDisplayState(in);
  EXPECT_EQ(object->loaded, 77);
  EXPECT_EQ(older.in_avail(), 0);
  double kept[2] = {};
  pane.ChannelPaneAt(0)->Adjuster(1)->GetRange(kept);
  EXPECT_EQ(kept[0], 1.0);
  EXPECT_EQ(kept[1], 2.0);

  std::stringbuf early(Words({1, 99}));
  Quor::BinIStream earlyIn(&early);
  pane.LoadDisplayState(earlyIn);
  EXPECT_EQ(object->loaded, 77);

  for (const std::string& bytes : {Words({3}), Words({2, 0, 4})}) {
    std::stringbuf newer(bytes);
    Quor::BinIStream newerIn(&newer);
    try {
      pane.LoadDisplayState(newerIn);
      ADD_FAILURE() << "a newer state was read";
    } catch (const XQuor& error) {
      EXPECT_EQ(DWORD(error.Code()), 0xA0048205u);
    }
  }
}

TEST_F(DataPaneTest, AppliedSettingsReachEveryBandAndFillTheLaneValues) {
  const Quor::ComPtr<TestSettings> settings(new TestSettings);
  IUnknown* const settingsObject = static_cast<IPendrelTraceSettings*>(settings.Get());
  const Quor::ComPtr<SettingsDrawer> trace(new SettingsDrawer(0x201));
  const Quor::ComPtr<SettingsDrawer> labels(new SettingsDrawer(0x100));
  std::vector<std::string> log;
  TestPane pane;
  pane.SetLaneCount(3);
  pane.SetPaneSize({300, 200});
  pane.AddDrawerToPane(0, trace.Get(), 1);
  pane.AddDrawerToPane(0, labels.Get(), -1);
  pane.AddObject(new TestObject("marker", log), 4);
  // Lane 2 shows a channel of the second-channel kind, which takes no value.
  pane.ChannelPaneAt(2)->channel = -1;
  pane.ChannelPaneAt(2)->positionPair[0][0] = 5;
  pane.ChannelPaneAt(2)->positionPair[0][1] = 4;
  DWORD value = 99;
  EXPECT_EQ(pane.GetPaneValue(0, 0, &value), E_INVALIDARG);

  pane.ApplySettings(settingsObject, nullptr, -1);
  const DWORD expected[] = {1, 11, 0};
  for (LONG lane = 0; lane < 3; ++lane) {
    EXPECT_EQ(pane.GetPaneValue(lane, 0, &value), S_OK);
    EXPECT_EQ(value, expected[lane]) << lane;
  }
  EXPECT_EQ(pane.GetPaneValue(3, 0, &value), E_INVALIDARG);
  EXPECT_EQ(pane.GetPaneValue(-1, 0, &value), E_INVALIDARG);
  COLORREF background = 0;
  pane.GetBackgroundColour(&background);
  EXPECT_EQ(background, RGB(0, 0, 64));
  const std::vector<std::pair<IUnknown*, LONG>> once = {
      {settingsObject, -1}};
  EXPECT_EQ(trace->updates, once);
  EXPECT_EQ(labels->updates, once);
  EXPECT_EQ(log.front(), "marker: event 15");
  EXPECT_EQ(pane.InvalidationMask() & kRedrawEverything, kRedrawEverything);

  // Settings without a display face leave the background; a new lane count resizes the values.
  settings->hasDisplay = false;
  pane.SetBackgroundColour(RGB(1, 2, 3));
  pane.SetLaneCount(4);
  pane.ApplySettings(settingsObject, nullptr, 3);
  pane.GetBackgroundColour(&background);
  EXPECT_EQ(background, RGB(1, 2, 3));
  EXPECT_EQ(pane.GetPaneValue(3, 0, &value), S_OK);
  EXPECT_EQ(value, 31u);
}

TEST(InteractiveObjects, BroadcastInKeyOrderKeepTheFirstOfAKeyAndHonourCapture) {
  std::vector<std::string> log;
  InteractiveObjectContainer objects;
  EXPECT_TRUE(objects.CaptureQuery(1, nullptr));
  objects.BroadcastEvent(PaneEvent::ViewMoved);
  auto* late = new TestObject("late", log, 1);
  auto* early = new TestObject("early", log, 2);
  auto* twin = new TestObject("twin", log, 2);
  objects.AddObject(late, 9);
  objects.AddObject(early, 3);
  twin->AddRef();
  objects.AddObject(twin, 3);
  EXPECT_EQ(objects.ObjectCount(), 2u);
  EXPECT_EQ(twin->Release(), 0u);
  objects.BroadcastEvent(PaneEvent::ViewMoved);
  EXPECT_EQ(log, (std::vector<std::string>{"early: event 7", "late: event 7"}));

  log.clear();
  objects.MouseBroadcast(1, {5, 5}, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"early: mouse 1", "late: mouse 1"}));
  log.clear();
  late->keepsPhase = 2;
  IPendrelMouseInteraction* keeper = nullptr;
  EXPECT_FALSE(objects.CaptureQuery(2, &keeper));
  EXPECT_EQ(keeper, static_cast<IPendrelMouseInteraction*>(late));
  objects.MouseBroadcast(2, {5, 5}, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"late: mouse 2"}));
}

}  // namespace
