#include <cstring>
#include <sstream>

#include "core/xquor.h"
#include "host/traces/axis_adjuster.h"
#include "tracedisplay/panes/notice_ids.h"
#include "tracedisplay/tests/lane_rows.h"
#include "tracedisplay/tests/recording_drawer.h"
#include "tracedisplay/tests/trace_display_test.h"

using namespace PendrelDraw;
using PendrelHost::AxisAdjuster;

namespace {

class ChannelPaneTest : public TraceDisplayTest {
 protected:
  void SetUp() override {
    TraceDisplayTest::SetUp();
    pane.SetLaneCount(2);
    pane.SetPaneSize({300, 200});
    Band().CreateScales(5, 0);
    Band().AttachScales();
  }
  ChannelPane& Band() { return *pane.ChannelPaneAt(1); }
  AxisAdjuster& Axis(LONG axis) { return *static_cast<AxisAdjuster*>(Band().Adjuster(axis)); }

  TestPane pane;
};

// The root of a message tree: it records the id and the words of every message it is sent.
class MessageRoot final : public TarnMessageHandler {
 public:
  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (iid != IUnknown::iid && iid != IMessageHandler::iid) return E_NOINTERFACE;
    *out = static_cast<IMessageHandler*>(this);
    return S_OK;
  }
  ULONG AddRef() override { return 2; }
  ULONG Release() override { return 1; }
  LONG HandleMessage(IMessage* message) override {
    DWORD bytes = 0;
    const void* data = message->GetData(&bytes);
    std::vector<LONG> words(bytes / sizeof(LONG));
    if (data) std::memcpy(words.data(), data, words.size() * sizeof(LONG));
    received.push_back({message->GetMessageId(), words});
    return 1;
  }
  std::vector<std::pair<DWORD, std::vector<LONG>>> received;
};

std::string Hex(DWORD word) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", word);
  return text;
}

TEST_F(ChannelPaneTest, PrefixesScaleRangesByTheirFactor) {
  const struct {
    LONG index;
    double factor;
  } cases[] = {{0, 1.0}, {1, 1.0}, {8, 1.0}, {7, 1000.0}, {2, 1e18}, {14, 1e-18}, {9, 0.001}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    ASSERT_EQ(Band().SetAxisUnitPrefix(1, c.index), S_OK);
    EXPECT_EQ(Axis(1).UnitName(), u"wib");
    EXPECT_EQ(Axis(1).Unit().index, c.index);
    const double range[2] = {-2.0, 3.0};
    EXPECT_TRUE(Band().ApplyAxisRange(1, range, true, false));
    EXPECT_DOUBLE_EQ(Axis(1).Low(), -2.0 * c.factor);
    EXPECT_DOUBLE_EQ(Axis(1).High(), 3.0 * c.factor);
    EXPECT_EQ(Band().SetScaleRange(1, range), S_OK);
    EXPECT_DOUBLE_EQ(Axis(1).High(), 3.0 * c.factor);
  }
  EXPECT_EQ(Band().SetAxisUnitPrefix(3, 7), E_FAIL);
}

TEST_F(ChannelPaneTest, EqualEndsChangeNothing) {
  const double start[2] = {1.0, 4.0};
  Band().SetScaleRange(2, start);
  Tarn::ClearRecordedCalls();
  const double equal[2] = {2.5, 2.5};
  EXPECT_FALSE(Band().ApplyAxisRange(2, equal, true, true));
  EXPECT_EQ(Band().SetScaleRange(2, equal), E_FAIL);
  EXPECT_TRUE(CallsStartingWith("AxisAdjuster.SetRange").empty());
  EXPECT_EQ(Axis(2).Low(), 1.0);
  // A pending range waits for the scale until forced or asked for.
  const double next[2] = {0.0, 8.0};
  EXPECT_FALSE(Band().ApplyAxisRange(2, next, false, false));
  Band().pendingRange = 2;
  EXPECT_TRUE(Band().ApplyAxisRange(2, next, false, false));
  EXPECT_EQ(Band().pendingRange, 0u);
  EXPECT_EQ(Axis(2).High(), 8.0);
}

TEST_F(ChannelPaneTest, CreatesScalesThroughTheHostFactory) {
  struct Case {
    DWORD axisFlags;
    DWORD style;
    bool monochrome;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {0xC0000000, 12080, false,
       {"ScaleFactory.CreateAdjuster(channel=3, x=0, y=0, flags=0x00002F30, axis=1)",
        "ScaleFactory.CreateAdjuster(channel=3, x=0, y=0, flags=0x00002F32, axis=2)"}},
      {0x40000000, 0x4012, false,
       {"ScaleFactory.CreateAdjuster(channel=3, x=-2, y=-2, flags=0x00004012, axis=2)"}},
      {0xC0000000, 0x4012, true,
       {"ScaleFactory.NoteMonochromeAxis(x=-2, y=-2, flags=0x00004008)",
        "ScaleFactory.NoteMonochromeAxis(x=-2, y=-2, flags=0x0000400A)"}},
      {0, 12080, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.axisFlags);
    TestPane local;
    if (c.monochrome) local.SetStyleFlags(0x80000000 | kPaneMonochrome);
    auto* band = new ChannelPane(0, local, c.axisFlags, c.style);
    band->AddRef();
    Tarn::ClearRecordedCalls();
    band->CreateScales(3, 0);
    EXPECT_EQ(CallsStartingWith("ScaleFactory."), c.calls);
    IUnknown* item = reinterpret_cast<IUnknown*>(1);
    band->GetItem(0, 0, &item);
    EXPECT_EQ(item != nullptr, !c.monochrome && (c.axisFlags & 0x80000000));
    if (item) item->Release();
    band->Release();
  }
}

TEST_F(ChannelPaneTest, AxisUnitsComeFromTheFirstDrawerWithAText) {
  auto* silent = new RecordingDrawer(0x201);
  auto* volts = new RecordingDrawer(0x202, 7, 1);
  volts->unitText = u"V";
  auto* later = new RecordingDrawer(0x203);
  later->unitText = u"A";
  for (RecordingDrawer* d : {silent, volts, later}) Band().AddDrawer(0, d, 255);
  Band().UpdateAxisUnits(0);
  EXPECT_EQ(Axis(1).UnitName(), u"V");
  EXPECT_EQ(Band().positionPair[0][0], 7);
  EXPECT_EQ(Band().positionPair[0][1], 1);
  EXPECT_TRUE(Band().hasUnits[0]);

  Band().SetAxisUnitPrefix(1, 7);
  Band().autoScale[0] = true;
  Band().UpdateAxisUnits(0);
  EXPECT_EQ(Axis(1).UnitName(), u"mV");
  EXPECT_TRUE(Axis(1).AutoScaling());
  EXPECT_TRUE(Axis(1).MayAutoScaleNow());

  Band().RemoveDrawers(0, LONG(0x80000000), LONG(0xC0000000));
  Band().autoScale[0] = false;
  Band().UpdateAxisUnits(0);
  EXPECT_EQ(Axis(1).UnitName(), u" ");
  EXPECT_FALSE(Axis(1).AutoScaling());
}

TEST_F(ChannelPaneTest, ADraggedScaleHoldsTheReadyFlagAndTellsTheObservers) {
  auto* trace = new RecordingDrawer(0x201);
  Band().AddDrawer(0, trace, 255);
  Tarn::ClearRecordedCalls();
  Axis(1).Drag(0.5);
  EXPECT_FALSE(pane.ReadyFlag());
  // The scale's range moved from [-1, 1] to [0, 2]: the trace shows that over the band.
  EXPECT_TRUE(SpansLane(trace->rangesSet.back(), 0.0, 2.0, Band().Height()));
  const DWORD notice = PaneActionNotice::Id();
  EXPECT_EQ(notice & 0xFFFF, 46u);
  EXPECT_NE(notice >> 16, 0u);
  EXPECT_EQ(CallsStartingWith("EventManager.Notify"),
            std::vector<std::string>{"EventManager.Notify(event=" + Hex(notice) +
                                     ", a=1, parameters=set)"});
  EXPECT_TRUE(Band().LayerAt(2).flags & kLayerDirty);

  LONG handled = -1;
  pane.Callbacks().paneAction = [&](LONG channel, LONG a, LONG, IUnknown* c2) {
    handled = channel * 10 + a;
    EXPECT_EQ(c2, Band().Adjuster(1));
  };
  Axis(1).Drag(-0.5);
  EXPECT_EQ(handled, 11);
}

TEST_F(ChannelPaneTest, TheReadyFlagIsSetWhileTheUserDrags) {
  std::vector<bool> seen;
  struct ReadyProbe final : RecordingDrawer {
    ReadyProbe(TestPane& pane, std::vector<bool>& seen) : RecordingDrawer(0x201), m_pane(pane), m_seen(seen) {}
    HRESULT SetTimeRange(LONG, DWORD, const double*, IUnknown*) override {
      m_seen.push_back(m_pane.ReadyFlag());
      return S_OK;
    }
    TestPane& m_pane;
    std::vector<bool>& m_seen;
  };
  Band().AddDrawer(0, new ReadyProbe(pane, seen), 255);
  seen.clear();  // the scales the drawer was added with
  Axis(2).Drag(1.0);
  EXPECT_EQ(seen, std::vector<bool>{true});
  EXPECT_FALSE(pane.ReadyFlag());
}

TEST_F(ChannelPaneTest, AnAutoScaleRequestTellsTheObserversAndAutoScales) {
  Tarn::ClearRecordedCalls();
  Axis(2).RequestAutoScale(9);
  const DWORD notice = AutoScaleRequestNotice::Id();
  EXPECT_EQ(notice & 0xFFFF, 47u);
  EXPECT_EQ(notice >> 16, PaneActionNotice::Id() >> 16);
  EXPECT_EQ(CallsStartingWith("EventManager.Notify"),
            std::vector<std::string>{"EventManager.Notify(event=" + Hex(notice) +
                                     ", a=1, parameters=set)"});
  EXPECT_EQ(CallsStartingWith("AxisAdjuster.AutoScale"),
            std::vector<std::string>{"AxisAdjuster.AutoScale(axis=2)"});

  std::pair<LONG, LONG> request;
  pane.Callbacks().autoScale = [&](LONG channel, LONG argument) { request = {channel, argument}; };
  Tarn::ClearRecordedCalls();
  Axis(1).RequestAutoScale(4);
  EXPECT_EQ(request, (std::pair<LONG, LONG>{1, 4}));
  EXPECT_TRUE(CallsStartingWith("EventManager.Notify").empty());
}

TEST_F(ChannelPaneTest, LaysItsScalesBesideTheBand) {
  pane.LayoutPanes();
  const RECT band = Band().rect;
  const RECT left = Axis(1).ScaleRect();
  EXPECT_EQ(left.right, 0);  // the layout pair's x: the pane's own left edge
  EXPECT_EQ(left.top, band.top);
  EXPECT_EQ(left.bottom, band.bottom);
  const RECT right = Axis(2).ScaleRect();
  EXPECT_EQ(right.left, (band.right - band.left) + 2);
  EXPECT_EQ(right.top, band.top);
}

TEST_F(ChannelPaneTest, AClonedPaneCopiesItsScalesAndDrawers) {
  Band().AddDrawer(0, new RecordingDrawer(0x201, 7, 1), 255);
  const double range[2] = {-4.0, 4.0};
  Band().SetScaleRange(1, range);
  Band().channel = 6;
  ChannelPane* copy = nullptr;
  Band().Clone(&copy);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->channel, 6);
  ASSERT_EQ(copy->Drawers().size(), 1u);
  EXPECT_NE(copy->Drawers()[0], Band().Drawers()[0]);
  ASSERT_NE(copy->Adjuster(1), nullptr);
  EXPECT_NE(copy->Adjuster(1), Band().Adjuster(1));
  double copied[2] = {};
  copy->Adjuster(1)->GetRange(copied);
  EXPECT_EQ(copied[1], 4.0);
  copy->Release();
  Band().Clone(nullptr);
}

TEST_F(ChannelPaneTest, ReleasingThePaneLetsItsScalesGo) {
  Tarn::ClearRecordedCalls();
  pane.SetLaneCount(1);
  EXPECT_EQ(CallsStartingWith("AxisAdjuster.SetObserver"),
            (std::vector<std::string>{"AxisAdjuster.SetObserver(axis=1, none)",
                                      "AxisAdjuster.SetObserver(axis=2, none)"}));
}

TEST_F(ChannelPaneTest, ScaleMessagesGoThroughThePaneMessageHandler) {
  EXPECT_EQ(Band().PostScaleMessage(0, 7), E_FAIL);
  MessageRoot root;
  pane.SetMessageHandler(&root);
  EXPECT_EQ(Band().PostScaleMessage(3, 7), S_OK);
  EXPECT_EQ(pane.ChannelPaneAt(0)->PostScaleMessage(0, -2), S_OK);
  using Received = std::pair<DWORD, std::vector<LONG>>;
  EXPECT_EQ(root.received,
            (std::vector<Received>{{0x800C008D, {1, 7}}, {0x800C008D, {0, -2}}}));
  // A sender switched off sends nothing.
  root.SetEnabled(false);
  EXPECT_EQ(Band().PostScaleMessage(0, 1), E_FAIL);
  EXPECT_EQ(root.received.size(), 2u);
  pane.SetMessageHandler(nullptr);
}

}  // namespace
