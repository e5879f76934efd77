#include <cmath>
#include <limits>

#include "core/com_ptr.h"
#include "hostframework/host_services.h"
#include "host/traces/trace_data_view.h"
#include "platform/pendrel/class_registry.h"
#include "platform/pendrel/event_draw_class.h"
#include "tracedisplay/drawers/event_drawer.h"
#include "tracedisplay/tests/event_list_source.h"
#include "tracedisplay/tests/drawing_canvas.h"
#include "tracedisplay/tests/trace_display_test.h"

using namespace PendrelDraw;

namespace {

constexpr COLORREF kMarkWhite = RGB(255, 255, 255);
constexpr COLORREF kMarkBlack = RGB(0, 0, 0);
constexpr COLORREF kMarkGreen = RGB(0, 160, 0);
constexpr DWORD kMarkedType = 0x00770003;
constexpr LONG kLaneHeight = 40;

// A draw class registered for kMarkedType: green marks, except events of value 2 (no answer).
class GreenMarks final : public SimpleUnknownImp2<ITarnClassObject, IPODEventDrawClass, 0> {
 public:
  HRESULT GetTypeId(DWORD* type) override {
    *type = kMarkedType;
    return S_OK;
  }
  HRESULT GetCategoryId(GUID* category) override {
    *category = {};
    return S_OK;
  }
  HRESULT GetClassName(IQuorString** name) override {
    *name = nullptr;
    return E_NOTIMPL;
  }
  HRESULT IsCategory(REFGUID) override { return S_FALSE; }
  HRESULT GetMarkColour(LONG_PTR, const void* event, COLORREF* colour) override {
    if (static_cast<const PendrelEventRecord*>(event)->value == 2.0) return E_FAIL;
    *colour = kMarkGreen;
    return S_OK;
  }
  HRESULT GetMarkText(LONG_PTR, LONG_PTR, LONG_PTR, const void*, LONG_PTR, LONG_PTR,
                      IQuorString**) override {
    return E_NOTIMPL;
  }
};

// A sweep overlay in front of a data view: it names the ticks a span shows and hands out the
// view's own faces for the rest.
class FakeOverlay final : public SimpleUnknownImp1<IPendrelSweepOverlay, 0> {
 public:
  explicit FakeOverlay(IUnknown* view) : m_view(view) {}
  HRESULT QueryInterface(REFIID iid, void** object) override {
    if (iid == IPendrelSweepOverlay::iid || iid == IUnknown::iid)
      return SimpleUnknownImp1::QueryInterface(iid, object);
    return m_view->QueryInterface(iid, object);
  }
  HRESULT GetSegmentKind(LONG, LONG* kind) override {
    *kind = 0;
    return S_OK;
  }
  HRESULT GetSegment(LONG, LONGLONG*, LONGLONG*) override { return S_FALSE; }
  HRESULT GetTickRange(LONG, LONGLONG, LONGLONG, LONG* start, LONG* end) override {
    *start = startTick;
    *end = kRecordEndOffset;
    return result;
  }
  LONG startTick = 0;
  HRESULT result = S_OK;

 private:
  IUnknown* m_view;
};

PendrelEventRecord At(LONG tick, double value = 1.0, float fraction = 0.0f) {
  return {tick, fraction, value};
}

class EventDrawerTest : public TraceDisplayTest {
 protected:
  void SetUp() override {
    TraceDisplayTest::SetUp();
    view = Quor::ComPtr<PendrelHost::TraceDataView>(new PendrelHost::TraceDataView(&records, nullptr, &records));
    drawer = Quor::ComPtr<EventDrawer>(new EventDrawer(0, 3, 0));
    drawer->SetUnits(&pane);
    const RECT lane{0, 0, 200, kLaneHeight};
    drawer->SetExtent(0, &lane);
    drawer->Attach(0, static_cast<IPendrelTraceDataView*>(view.Get()));
  }

  // Draws pixels [first, end) of record 0 from client column 0.
  HRESULT DrawSpanOn(DrawingCanvas& surface, LONGLONG first, LONGLONG end, DWORD flags = 0,
                     LONG record = 0) {
    DrawSpan span;
    span.first = first;
    span.end = end;
    span.record = record;
    span.clip = {0, 0, surface.Width(), surface.Height()};
    return drawer->Draw(surface.Dc(), &span, flags);
  }

  // 10 ticks per pixel: tick 100 is pixel 10.
  EventListSource records{{{4000, {At(100), At(305), At(500, std::nan("")), At(700),
                                   At(700), At(1200)}},
                           {2000, {At(50)}}}};
  TestPane pane;
  Quor::ComPtr<PendrelHost::TraceDataView> view;
  Quor::ComPtr<EventDrawer> drawer;
};

TEST_F(EventDrawerTest, MarksAreADottedGreyLineAndASevenPixelCircleAt96Dpi) {
  DrawingCanvas surface(200, kLaneHeight);
  EXPECT_EQ(DrawSpanOn(surface, 0, 200), S_OK);
  // The circle: 7 pixels wide across its middle row, white inside a black outline.
  EXPECT_EQ(surface.InkedColumns(3), (std::vector<int>{7, 13, 28, 34, 67, 73, 117, 123}));
  EXPECT_EQ(surface.At(10, 0), kMarkBlack);
  EXPECT_EQ(surface.At(10, 6), kMarkBlack);
  EXPECT_EQ(surface.At(11, 3), kMarkWhite);
  // Below the circle, one pixel of grey every second row down to the lane's bottom at the
  // event's column (30.5 rounds to 31), and nothing beside it.
  const std::vector<int> dots = surface.RowsOf(10, kEventLineColour);
  ASSERT_EQ(dots.size(), std::size_t(kLaneHeight - 8) / 2);
  for (std::size_t i = 0; i < dots.size(); ++i) EXPECT_EQ(dots[i], 8 + 2 * int(i));
  EXPECT_EQ(surface.RowsOf(31, kEventLineColour), dots);
  EXPECT_TRUE(surface.RowsOf(9, kEventLineColour).empty());
  EXPECT_TRUE(surface.RowsOf(11, kEventLineColour).empty());
  // The NaN event at pixel 50 is skipped.
  EXPECT_TRUE(surface.RowsOf(50, kEventLineColour).empty());
  EXPECT_EQ(records.opened, (std::vector<std::string>{"3/2147487744 r0 0..2147483647 k1073741824"}));
}

TEST_F(EventDrawerTest, TheCircleGrowsWithTheDeviceResolution) {
  DotsPerInchForTest dpi(192);
  DrawingCanvas surface(200, kLaneHeight);
  DrawSpanOn(surface, 0, 40);
  // h = 6: 13 pixels across the middle row; the dotted line below.
  EXPECT_EQ(surface.InkedColumns(6), (std::vector<int>{4, 16, 25, 37}));
  EXPECT_EQ(surface.At(10, 0), kMarkBlack);
  EXPECT_EQ(surface.At(10, 12), kMarkBlack);
  EXPECT_EQ(surface.At(10, 14), kEventLineColour);
}

TEST_F(EventDrawerTest, AnEventAtTheEndPositionEndsThePass) {
  records.latestRecord = 0;
  drawer->SetChannel(0, VARIANT_FALSE);
  DrawingCanvas surface(200, kLaneHeight);
  DrawSpanOn(surface, 0, 70, 0x80000000);
  EXPECT_TRUE(surface.RowsOf(70, kEventLineColour).empty());
  // The last mark is the event at the end (70 + 1); the ones after it were not read.
  LONGLONG end = 0;
  EXPECT_EQ(drawer->GetDataRange(0, 0, &end), S_OK);
  EXPECT_EQ(end, 71);
}

TEST_F(EventDrawerTest, ASpanLeftOfTheEventsStartsAtItsFirstTick) {
  DrawingCanvas surface(200, kLaneHeight);
  DrawSpanOn(surface, 25, 125);
  // Pixel 30.5 is client column 6, pixels 70 and 120 columns 45 and 95.
  EXPECT_EQ(surface.InkedColumns(3), (std::vector<int>{3, 9, 42, 48, 92, 98}));
  EXPECT_EQ(records.opened.back(), "3/2147487744 r0 250..2147483647 k1073741824");
  // A span of the second record reads that record's events; one beyond it reads nothing.
  DrawingCanvas second(200, kLaneHeight);
  DrawSpanOn(second, 400, 600, 0, 1);
  EXPECT_EQ(second.InkedColumns(3), (std::vector<int>{2, 8}));
  const std::size_t opens = records.opened.size();
  DrawSpanOn(second, 600, 700, 0, 1);
  EXPECT_EQ(records.opened.size(), opens);
}

TEST_F(EventDrawerTest, FillsFollowTheDrawClassOfTheEventType) {
  GreenMarks* marks = new GreenMarks();
  marks->AddRef();
  ASSERT_EQ(GetTarnClassRegistry()->RegisterClassObject(marks), S_OK);
  records.eventType = kMarkedType;
  records.records[0].events = {At(100), At(300, 2.0)};
  DrawingCanvas surface(200, kLaneHeight);
  DrawSpanOn(surface, 0, 200);
  EXPECT_EQ(surface.At(10, 3), kMarkGreen);
  EXPECT_EQ(surface.At(30, 3), kMarkWhite);  // no answer: white
  GetTarnClassRegistry()->RevokeClassObject(marks);
  marks->Release();
  // A type without a draw class gives white circles.
  records.eventType = kMarkedType + 1;
  surface.Clear(kMarkWhite);
  DrawSpanOn(surface, 0, 200);
  EXPECT_EQ(surface.At(10, 3), kMarkWhite);
  EXPECT_EQ(surface.At(10, 0), kMarkBlack);
}

TEST_F(EventDrawerTest, OnBlackTheOutlineTurnsWhite) {
  pane.SetBackgroundColour(kMarkBlack);
  DrawingCanvas surface(200, kLaneHeight);
  surface.Clear(kMarkBlack);
  DrawSpanOn(surface, 0, 40);
  EXPECT_EQ(surface.At(10, 0), kMarkWhite);
  // The white fill turns black against the black background.
  EXPECT_EQ(surface.At(10, 3), kMarkBlack);
  EXPECT_EQ(surface.At(10, 8), kEventLineColour);
}

TEST_F(EventDrawerTest, TheEnumeratorIsKeptOnlyWhenAsked) {
  DrawingCanvas surface(200, kLaneHeight);
  DrawSpanOn(surface, 0, 200);
  EXPECT_EQ(drawer->Enumerator(), nullptr);
  LONGLONG end = 0;
  EXPECT_EQ(drawer->GetDataRange(0, 0, &end), S_FALSE);
  DrawSpanOn(surface, 0, 200, 0x80000000);
  ASSERT_NE(drawer->Enumerator(), nullptr);
  DrawSpanOn(surface, 10, 200, 0x80000000);
  EXPECT_EQ(records.opened.size(), 2u);
  DrawSpanOn(surface, 10, 200, 0x88000000);  // released first: a new one
  EXPECT_EQ(records.opened.size(), 3u);
  // After SetChannel the marks are unknown again; the drawer still holds its enumerator.
  drawer->SetChannel(0, VARIANT_TRUE);
  EXPECT_EQ(drawer->GetDataRange(0, 0, &end), S_OK);
  EXPECT_EQ(end, -1);
  EXPECT_EQ(drawer->CurrentPosition(), -1.0);
  drawer->Invalidate(0, 0);
  EXPECT_EQ(drawer->Enumerator(), nullptr);
}

TEST_F(EventDrawerTest, AnOverlayNamesTheTicksToRead) {
  FakeOverlay* overlay = new FakeOverlay(static_cast<IPendrelTraceDataView*>(view.Get()));
  overlay->AddRef();
  drawer->Attach(0, overlay);
  overlay->startTick = -40;
  DrawingCanvas surface(200, kLaneHeight);
  DrawSpanOn(surface, 0, 200);
  EXPECT_EQ(records.opened.back(), "3/2147487744 r0 0..2147483647 k1073741824");
  EXPECT_EQ(surface.InkedColumns(3).front(), 7);
  overlay->result = E_FAIL;
  surface.Clear(kMarkWhite);
  const std::size_t opens = records.opened.size();
  DrawSpanOn(surface, 0, 200);
  EXPECT_EQ(records.opened.size(), opens);
  EXPECT_TRUE(surface.InkedColumns(3).empty());
  drawer->Attach(0, nullptr);
  overlay->Release();
}

TEST_F(EventDrawerTest, ACloneDrawsWhatTheOriginalDraws) {
  DrawingCanvas original(200, kLaneHeight), copied(200, kLaneHeight);
  DrawSpanOn(original, 0, 200, 0x80000000);
  Quor::ComPtr<IPendrelRecordDrawer> clone;
  ASSERT_EQ(drawer->Clone(0, Quor::ComPtrOut<IPendrelRecordDrawer>::Bind(clone)), S_OK);
  auto* twin = static_cast<EventDrawer*>(clone.Get());
  EXPECT_NE(twin->Enumerator(), nullptr);
  EXPECT_EQ(twin->CurrentPosition(), drawer->CurrentPosition());
  twin->SetUnits(&pane);
  const RECT lane{0, 0, 200, kLaneHeight};
  twin->SetExtent(0, &lane);
  twin->Attach(0, static_cast<IPendrelTraceDataView*>(view.Get()));
  DrawSpan span;
  span.end = 200;
  twin->Draw(copied.Dc(), &span, 0);
  EXPECT_EQ(copied.Pixels(), original.Pixels());
  EXPECT_EQ(drawer->Clone(0, nullptr), E_INVALIDARG);
}

TEST_F(EventDrawerTest, DrawerAnswersOfItsOwn) {
  DWORD flags = 0;
  LONG left = 0, right = 0;
  drawer->GetCapabilities(0, &flags, &left, &right, 0);
  EXPECT_EQ(flags, 0x40000000u);
  EXPECT_EQ(left, 10);
  EXPECT_EQ(right, 10);
  DWORD id = 0;
  drawer->GetId(&id);
  EXPECT_EQ(id, 0x402u);
  EXPECT_EQ(drawer->SetTimeRange(1, 0, nullptr, nullptr), S_OK);
  // A channel pane's value drops bits 0x3000 from the channel word of the enumerator.
  drawer->SetOwner(5);
  DrawingCanvas surface(200, kLaneHeight);
  DrawSpanOn(surface, 0, 200);
  EXPECT_EQ(records.opened.back(), "3/2147483648 r0 0..2147483647 k1073741824");
}

}  // namespace
