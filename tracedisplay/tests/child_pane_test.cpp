#include <array>
#include <string>

#include "platform/win32/debug_output.h"
#include "tracedisplay/tests/recording_drawer.h"
#include "tracedisplay/tests/trace_display_test.h"
#include "tracedisplay/tests/window_surface.h"

using namespace PendrelDraw;

namespace {

constexpr DWORD kBuffered = 0x80000000;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class ChildPaneTest : public TraceDisplayTest {
 protected:
  void SetUp() override {
    TraceDisplayTest::SetUp();
    pane.SetLaneCount(1);
    pane.SetPaneSize({200, 120});
  }
  ChannelPane& Band() { return *pane.ChannelPaneAt(0); }
  RecordingDrawer* Add(DWORD id, DWORD flags = kBuffered, LONG alpha = 255,
                       COLORREF colour = kRed) {
    auto* drawer = new RecordingDrawer(id, 0, 0, colour);
    EXPECT_EQ(Band().AddDrawer(flags, drawer, alpha), S_OK);
    return drawer;
  }
  DrawSpan WholeBand() {
    const RECT& r = Band().rect;
    return {0, r.right - r.left, 0, 0, r.left, r};
  }

  TestPane pane;
};

TEST_F(ChildPaneTest, SortsDrawersIntoLayersByIdKeepingEqualIdsInOrder) {
  RecordingDrawer* events = Add(0x402);
  RecordingDrawer* grid = Add(1);
  RecordingDrawer* top = Add(0x7FF);
  RecordingDrawer* traceA = Add(0x201);
  RecordingDrawer* traceB = Add(0x201);
  RecordingDrawer* layerTwo = Add(0x200);
  const std::vector<IPendrelRecordDrawer*> expected = {grid, layerTwo, traceA, traceB, events, top};
  EXPECT_EQ(Band().Drawers(), expected);
  const struct {
    int layer;
    LONG first;
    LONG end;
  } layers[] = {{0, 0, 1}, {1, -1, -1}, {2, 1, 4}, {3, -1, -1}, {4, 4, 5}, {7, 5, 6}};
  for (const auto& l : layers) {
    SCOPED_TRACE(l.layer);
    EXPECT_EQ(Band().LayerAt(l.layer).firstDrawer, l.first);
    EXPECT_EQ(Band().LayerAt(l.layer).endDrawer, l.end);
  }
}

TEST_F(ChildPaneTest, BufferingAlphaAndTransparencyFollowTheAddFlags) {
  Add(0x201, kBuffered, 255);
  Add(0x301, kBuffered, 128);
  Add(0x401, kBuffered | kLayerBlended, 255);
  Add(0x501, 0, 255);
  const Layer& opaque = Band().LayerAt(2);
  EXPECT_EQ(opaque.flags & (kLayerBuffered | kLayerDirty | kLayerWhiteTransparent),
            kLayerBuffered | kLayerDirty | kLayerWhiteTransparent);
  const Layer& translucent = Band().LayerAt(3);
  EXPECT_EQ(translucent.alpha, 128);
  EXPECT_EQ(translucent.flags & kLayerWhiteTransparent, 0u);
  EXPECT_TRUE(translucent.flags & kLayerBuffered);
  EXPECT_TRUE(Band().LayerAt(4).flags & kLayerBlended);
  EXPECT_FALSE(Band().LayerAt(5).flags & kLayerBuffered);

  TestPane monochrome;
  monochrome.SetStyleFlags(0x80000000 | kPaneMonochrome);
  monochrome.SetLaneCount(1);
  monochrome.SetPaneSize({200, 120});
  auto* drawer = new RecordingDrawer(0x201);
  monochrome.ChannelPaneAt(0)->AddDrawer(kBuffered, drawer, 255);
  EXPECT_FALSE(monochrome.ChannelPaneAt(0)->LayerAt(2).flags & kLayerBuffered);
}

TEST_F(ChildPaneTest, RefusesADrawerIdPastTheLastLayer) {
  for (DWORD id : {0x800u, 0x801u, 0xFFFFu}) {
    SCOPED_TRACE(id);
    auto* drawer = new RecordingDrawer(id);
    drawer->AddRef();
    EXPECT_EQ(Band().AddDrawer(kBuffered, drawer, 255), E_INVALIDARG);
    EXPECT_TRUE(Band().Drawers().empty());
    EXPECT_EQ(drawer->Pane(), nullptr);
    EXPECT_EQ(drawer->Release(), 0u);
  }
}

TEST_F(ChildPaneTest, RemovesDrawersByCapabilityAndChannel) {
  struct Case {
    DWORD mask;
    LONG index;
    LONG kind;
    std::vector<DWORD> kept;  // ids
  };
  const Case cases[] = {
      {0, LONG(0x80000000), LONG(0xC0000000), {}},
      {0x40000000, LONG(0x80000000), LONG(0xC0000000), {1}},
      {0, 2, 0, {1, 0x402}},
      {0x20000000, 2, 0, {1, 0x402}},
      {0x80000000, 2, 0, {1, 0x201, 0x402}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mask);
    TestPane local;
    local.SetLaneCount(1);
    local.SetPaneSize({200, 120});
    ChannelPane& band = *local.ChannelPaneAt(0);
    auto* grid = new RecordingDrawer(1, 0, 0);
    grid->capabilities = 0x80000000;
    auto* trace = new RecordingDrawer(0x201, 2, 0);
    trace->capabilities = 0x60000000;
    auto* events = new RecordingDrawer(0x402, 3, 0);
    events->capabilities = 0x40000000;
    for (RecordingDrawer* d : {grid, trace, events}) band.AddDrawer(0, d, 255);
    band.RemoveDrawers(c.mask, c.index, c.kind);
    std::vector<DWORD> kept;
    for (IPendrelRecordDrawer* d : band.Drawers()) {
      DWORD id = 0;
      d->GetId(&id);
      kept.push_back(id);
    }
    EXPECT_EQ(kept, c.kept);
  }
}

TEST_F(ChildPaneTest, HitTestExcludesTheRightAndBottomEdges) {
  const RECT r = Band().rect;
  EXPECT_TRUE(Band().HitTest({r.left, r.top}));
  EXPECT_TRUE(Band().HitTest({r.right - 1, r.bottom - 1}));
  EXPECT_FALSE(Band().HitTest({r.right, r.top}));
  EXPECT_FALSE(Band().HitTest({r.left, r.bottom}));
  EXPECT_FALSE(Band().HitTest({r.left - 1, r.top}));
}

TEST_F(ChildPaneTest, ShiftingMovesDirtySpansAndAddsTheUncoveredStrip) {
  Add(0x201);
  const RECT r = Band().rect;
  struct Case {
    LONG dx;
    RECT dirtyBefore;
    RECT dirtyAfter;
  };
  const Case cases[] = {
      {-5, {50, r.top, 60, r.bottom}, {45, r.top, r.right, r.bottom}},
      {5, {50, r.top, 60, r.bottom}, {r.left, r.top, 65, r.bottom}},
      {-1000, {50, r.top, 60, r.bottom}, {r.left, r.top, r.right, r.bottom}},
      {-5, {}, {r.right - 5, r.top, r.right, r.bottom}},
      {3, {}, {r.left, r.top, r.left + 3, r.bottom}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dx);
    Layer& layer = Band().LayerAt(2);
    layer.dirty = c.dirtyBefore;
    layer.flags &= ~kLayerDirty;
    Band().ShiftLayers(c.dx, true);
    EXPECT_EQ(Box(layer.dirty), Box(c.dirtyAfter));
    EXPECT_TRUE(layer.flags & kLayerDirty);
  }
}

TEST_F(ChildPaneTest, DataAddedWhileFollowingShiftsTheBufferedBand) {
  Add(0, kBuffered, 255, kWhite);  // the composite's own layer, as a grid's
  RecordingDrawer* trace = Add(0x201);
  trace->stripeFrom = 50;
  trace->stripeTo = 60;
  const RECT r = Band().rect;
  WindowSurface window(200, 120);
  Band().DrawLayers(window.Dc(), WholeBand(), 0xFF, 0);
  Band().Paint(window.Dc(), 0, false);
  EXPECT_EQ(window.At(55, r.top + 5), kRed);
  EXPECT_EQ(window.At(45, r.top + 5), kWhite);

  pane.SetOnline(true);
  LONGLONG end = 0;
  Band().OnDataAdded(0, 10, &end);
  EXPECT_TRUE(Band().LayerAt(2).flags & kLayerDirty);
  EXPECT_EQ(Band().LayerAt(2).dirty.left, r.right - 10);
  const DrawSpan uncovered = {0, 10, 0, 0, r.right - 10, r};
  Band().DrawLayers(window.Dc(), uncovered, 0xFF, 0);
  Band().Paint(window.Dc(), 0, false);
  EXPECT_EQ(window.At(45, r.top + 5), kRed);
  EXPECT_EQ(window.At(40, r.top + 5), kRed);
  EXPECT_EQ(window.At(39, r.top + 5), kWhite);
  EXPECT_EQ(window.At(50, r.top + 5), kWhite);
  EXPECT_EQ(window.At(r.right - 5, r.top + 5), kWhite);
  EXPECT_EQ(trace->draws.size(), 2u);
}

TEST_F(ChildPaneTest, BlendsLayerSevenAtItsAlpha) {
  Add(0, kBuffered, 255, kWhite);
  Add(0x700, kBuffered | kLayerBlended, 128, kBlue);
  WindowSurface window(200, 120);
  Band().DrawLayers(window.Dc(), WholeBand(), 0xFF, 0);
  Band().Paint(window.Dc(), 0, false);
  const COLORREF blended = window.At(100, Band().rect.top + 10);
  EXPECT_NEAR(GetRValue(blended), 127, 1);
  EXPECT_NEAR(GetGValue(blended), 127, 1);
  EXPECT_EQ(GetBValue(blended), 255);
}

TEST_F(ChildPaneTest, ABandWithoutHeightIsFramedAsABlackBar) {
  TestPane two;
  two.SetLaneCount(2);
  two.SetPaneSize({200, 120});
  two.OnRectsDragged({1, 60}, {50, 0});
  ChannelPane& flat = *two.ChannelPaneAt(1);
  ASSERT_EQ(flat.Height(), 0);
  WindowSurface window(200, 120);
  flat.DrawFrame(window.Dc());
  const RECT r = flat.rect;
  for (int x : {int(r.left) - 1, 100, int(r.right)}) {
    SCOPED_TRACE(x);
    EXPECT_EQ(window.At(x, r.top - 1), 0u);
    EXPECT_EQ(window.At(x, r.top), 0u);
    EXPECT_EQ(window.At(x, r.top + 1), kWhite);
    EXPECT_EQ(window.At(x, r.top - 2), kWhite);
  }
  EXPECT_EQ(window.At(r.right + 1, r.top), kWhite);
  EXPECT_EQ(window.At(r.left - 2, r.top), kWhite);
}

TEST_F(ChildPaneTest, AFailedCompositionIsReportedAndTheLayerStaysDirty) {
  std::u16string output;
  win32::SetDebugOutputSink([&](std::u16string_view text) { output += text; });
  RecordingDrawer* trace = Add(0x201);
  pane.SetBufferedDrawing(false);
  pane.LayoutPanes();  // the composite loses its image; layer 2 keeps its own
  ASSERT_EQ(Band().LayerAt(0).image, nullptr);
  ASSERT_NE(Band().LayerAt(2).image, nullptr);
  WindowSurface window(200, 120);
  EXPECT_NO_THROW(Band().DrawLayers(window.Dc(), WholeBand(), 1 << 2, 0));
  win32::SetDebugOutputSink(nullptr);
  EXPECT_EQ(trace->draws.size(), 1u);
  EXPECT_NE(output.find(u"Layer composition failed"), std::u16string::npos);
  EXPECT_TRUE(Band().LayerAt(2).flags & kLayerDirty);
  EXPECT_FALSE(IsRectEmpty(&Band().LayerAt(2).dirty));
}

}  // namespace
