// The enumerators the views hand their plots: values scaled and rounded to float, walking and
// skipping, ranges, labels in both forms, clones, and nothing read while the document's series
// are closed.
#include <gtest/gtest.h>

#include <cmath>

#include "core/unit_entry.h"
#include "views/data/view_enumerators.h"

namespace ViewsTest {
namespace {

using Rhyth::DoubleArray;
using Rhyth::PlotPointArray;

// The arrays keep their place: the enumerators point at them.
void Fill(DoubleArray& series, std::initializer_list<double> values) {
  for (double value : values) series.Add(value);
}

struct Enum {
  explicit Enum(IEnumFloatEx* made) { enumerator.Attach(made); }
  Rhyth::IEtchEnumInfo* Info() {
    if (!info) enumerator->QueryInterface(Rhyth::IEtchEnumInfo::iid,
                                          Quor::ComPtrOut<Rhyth::IEtchEnumInfo>::Bind(info));
    return info.Get();
  }
  std::string Label(int i) {
    Quor::ComPtr<Quor::IEtchEnum> labels;
    enumerator->QueryInterface(Quor::IEtchEnum::iid, Quor::ComPtrOut<Quor::IEtchEnum>::Bind(labels));
    IQuorString* text = nullptr;
    EXPECT_EQ(labels->LabelAt(i, &text), S_OK);
    Quor::String label;
    label.Adopt(static_cast<IAutoQuorString*>(text));
    return label.ToUtf8String();
  }
  DWORD Position() {
    DWORD position = 0;
    enumerator->GetPosition(&position);
    return position;
  }
  Quor::ComPtr<IEnumFloatEx> enumerator;
  Quor::ComPtr<Rhyth::IEtchEnumInfo> info;
};

Enum SeriesOf(const DoubleArray& data, double scale, Rhyth::ViewDataStatePtr state) {
  return Enum(Rhyth::CreateSeriesEnum(&data, {u"$Series", nullptr, scale}, state));
}

TEST(ViewEnumerators, WalkSkipAndFetchAsTheirCallsAsk) {
  DoubleArray data;
  Fill(data, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  auto state = std::make_shared<Rhyth::ViewDataState>();
  struct Case {
    const char* what;
    int start;
    bool next;  // Next, else Skip
    int n;
    HRESULT result;
    int moved;  // fetched or skipped
    DWORD position;
  } cases[] = {
      {"Next(5) at 8 of 10 fetches 2", 8, true, 5, S_OK, 2, 10},
      {"Next(0) fetches nothing", 3, true, 0, S_OK, 0, 3},
      {"Next(-2) is refused and moves nothing", 5, true, -2, E_INVALIDARG, 0, 5},
      {"Skip(-3) at 1 moves back to 0", 1, false, -3, S_FALSE, -1, 0},
      {"Skip(0)", 4, false, 0, S_OK, 0, 4},
      {"Skip(20) stops at the end", 4, false, 20, S_FALSE, 6, 10},
      {"Skip(2)", 4, false, 2, S_OK, 2, 6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Enum e = SeriesOf(data, 1.0, state);
    int ignored = 0;
    e.enumerator->Skip(c.start, &ignored);
    float values[8] = {};
    int moved = -99;
    const HRESULT result = c.next ? e.enumerator->Next(c.n, values, &moved)
                                  : e.enumerator->Skip(c.n, &moved);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(moved, c.moved);
    EXPECT_EQ(e.Position(), c.position);
    if (c.next && c.moved > 0) {
      EXPECT_EQ(values[0], float(c.start));
    }
  }
}

TEST(ViewEnumerators, ScaleValuesAndRangesAndRoundToFloat) {
  DoubleArray tachogram;
  Fill(tachogram, {0.8123});
  Enum e = SeriesOf(tachogram, 1000.0, std::make_shared<Rhyth::ViewDataState>());
  float value = 0;
  int fetched = 0;
  EXPECT_EQ(e.enumerator->Next(1, &value, &fetched), S_OK);
  EXPECT_EQ(value, float(812.3));

  DoubleArray data;
  Fill(data, {0.9, 0.7, 0.7, 1.1});
  Enum r = SeriesOf(data, 1000.0, std::make_shared<Rhyth::ViewDataState>());
  double min = 0, max = 0;
  EXPECT_EQ(r.Info()->GetRange(&min, &max), S_OK);
  EXPECT_DOUBLE_EQ(min, 700);
  EXPECT_DOUBLE_EQ(max, 1100);
  EXPECT_EQ(r.Info()->GetRange(nullptr, &max), S_OK);
  EXPECT_EQ(r.Info()->GetCount(nullptr), E_FAIL);

  const DoubleArray empty;
  Enum none = SeriesOf(empty, 1000.0, std::make_shared<Rhyth::ViewDataState>());
  min = max = -1;
  EXPECT_EQ(none.Info()->GetRange(&min, &max), S_FALSE);
  EXPECT_EQ(min, -1);
}

TEST(ViewEnumerators, LabelSeriesByIndexAndValueAndPointsByTickAndRecord) {
  DoubleArray data;
  for (int i = 0; i < 12; ++i) data.Add(0.8);
  data.Add(0.845);
  PlotPointArray points;
  points.Add({0.8, 0.9, 3, 2500, 4});
  auto state = std::make_shared<Rhyth::ViewDataState>();
  Enum series = SeriesOf(data, 1000.0, state);
  Rhyth::ScatterEnums scatter =
      Rhyth::CreateScatterEnums(&points, {u"$X", nullptr, 1000}, {u"$Y", nullptr, 1000}, state);
  Enum x(scatter.x), y(scatter.y);
  struct Case {
    Enum* e;
    int i;
    const char* label;
  } cases[] = {
      {&series, 12, "12\t0.845"}, {&series, 13, ""}, {&series, -1, ""},
      {&x, 0, "2500\t4"},         {&y, 0, "2500\t4"}, {&x, 1, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.e->Label(c.i), c.label) << c.i;
}

TEST(ViewEnumerators, AClonesKeepsThePositionAndMovesOnItsOwn) {
  DoubleArray data;
  Fill(data, {1, 2, 3, 4});
  Enum e = SeriesOf(data, 1.0, std::make_shared<Rhyth::ViewDataState>());
  int skipped = 0;
  e.enumerator->Skip(2, &skipped);
  Quor::ComPtr<IEnumFloatEx> clone;
  ASSERT_EQ(e.enumerator->Clone(Quor::ComPtrOut<IEnumFloatEx>::Bind(clone)), S_OK);
  float value = 0;
  int fetched = 0;
  clone->Next(1, &value, &fetched);
  EXPECT_EQ(value, 3.0f);
  DWORD position = 0;
  clone->GetPosition(&position);
  EXPECT_EQ(position, 3u);
  EXPECT_EQ(e.Position(), 2u);
}

TEST(ViewEnumerators, UnitNameAndReservedWord) {
  DoubleArray data;
  Fill(data, {1});
  Quor::ComPtr<Quor::UnitEntry> unit(new Quor::UnitEntry);
  Enum e(Rhyth::CreateSeriesEnum(&data, {u"$Named", unit.Get(), 1.0},
                                 std::make_shared<Rhyth::ViewDataState>()));
  IQuorString* name = nullptr;
  ASSERT_EQ(e.Info()->GetName(&name), S_OK);
  Quor::String text;
  text.Adopt(static_cast<IAutoQuorString*>(name));
  EXPECT_EQ(text.ToUtf8String(), "$Named");
  Quor::ComPtr<IUnknown> held;
  EXPECT_EQ(e.Info()->GetUnit(Quor::ComPtrOut<IUnknown>::Bind(held)), S_OK);
  EXPECT_NE(held.Get(), nullptr);
  DWORD word = 7;
  EXPECT_EQ(e.enumerator->GetReservedWord(&word), S_FALSE);
  EXPECT_EQ(word, 0u);

  Enum bare = SeriesOf(data, 1.0, std::make_shared<Rhyth::ViewDataState>());
  IUnknown* none = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(bare.Info()->GetUnit(&none), S_FALSE);
  EXPECT_EQ(none, nullptr);
}

// A script may call while an analysis rewrites the series, or after the document went: the
// enumerator then reads nothing of the series at all.
TEST(ViewEnumerators, ReadNothingWhileTheSeriesAreClosedOrGone) {
  auto data = std::make_unique<DoubleArray>();
  Fill(*data, {0.8, 0.9, 1.0});
  auto state = std::make_shared<Rhyth::ViewDataState>();
  Enum e = SeriesOf(*data, 1000.0, state);
  auto expectEmpty = [&](const char* when) {
    SCOPED_TRACE(when);
    float values[3] = {};
    int fetched = -1;
    EXPECT_EQ(e.enumerator->Next(3, values, &fetched), S_OK);
    EXPECT_EQ(fetched, 0);
    DWORD count = 9;
    EXPECT_EQ(e.Info()->GetCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
    double min = 0, max = 0;
    EXPECT_EQ(e.Info()->GetRange(&min, &max), S_FALSE);
    EXPECT_EQ(e.Label(0), "");
  };
  state->BeginChange();
  expectEmpty("during an analysis");
  state->EndChange();
  DWORD count = 0;
  e.Info()->GetCount(&count);
  EXPECT_EQ(count, 3u);
  state->Retire();
  data.reset();  // a read now would be a use after free
  expectEmpty("after the document went");
}

}  // namespace
}  // namespace ViewsTest
