// The plot model's two per-request hot paths: the pointer tracking over a day's Poincare plot
// (100,000 points, XY mode), target under 2 ms per call; and a series request of 100,000
// values, target under 5 ms.
#include <benchmark/benchmark.h>

#include <cmath>

#include "plotengine/proxy/nearest_data_point.h"
#include "plotengine/tests/fake_float_series.h"

namespace {

using plotengine_test::FakeFloatSeries;

class BenchPlotModel final : public Quor::EtchProxyBase {
 public:
  void Detach() override {}
  ISubject* GetSubject() override { return nullptr; }
  bool RunScript(const Quor::String&) override { return true; }
  LONG DeliverEvent(const Quor::EtchEvent&) override { return 0; }
  Quor::EtchStringMap ResourceURLs() override { return {}; }
  void MakeDropMenu(const Quor::String&, int, int, int, int, int, bool, double, double) override {}
};

constexpr int kPoints = 100'000;

// RR intervals around 850 ms and each with its successor, as a Poincare plot pairs them.
void AddPoincareSeries(BenchPlotModel& model) {
  std::vector<double> rr(kPoints + 1);
  for (int i = 0; i <= kPoints; ++i) rr[i] = 850 + 120 * std::sin(i * 0.01) + 15 * std::sin(i * 1.7);
  auto* xs = FakeFloatSeries::Make({rr.begin(), rr.end() - 1});
  auto* ys = FakeFloatSeries::Make({rr.begin() + 1, rr.end()});
  model.SetData(u"$x", xs);
  model.SetData(u"$y", ys);
  xs->Release();
  ys->Release();
  model.RegisterSeries(u"$y", u"$x", u"poincare", 1);
}

void BM_PointerTrackingOverAPoincarePlot(benchmark::State& state) {
  BenchPlotModel model;
  AddPoincareSeries(model);
  // 600 x 600 pixels over 500 to 1200 ms on both axes.
  const double a = 600.0 / 700.0;
  const Quor::NearestPointQuery query{900, 880, a, -500 * a, -a, 1200 * a, false, 1, 1};
  for (auto _ : state) {
    const Quor::EtchStringMap found = Quor::FindNearestDataPoint(model, query);
    if (found.empty()) state.SkipWithError("no point found");
    benchmark::DoNotOptimize(found.size());
  }
}
BENCHMARK(BM_PointerTrackingOverAPoincarePlot)->Unit(benchmark::kMillisecond);

void BM_SeriesRequestOf100000Values(benchmark::State& state) {
  BenchPlotModel model;
  auto* series = FakeFloatSeries::Ramp(kPoints);
  model.SetData(u"$s", series);
  series->Release();
  std::vector<double> values;
  for (auto _ : state) {
    values.clear();
    if (!model.RequestPixData(u"$s", 0, 1, kPoints, values)) state.SkipWithError("failed");
    benchmark::DoNotOptimize(values.data());
  }
}
BENCHMARK(BM_SeriesRequestOf100000Values)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
